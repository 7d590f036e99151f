#pragma once

namespace app {

// A request to end the program from outside (SIGTERM, SIGINT, SIGHUP, as
// the desktop sends at logout) closes the main window like the user would,
// so the program ends the ordinary way. The database engine inside the
// process would otherwise take these signals for itself and keep running.
// Installed once per process; later calls do nothing.
void InstallTerminationHandler();

} // namespace app
