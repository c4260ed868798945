#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/base/app_paths.h"

// Every test program runs without a display and finds the runtime tree
// (ini/, Iconos/, Models/) of the build folder.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vesdra::SetExeFolderOverride(QString::fromUtf8(VESDRA_RUNTIME_ROOT "/EXE"));
    return RUN_ALL_TESTS();
}
