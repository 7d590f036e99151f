#include "cursor.h"

#include <QApplication>
#include <QCursor>

namespace ui {

namespace {
bool busy = false;
}

void setBusyCursor()
{
    if (busy)
        return;
    busy = true;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void setDefaultCursor()
{
    if (!busy)
        return;
    busy = false;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

bool isBusyCursor()
{
    return busy;
}

} // namespace ui
