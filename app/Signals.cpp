#include "Signals.h"

#include "register/Frmmain.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <csignal>
#include <pthread.h>
#include <thread>

namespace app {

namespace {

std::thread *waiter = nullptr;

sigset_t endSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

void closeProgram()
{
    if (Main && Main->isVisible())
        Main->close();
    else
        QCoreApplication::quit();
}

} // namespace

void InstallTerminationHandler()
{
    if (waiter)
        return;
    // The signals are blocked in this thread, and so in every thread started
    // after it (the database engine's among them); one thread of ours takes
    // them with sigwait and hands the request to the user-interface thread.
    const sigset_t set = endSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    // It lives as long as the process.
    waiter = new std::thread([set] {
        for (;;) {
            int sig = 0;
            if (sigwait(&set, &sig) != 0)
                continue;
            if (QCoreApplication *app = QCoreApplication::instance())
                QMetaObject::invokeMethod(app, &closeProgram, Qt::QueuedConnection);
        }
    });
    waiter->detach();
}

} // namespace app
