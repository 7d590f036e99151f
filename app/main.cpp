// Wokandor: the register of court cases of a law office.

#include "app/Application.h"
#include "app/Datamodule.h"
#include "app/Frmsplash.h"
#include "app/Startup.h"

int main(int argc, char **argv)
{
    Application application(argc, argv);
    return app::Run(application);
}
