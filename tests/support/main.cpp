// Runs the tests under a QApplication on the offscreen platform, with
// every seam of the program answered by the test support.

#include "support/seams.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tests run under a locale whose own date and number formats differ
    // from the program's fixed ones, so that a format that follows the
    // locale fails (scripts/setup generates pl_PL.UTF-8).
    if (qEnvironmentVariableIsEmpty("LC_ALL")) {
        qputenv("LC_ALL", "pl_PL.UTF-8");
        qputenv("LANG", "pl_PL.UTF-8");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new testsupport::SeamsEnvironment);
    return RUN_ALL_TESTS();
}
