#include "Entries.h"

#include "platform/ui/formats.h"

QString NormalizeAmountText(const QString &text)
{
    const qsizetype L = text.size();
    const qsizetype d = text.indexOf(QLatin1Char('.')) + 1; // 1-based, 0 when none
    if (d == 0)
        return text + QStringLiteral(".00");
    if (d == L - 1)
        return text + QLatin1Char('0');
    return text;
}

AmountCheck CheckAmountText(const QString &text)
{
    // Only digits, the point and a leading minus: a pasted text such as
    // "1e5" or " 5" would parse as a number but is no amount the database
    // takes after ".00" is appended.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.') && !(c == QLatin1Char('-') && i == 0))
            return AmountCheck::Invalid;
    }
    double value = 0;
    if (!ui::parseNumber(text, value))
        return AmountCheck::Invalid;
    const qsizetype L = text.size();
    const qsizetype d = text.indexOf(QLatin1Char('.')) + 1;
    if ((d != 0 && d < L - 2) || d == 1 || d == L)
        return AmountCheck::Invalid;
    if (value > 999999999.99)
        return AmountCheck::OutOfRange;
    return AmountCheck::Valid;
}
