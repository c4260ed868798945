#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

#include "app/captura.h"
#include "app/registro_vistas.h"
#include "platform/twips.h"
#include "shell/command_line.h"
#include "shell/mdi_form.h"
#include "wizard/asistente.h"

// The program: the main window started with the command line, a data file
// and a template (two arguments, or one "rec.dat plan.cnf").
//
// --screenshot <file.png> [--view <name>] (development): once started, the
// main window is saved as a picture and the program ends; with --view, one
// kind of view is opened first (see captura.h), and with --print <file.pdf>
// that view is printed to PDF files as well.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends when the main window unloads, not when some other
    // top-level window (a progress window) happens to be the last to close.
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList argumentos = QCoreApplication::arguments().mid(1);
    // A hidden option and its value, taken off the command line.
    const auto opcion = [&argumentos](const QString& nombre) {
        QString valor;
        if (const qsizetype i = argumentos.indexOf(nombre); i >= 0) {
            if (i + 1 < argumentos.size())
                valor = argumentos.at(i + 1);
            argumentos.remove(i, std::min<qsizetype>(2, argumentos.size() - i));
        }
        return valor;
    };
    const QString captura = opcion(QStringLiteral("--screenshot"));
    const QString vista = opcion(QStringLiteral("--view"));
    const QString impresion = opcion(QStringLiteral("--print"));

    vesdra::UseInterfaceFont();
    vesdra::InitScreenFromDesktop();
    vesdra::RegistrarVistas();
    vesdra::ConectarAsistente();

    if (!captura.isEmpty() || !impresion.isEmpty())
        vesdra::ResponderCajasCaptura();

    vesdra::MDIForm1 principal;
    principal.AlDescargar = [] { QCoreApplication::quit(); };
    principal.show();
    principal.MDIForm_Load(vesdra::LeerArgumentos(argumentos));
    // The exit confirmed while a start-up box was up has ended the program.
    if (principal.Descargado())
        return 0;
    principal.showMaximized();

    if (!captura.isEmpty() || !impresion.isEmpty())
        vesdra::ProgramarCaptura(principal, vista, captura, impresion);
    return QApplication::exec();
}
