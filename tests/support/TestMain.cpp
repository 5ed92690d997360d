#include "report/FontFaces.h"

#ifdef SC_TEST_WITH_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <gtest/gtest.h>

// Every test executable runs inside an application object (offscreen under
// ctest): with widgets for the window tests, without for the core's tests.
int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    TestApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
