#include "messages.h"

#include "cursor.h"

#include <QMessageBox>

namespace ui {

namespace {

MessageHandler &handler()
{
    static MessageHandler h;
    return h;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Button showMessage(const Message &message)
{
    if (handler())
        return handler()(message);

    QMessageBox box(toQt(message.icon), message.caption, message.text, QMessageBox::NoButton, message.parent);
    struct Pair { Button ours; QMessageBox::StandardButton qt; };
    const Pair pairs[] = {{Ok, QMessageBox::Ok}, {Cancel, QMessageBox::Cancel}, {Yes, QMessageBox::Yes}, {No, QMessageBox::No}};
    QMessageBox::StandardButtons qtButtons;
    for (const Pair &p : pairs)
        if (message.buttons & p.ours)
            qtButtons |= p.qt;
    box.setStandardButtons(qtButtons ? qtButtons : QMessageBox::StandardButtons(QMessageBox::Ok));
    const int answer = box.exec();
    for (const Pair &p : pairs)
        if (answer == p.qt)
            return p.ours;
    return (message.buttons & Cancel) ? Cancel : Ok;
}

void warning(const QString &text, QWidget *parent)
{
    showMessage({text, QStringLiteral("Uwaga"), Icon::Warning, Ok, parent});
}

void error(const QString &text, QWidget *parent)
{
    showMessage({text, QStringLiteral("Błąd"), Icon::Error, Ok, parent});
}

void information(const QString &text, QWidget *parent)
{
    showMessage({text, QStringLiteral("Informacja"), Icon::Information, Ok, parent});
}

void setMessageHandler(MessageHandler h)
{
    handler() = std::move(h);
}

} // namespace ui
