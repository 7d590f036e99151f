#include "formats.h"

#include <QTime>

#include <cerrno>
#include <charconv>
#include <cstdlib>

namespace ui {

QString dateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

QDate parseDate(const QString &text)
{
    const QString t = text.trimmed();
    const QStringList parts = t.split(QLatin1Char('-'));
    if (parts.size() != 3)
        return {};
    bool ok1, ok2, ok3;
    const int y = parts[0].toInt(&ok1), m = parts[1].toInt(&ok2), d = parts[2].toInt(&ok3);
    if (!ok1 || !ok2 || !ok3 || parts[0].size() != 4 || parts[1].isEmpty() || parts[1].size() > 2 || parts[2].isEmpty() || parts[2].size() > 2)
        return {};
    return QDate(y, m, d);
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

bool parseNumber(const QString &text, double &value)
{
    // Digits, one optional point, an optional leading sign and an optional
    // exponent; blanks around the number are allowed.
    const QByteArray b = text.trimmed().toLatin1();
    if (b.isEmpty())
        return false;
    for (char c : b)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    const char *first = b.constData();
    const char *last = first + b.size();
    if (*first == '+')
        ++first;
    double v = 0;
    auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last)
        return false;
    value = v;
    return true;
}

bool parseInteger(const QString &text, long long &value)
{
    const QByteArray b = text.trimmed().toLatin1();
    if (b.isEmpty())
        return false;
    const char *first = b.constData();
    const char *last = first + b.size();
    if (*first == '+')
        ++first;
    long long v = 0;
    auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last)
        return false;
    value = v;
    return true;
}

} // namespace ui
