#pragma once

#include <QDate>
#include <QString>

// The fixed text forms of dates and numbers, the same whatever the locale:
// dates as 2006-12-24, times with ":", decimals with "." in their shortest form.
namespace ui {

QString dateText(const QDate &date);                 // "2006-12-24"
QDate parseDate(const QString &text);                // invalid when not yyyy-mm-dd
QString timeText(const QTime &time);                 // "13:05:09"

// Parses a number written with "." as decimal separator and an optional sign;
// false when the text is not such a number. No locale is consulted.
bool parseNumber(const QString &text, double &value);
// Parses a whole decimal number with an optional sign.
bool parseInteger(const QString &text, long long &value);

} // namespace ui
