#include "Startup.h"

#include "app/Application.h"
#include "app/Datamodule.h"
#include "app/Frmsplash.h"
#include "app/Signals.h"
#include "register/Frmmain.h"
#include "reports/Datamodulereports.h"
#include "platform/ui/cursor.h"

#include <QApplication>
#include <QThread>

namespace app {

int Run(QApplication &application, const QString &databasePath)
{
    clearTerminationRequest();
    // Before the database engine starts its threads, so that they inherit
    // the blocked end signals and only our waiter takes them.
    InstallTerminationHandler();
    try {
        // 1. The title shown on the task bar.
        QApplication::setApplicationName(QStringLiteral("Wokandor"));

        // 2. The splash window, painted at once.
        Splash = new TSplash;
        Splash->show();
        Splash->repaint();
        QApplication::processEvents();

        // 3. The main window: formats and grid columns, no data yet.
        Main = new TMain;

        // 4. The data module, which connects at once.
        DM = new TDM(nullptr, databasePath);

        // 5. The report data module.
        DMRep = new TDMRep(DM);

        // 6. A pause with the splash window still on screen.
        QThread::msleep(500);

        // 7. The splash window goes.
        delete Splash;
        Splash = nullptr;

        // 8. The event loop; showing the main window activates it, and its
        //    first activation loads the register. When the database could not
        //    be opened the loop ends as soon as it would start.
        if (!terminationRequested()) {
            Main->show();
            application.exec();
        }
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        ShowException(QString());
    }
    ui::setDefaultCursor();

    // The objects the application owns go in the reverse order of their making.
    delete Splash;
    Splash = nullptr;
    delete DMRep;
    DMRep = nullptr;
    delete DM;
    DM = nullptr;
    delete Main;
    Main = nullptr;
    return 0;
}

} // namespace app
