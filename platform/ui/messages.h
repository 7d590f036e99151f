#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through showMessage, so that tests
// can record and answer the boxes instead of a person.
namespace ui {

enum class Icon { None, Information, Warning, Error, Question };

enum Button : unsigned {
    NoButton = 0,
    Ok = 1u << 0,
    Cancel = 1u << 1,
    Yes = 1u << 2,
    No = 1u << 3,
};
using Buttons = unsigned;

struct Message {
    QString text;
    QString caption;
    Icon icon = Icon::None;
    Buttons buttons = Ok;
    QWidget *parent = nullptr;
};

// Shows the box and returns the button the user pressed.
Button showMessage(const Message &message);

// Shorthands for the three kinds the program uses.
void warning(const QString &text, QWidget *parent = nullptr);     // "Uwaga"
void error(const QString &text, QWidget *parent = nullptr);       // "Błąd"
void information(const QString &text, QWidget *parent = nullptr); // "Informacja"

using MessageHandler = std::function<Button(const Message &)>;
// Replaces the real box; an empty handler restores it.
void setMessageHandler(MessageHandler handler);

} // namespace ui
