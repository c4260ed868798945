#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/process_state.h"
#include "platform/twips.h"
#include "x11_iconify.h"

// The window tests run under a real window manager: an X server of their own
// (Xvfb, on a display it picks free) and openbox on it, started here and
// ended when the tests end, whatever display or desktop the machine has.
// Listing the tests needs neither.
namespace {

pid_t Lanzar(const std::vector<std::string>& argv, int dejarAbierto = -1)
{
    const pid_t pid = fork();
    if (pid == 0) {
        // Ended with the test program, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        for (int fd = 3; fd < 256; ++fd)
            if (fd != dejarAbierto)
                close(fd);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

void Terminar(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

bool Listando(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

// Xvfb on a free display; its number, or -1.
int ArrancarX(pid_t& pid)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    pid = Lanzar({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten",
                  "tcp", "-noreset"},
                 fds[1]);
    close(fds[1]);
    std::string numero;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        numero += c;
    close(fds[0]);
    return numero.empty() ? -1 : std::atoi(numero.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("FONTCONFIG_FILE", VESDRA_FONTCONFIG_FILE, 1);
    // Asked before gtest takes its flags out of the arguments.
    const bool listando = Listando(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (listando)
        return RUN_ALL_TESTS();

    pid_t x = -1;
    const int pantalla = ArrancarX(x);
    if (pantalla < 0) {
        std::fprintf(stderr, "window tests: Xvfb did not start (scripts/setup.sh installs xvfb)\n");
        Terminar(x);
        return 1;
    }
    const std::string display = ":" + std::to_string(pantalla);
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const pid_t wm = Lanzar({"openbox", "--sm-disable"});

    int rc = 1;
    {
        QApplication app(argc, argv);
        vesdra::UseInterfaceFont();
        vesdra::test::PrepareTestProgram();
        // The window manager is up once it frames a window: a title bar
        // above the window's own top. openbox may leave a window mapped
        // while it starts unmanaged for good (its map request falls between
        // taking the display over and its first look at the windows there),
        // so the probe waits for it to have taken the display over and is
        // shown anew until it is framed.
        const bool gestor = QTest::qWaitFor([] { return vesdra::test::WindowManagerRunning(); }, 30000);
        QWidget sonda;
        sonda.setWindowTitle(QStringLiteral("sonda"));
        sonda.resize(200, 100);
        const auto enmarcada = [&] {
            return sonda.windowHandle() && sonda.windowHandle()->frameMargins().top() > 0;
        };
        bool enMarco = false;
        for (int vez = 0; gestor && vez < 15 && !enMarco; ++vez) {
            sonda.show();
            enMarco = QTest::qWaitFor(enmarcada, 2000);
            sonda.hide();
        }
        if (!enMarco) {
            std::fprintf(stderr,
                         "window tests: openbox framed no window (scripts/setup.sh installs openbox)\n");
        } else {
            rc = RUN_ALL_TESTS();
        }
    }
    Terminar(wm);
    Terminar(x);
    return rc;
}
