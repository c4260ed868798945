#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include "common/process_state.h"
#include "platform/twips.h"

// Every test program runs without a display and finds the runtime tree
// (ini/, Iconos/, Models/) of the build folder. They see only the declared
// fonts, whatever else the machine has, so text is measured alike everywhere.
int main(int argc, char** argv)
{
    // Run as root, a tmpfs a test mounts goes with the process, even one
    // that dies: the program has a mount namespace of its own, whose mounts
    // reach no other. Done while the process has one thread.
    if (::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0)
        (void)::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("FONTCONFIG_FILE", VESDRA_FONTCONFIG_FILE, 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vesdra::UseInterfaceFont();
    vesdra::test::PrepareTestProgram();
    return RUN_ALL_TESTS();
}
