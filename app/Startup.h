#pragma once

#include <QString>

class QApplication;

namespace app {

// Brings the program up, runs the event loop and brings it down again:
// title, splash window, main window, data module, report data module, a
// pause of 500 ms with the splash on screen, then the event loop. Returns the
// program's exit code (0, also after an error was shown).
int Run(QApplication &application, const QString &databasePath = QString());

} // namespace app
