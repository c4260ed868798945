#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell_fixture.h"

namespace vesdra {
namespace {

using test::Crlf;

const QByteArray kTools = Crlf("1\n"
                               "/datos/oscilos\n"
                               "/datos/plantillas\n"
                               "/datos/apps\n"
                               "2\n"
                               "\"Analizador=/opt/an/analizador\"\n"
                               "\"Informe=/opt/inf=2/informe\"\n");

class IniFilesTest : public test::ShellTest
{
};

int ErrorDe(const std::function<void()>& f)
{
    try {
        f();
    } catch (const VbError& e) {
        return e.Number;
    }
    return 0;
}

TEST_F(IniFilesTest, ToolsIniIsWrittenInItsExactLineForms)
{
    ContenidoTools c;
    c.Idioma = 0;
    c.DirOscilos = "/datos/oscilos";
    c.DirPlantillas = "/datos/plantillas";
    c.DirAplicaciones = "/datos/apps";
    c.Herramientas = {{"Analizador", "/opt/an/analizador"}, {"Informe", "/opt/inf=2/informe"}};
    EscribirFicheroTools(c);
    EXPECT_EQ(Leer("tools.ini"), Crlf("0\n/datos/oscilos\n/datos/plantillas\n/datos/apps\n2\n"
                                      "\"Analizador=/opt/an/analizador\"\n\"Informe=/opt/inf=2/informe\"\n"));

    // And reads back as written, the second "=" staying in the path.
    const ContenidoTools leido = LeerFicheroTools();
    EXPECT_EQ(leido.Idioma, 0);
    ASSERT_EQ(leido.Herramientas.size(), 2u);
    EXPECT_EQ(leido.Herramientas[1].Nombre, "Informe");
    EXPECT_EQ(leido.Herramientas[1].Ruta, "/opt/inf=2/informe");
}

TEST_F(IniFilesTest, FicherIniHoldsLanguageCountAndTheFourPathsInPrintForm)
{
    Shell().Idioma = 1;
    Registro().RegistroAbierto = true;
    Registro().RutaDat = "/r/rec.dat";
    Registro().RutaCfg = "/r/rec.cfg";
    Plantillas().RutaPlantilla = "";
    ASSERT_TRUE(EscribirFicher());
    // No header and no template: lines 4 and 6 empty.
    EXPECT_EQ(Leer("ficher.ini"), Crlf(" 1 \n 4 \n/r/rec.dat\n\n/r/rec.cfg\n\n"));
}

TEST_F(IniFilesTest, ToolLinesAreCutByPosition)
{
    struct Caso {
        const char* linea;
        const char* nombre;
        const char* ruta;
    };
    const Caso casos[] = {
        {"\"Calc=/bin/calc\"", "Calc", "/bin/calc"},
        {"\"A=b=c\"", "A", "b=c"},           // a second "=" belongs to the path
        {"\"Vacia=\"", "Vacia", ""},         // no path
        {"\"=/bin/x\"", "", "/bin/x"},       // no name
        {"xNombre=rutax", "Nombre", "ruta"}, // the quotes are positions, not characters
        {"\"SinIgual\"", "SinIgual", ""},
        {"", "", ""},
    };
    for (const Caso& c : casos) {
        const Herramienta h = PartirHerramienta(QString::fromLatin1(c.linea));
        EXPECT_EQ(h.Nombre, c.nombre) << c.linea;
        EXPECT_EQ(h.Ruta, c.ruta) << c.linea;
    }
}

TEST_F(IniFilesTest, LeerToolsSetsLanguageAndFoldersAndCountsTools)
{
    Escribir("tools.ini", kTools);
    Shell().Idioma = 0;
    EXPECT_EQ(LeerTools(), 2);
    EXPECT_EQ(Shell().Idioma, 1);
    EXPECT_EQ(Shell().DirOscilos, "/datos/oscilos");
    EXPECT_EQ(Shell().DirPlantillas, "/datos/plantillas");
    EXPECT_EQ(Shell().DirAplicaciones, "/datos/apps");
    EXPECT_TRUE(HabilitarTools());
    ASSERT_EQ(LeerHerramientas().size(), 2u);

    Escribir("tools.ini", Crlf("1\n/a\n/b\n/c\n0\n"));
    EXPECT_EQ(LeerTools(), 0);
    EXPECT_FALSE(HabilitarTools()); // the Análisis menu is hidden
    EXPECT_TRUE(LeerHerramientas().empty());
}

TEST_F(IniFilesTest, ReaderErrorsCarryTheRuntimeNumbers)
{
    EXPECT_EQ(ErrorDe([] { (void)LeerTools(); }), vberr::FileNotFound);
    EXPECT_EQ(ErrorDe([] { (void)LeerFicheroFicher(); }), vberr::FileNotFound);

    Escribir("tools.ini", Crlf("uno\n/a\n/b\n/c\n0\n"));
    EXPECT_EQ(ErrorDe([] { (void)LeerTools(); }), vberr::TypeMismatch);
    Escribir("tools.ini", Crlf("1\n/a\n/b\n"));
    EXPECT_EQ(ErrorDe([] { (void)LeerTools(); }), vberr::InputPastEndOfFile);
    // LeerTools reads no tool line; the full reader misses the announced ones.
    Escribir("tools.ini", Crlf("1\n/a\n/b\n/c\n2\n\"x=y\"\n"));
    EXPECT_EQ(LeerTools(), 2);
    EXPECT_EQ(ErrorDe([] { (void)LeerFicheroTools(); }), vberr::InputPastEndOfFile);

    Escribir("ficher.ini", Crlf(" 1 \n 4 \n/a\n"));
    EXPECT_EQ(ErrorDe([] { (void)LeerFicheroFicher(); }), vberr::InputPastEndOfFile);
}

TEST_F(IniFilesTest, ReadersAcceptLoneLineFeedsAndFindTheFilesWhateverTheirCase)
{
    Escribir("TOOLS.INI", "0\n/a\n/b\n/c\n1\n\"t=/bin/t\"\n");
    EXPECT_EQ(LeerTools(), 1);
    EXPECT_EQ(Shell().Idioma, 0);
    EXPECT_EQ(LeerHerramientas()[0].Ruta, "/bin/t");

    // The rewrite replaces that file rather than adding a second one.
    Escribir("Ficher.ini", " 0 \n 4 \n\n\n\n\n");
    GuardarIdioma(1);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(Leer("TOOLS.INI").left(3), "1\r\n");
    EXPECT_EQ(Leer("Ficher.ini").left(5), " 1 \r\n");
}

TEST_F(IniFilesTest, RecargarToolsReadsOnlyTheFoldersAndReportsAMissingFile)
{
    Escribir("tools.ini", kTools);
    Shell().Idioma = 0;
    EXPECT_TRUE(RecargarTools());
    EXPECT_EQ(Shell().Idioma, 0);
    EXPECT_EQ(Shell().DirPlantillas, "/datos/plantillas");

    QFile::remove(Ruta("tools.ini"));
    EXPECT_FALSE(RecargarTools());
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, "Error 53: File not found\n" + Ruta("tools.ini"));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
}

TEST_F(IniFilesTest, RelativeFoldersAreTakenFromTheProgramFolder)
{
    SetExeFolderOverride(Ruta("vesdra/EXE"));
    Escribir("tools.ini", Crlf("1\nOscilos\n/abs/plantillas\n\n0\n"));
    (void)LeerTools();
    EXPECT_EQ(Shell().DirOscilos, QDir::cleanPath(Ruta("vesdra/Oscilos")));
    EXPECT_EQ(Shell().DirPlantillas, "/abs/plantillas");
    EXPECT_EQ(Shell().DirAplicaciones, "");
}

TEST_F(IniFilesTest, MenuLoadTakesTheLanguageFromFicherAndDropsUncountedLines)
{
    Escribir("tools.ini", Crlf("0\n/a\n/b\n/c\n0\n"));
    Escribir("ficher.ini", Crlf(" 1 \n 2 \n/x.dat\n/x.hdr\nsobrante\n"));
    (void)LeerTools();
    EXPECT_TRUE(RenovarFicher());
    EXPECT_EQ(Shell().Idioma, 1); // ficher.ini wins over tools.ini
    EXPECT_EQ(Leer("ficher.ini"), Crlf(" 1 \n 2 \n/x.dat\n/x.hdr\n"));
}

TEST_F(IniFilesTest, MissingOrShortFicherIsRebuiltSoTheLanguageStillLoads)
{
    Shell().Idioma = 0;
    EXPECT_FALSE(RenovarFicher());
    EXPECT_EQ(Leer("ficher.ini"), Crlf(" 0 \n 4 \n\n\n\n\n"));
    EXPECT_EQ(Shell().Idioma, 0);

    Escribir("ficher.ini", Crlf(" 1 \n 4 \n/a.dat\n"));
    EXPECT_FALSE(RenovarFicher());
    EXPECT_EQ(LeerFicheroFicher().Rutas.size(), 4);
}

TEST_F(IniFilesTest, LanguageSwitchRewritesLineOneOfBothFilesAndNothingElse)
{
    InstalarGuardarIdioma();
    Escribir("tools.ini", kTools);
    Escribir("ficher.ini", Crlf(" 1 \n 4 \n/r.dat\n/r.hdr\n/r.cfg\n/p.cnf\n"));
    QFile::copy(QStringLiteral(VESDRA_RESOURCES_DIR "/ini/vsingles.ini"), Ruta("vsingles.ini"));
    QFile::copy(QStringLiteral(VESDRA_RESOURCES_DIR "/ini/vsotro.ini"), Ruta("vsotro.ini"));
    Shell().Idioma = 1;

    const LanguageSwitchResult r = ElegirIdioma(0);
    EXPECT_TRUE(r.Cambiado);
    EXPECT_FALSE(r.ErrorGuardar.has_value());
    EXPECT_EQ(Leer("ficher.ini"), Crlf(" 0 \n 4 \n/r.dat\n/r.hdr\n/r.cfg\n/p.cnf\n"));
    QByteArray tools = kTools;
    tools[0] = '0';
    EXPECT_EQ(Leer("tools.ini"), tools);
    EXPECT_EQ(QFileInfo(Shell().FicheroIdioma).fileName(), "vsingles.ini");
    SetGuardarIdiomaEnFicheros({});
}

TEST_F(IniFilesTest, LanguageSwitchWithABadToolsIniTouchesNeitherFile)
{
    Escribir("tools.ini", Crlf("1\n/a\n"));
    const QByteArray ficher = Crlf(" 1 \n 4 \n\n\n\n\n");
    Escribir("ficher.ini", ficher);
    EXPECT_EQ(ErrorDe([] { GuardarIdioma(0); }), vberr::InputPastEndOfFile);
    EXPECT_EQ(Leer("ficher.ini"), ficher);
    EXPECT_EQ(Leer("tools.ini"), Crlf("1\n/a\n"));
}

TEST_F(IniFilesTest, FicherThatCannotBeWrittenIsReportedAndLeavesNothingBehind)
{
    Shell().CarpetaIni = Ruta("no/existe");
    EXPECT_FALSE(EscribirFicher());
    EXPECT_FALSE(QFileInfo::exists(Ruta("no")));
    // The user learns that the tools would read a stale file, and which.
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, "Error 76: Path not found\n" + Ruta("no/existe"));
}

