#include "report/FontFaces.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test executable runs inside a QApplication (offscreen under ctest).
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("销售小票打印"));
    InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
