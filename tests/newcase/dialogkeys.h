#pragma once

// Keyboard and window helpers for the tests of the new-case entry dialogs:
// keys go where a user's keys go, to the widget that holds the focus.

#include "support/seams.h"

#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

namespace dialogkeys {

// Shows the window and waits until it is active, so that focus works.
inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

inline QWidget *focus()
{
    return QApplication::focusWidget();
}

// One key stroke, of a character of any alphabet, to the focused widget.
inline void typeChar(QChar c)
{
    QWidget *w = focus();
    if (!w)
        return;
    const char16_t u = c.toUpper().unicode();
    const Qt::Key key = (u >= 0x20 && u < 0x7f) ? Qt::Key(u) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Press, w, key, QString(c), Qt::NoModifier);
    if (QWidget *now = focus())
        QTest::sendKeyEvent(QTest::Release, now, key, QString(c), Qt::NoModifier);
    testsupport::pump();
}

inline void type(const QString &text)
{
    for (QChar c : text)
        typeChar(c);
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (QWidget *w = focus())
        QTest::keyClick(w, key, modifiers);
    testsupport::pump();
}

} // namespace dialogkeys