TEST_F(IniFilesTest, PathsRoundTripAsTheFileSystemsBytes)
{
    const QString dat = QString::fromUtf8("/datos/Año/é_Ωμέγα_電力.dat");
    Shell().Idioma = 1;
    Registro().RegistroAbierto = true;
    Registro().RutaDat = dat;
    ASSERT_TRUE(EscribirFicher());
    // An external tool finds the very bytes of the file's name.
    EXPECT_TRUE(Leer("ficher.ini").contains("\r\n" + dat.toUtf8() + "\r\n"));
    EXPECT_EQ(LeerFicheroFicher().Rutas.at(0), dat);

    ContenidoTools c;
    c.DirOscilos = QString::fromUtf8("/datos/Año");
    c.Herramientas = {{QString::fromUtf8("Análisis"), QString::fromUtf8("/opt/Ωμέγα/電力")}};
    EscribirFicheroTools(c);
    const QByteArray tools = Leer("tools.ini");
    EXPECT_TRUE(tools.contains("\r\n/datos/A\xc3\xb1o\r\n"));
    // The tool's name is text of the program, Windows-1252; its path is a path.
    EXPECT_TRUE(tools.contains("\"An\xe1lisis=" + QString::fromUtf8("/opt/Ωμέγα/電力").toUtf8() + "\""));
    const ContenidoTools leido = LeerFicheroTools();
    EXPECT_EQ(leido.DirOscilos, c.DirOscilos);
    ASSERT_EQ(leido.Herramientas.size(), 1u);
    EXPECT_EQ(leido.Herramientas[0].Nombre, c.Herramientas[0].Nombre);
    EXPECT_EQ(leido.Herramientas[0].Ruta, c.Herramientas[0].Ruta);
}

