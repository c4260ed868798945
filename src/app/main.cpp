#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

#include "app/registro_vistas.h"
#include "platform/twips.h"
#include "shell/command_line.h"
#include "shell/mdi_form.h"

// The program: the main window started with the command line, a data file,
// one blank and a template ("rec.dat plan.cnf", as one argument or two).
//
// --screenshot <file.png> (development): once started, the main window is
// saved as a picture and the program ends.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends when the main window unloads, not when some other
    // top-level window (a progress window) happens to be the last to close.
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList argumentos = QCoreApplication::arguments().mid(1);
    QString captura;
    if (const qsizetype i = argumentos.indexOf(QStringLiteral("--screenshot")); i >= 0) {
        if (i + 1 < argumentos.size())
            captura = argumentos.at(i + 1);
        argumentos.remove(i, std::min<qsizetype>(2, argumentos.size() - i));
    }

    vesdra::InitScreenFromDesktop();
    vesdra::RegistrarVistas();

    vesdra::MDIForm1 principal;
    principal.AlDescargar = [] { QCoreApplication::quit(); };
    principal.show();
    principal.MDIForm_Load(vesdra::UnirArgumentos(argumentos));
    principal.showMaximized();

    if (!captura.isEmpty()) {
        QTimer::singleShot(500, &principal, [&principal, captura] {
            const bool ok = principal.grab().save(captura);
            QCoreApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
