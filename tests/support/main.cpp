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
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new testsupport::SeamsEnvironment);
    return RUN_ALL_TESTS();
}