TEST_F(IniFilesTest, SettingsInAFolderThatIsNotWritableAreRewrittenInPlace)
{
    QByteArray tools = kTools;
    tools[0] = '0';
    Escribir("tools.ini", tools);
    Escribir("ficher.ini", Crlf(" 0 \n 4 \n/viejo.dat\n\n\n\n"));
    // No new file can be made in the folder; the files themselves are writable.
    TextFileOps ops = SystemTextFileOps();
    const TextFileOps sistema = SystemTextFileOps();
    ops.Write = [sistema](const QString& path, const QByteArray& bytes, bool create) {
        return create ? vberr::PathFileAccessError : sistema.Write(path, bytes, create);
    };
    SetTextFileOps(ops);
    struct Restaurar {
        ~Restaurar() { SetTextFileOps({}); }
    } restaurar;
    Registro().RegistroAbierto = true;
    Registro().RutaDat = "/nuevo.dat";
    EXPECT_TRUE(EscribirFicher());
    EXPECT_EQ(Leer("ficher.ini"), Crlf(" 0 \n 4 \n/nuevo.dat\n\n\n\n"));
    // The language switch too (it used to end in error 75).
    GuardarIdioma(1);
    EXPECT_TRUE(Leer("ficher.ini").startsWith(" 1 \r\n"));
    EXPECT_EQ(Leer("tools.ini"), kTools);
    EXPECT_EQ(Boxes().Count(), 0);

    // Not writable at all: the box names the file and the old one stays.
    ops.Write = [](const QString&, const QByteArray&, bool) { return vberr::PathFileAccessError; };
    SetTextFileOps(ops);
    Registro().RutaDat = "/otro.dat";
    EXPECT_FALSE(EscribirFicher());
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, "Error 75: Path/File access error\n" + Ruta("ficher.ini"));
    EXPECT_TRUE(Leer("ficher.ini").contains("/nuevo.dat"));
}

TEST(ShippedSettingsFiles, ReadAsDefaultsWhoseFoldersExistInTheRuntimeTree)
{
    const QString ini = QStringLiteral(VESDRA_RUNTIME_ROOT "/ini");
    ShellState guardado = Shell();
    Shell().CarpetaIni = ini;
    const test::ScopedExeFolder exe(QStringLiteral(VESDRA_RUNTIME_ROOT "/EXE"));
    ASSERT_EQ(LeerTools(), 0);
    for (const QString& d : {Shell().DirOscilos, Shell().DirPlantillas, Shell().DirAplicaciones})
        EXPECT_TRUE(QFileInfo(d).isDir()) << d.toStdString();
    const ContenidoFicher f = LeerFicheroFicher();
    EXPECT_EQ(f.Rutas.size(), NumRutasFicher);
    Shell() = guardado;
}

} // namespace
} // namespace vesdra
