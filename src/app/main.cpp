#include <QApplication>
#include <QTextStream>

// Start-up of the program. Until the main window exists it reports the
// runtime tree it found.
#include "platform/base/app_paths.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    out << "VESDRA ini folder: " << vesdra::IniFolder() << "\n";
    return 0;
}
