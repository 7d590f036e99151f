#pragma once

#include <QRect>
#include <QString>
#include <QVector>

#include <optional>

// The rows that the new-case dialogs hand back to the new-case window.

struct PartyEntry {
    QString Nazwa;     // company name, up to 50 characters; empty for a person
    QString Nazwisko;  // surname, up to 30
    QString Imie;      // first name, up to 25
    bool operator==(const PartyEntry &) const = default;
};

struct DatedEntry {
    QString Data;      // year-month-day with dashes, e.g. 2006-11-27
    QString Notka;     // up to 30 characters
    bool operator==(const DatedEntry &) const = default;
};

struct AmountEntry {
    QString Data;
    QString Kwota;     // decimal text with two decimals, e.g. 100.50
    QString Notka;
    bool operator==(const AmountEntry &) const = default;
};

// Where and how large a dialog was at its last OK (left, top, width, height).
using DialogBounds = std::optional<QRect>;

// Completes an accepted amount text to two decimals: no point appends ".00",
// one digit after the point appends "0", anything else is left alone.
QString NormalizeAmountText(const QString &text);

// The check of an amount text typed by the user: a number with "." as the
// decimal separator, at most two decimals, not starting or ending with the
// point, and at most 999999999.99.
enum class AmountCheck { Valid, Invalid, OutOfRange };
AmountCheck CheckAmountText(const QString &text);
