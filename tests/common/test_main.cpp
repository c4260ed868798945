#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/base/app_paths.h"
#include "platform/twips.h"

// Every test program runs without a display and finds the runtime tree
// (ini/, Iconos/, Models/) of the build folder. They see only the declared
// fonts, whatever else the machine has, so text is measured alike everywhere.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("FONTCONFIG_FILE", VESDRA_FONTCONFIG_FILE, 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vesdra::UseInterfaceFont();
    vesdra::SetExeFolderOverride(QString::fromUtf8(VESDRA_RUNTIME_ROOT "/EXE"));
    return RUN_ALL_TESTS();
}
