#include "shell/ini_files.h"

#include <QDir>
#include <algorithm>

#include "platform/base/app_paths.h"
#include "platform/base/cp1252.h"
#include "platform/base/file_names.h"
#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QString EnCarpetaIni(const QString& nombre)
{
    return ExistingPathNoCase(Shell().CarpetaIni + QLatin1Char('/') + nombre);
}

// The lines of a settings file as its own bytes: a path line is decoded as
// a path, any other as Windows-1252 text.
struct LineasIni {
    QString fichero;
    QByteArrayList lineas;

    explicit LineasIni(const QString& ruta) : fichero(ruta), lineas(ReadTextLineBytes(ruta)) {}

    // Line i (0-based), or the failure of Line Input past the end.
    const QByteArray& Linea(qsizetype i) const
    {
        if (i >= lineas.size())
            throw FileError(vberr::InputPastEndOfFile, fichero);
        return lineas[i];
    }
    QString Texto(qsizetype i) const { return FromCp1252(Linea(i)); }
    QString Ruta(qsizetype i) const { return PathFromBytes(Linea(i)); }
    std::int32_t Numero(qsizetype i) const
    {
        try {
            return NumberLine(Texto(i));
        } catch (const VbError& e) {
            throw FileError(e.Number, fichero);
        }
    }
};

// Lines 1..5 of tools.ini; the tool lines only when conHerramientas.
ContenidoTools AnalizarTools(const LineasIni& f, bool conHerramientas, std::int32_t* cuenta)
{
    ContenidoTools c;
    c.Idioma = f.Numero(0);
    c.DirOscilos = f.Ruta(1);
    c.DirPlantillas = f.Ruta(2);
    c.DirAplicaciones = f.Ruta(3);
    const std::int32_t n = f.Numero(4);
    if (cuenta)
        *cuenta = n;
    if (conHerramientas) {
        for (std::int32_t i = 0; i < n; ++i)
            c.Herramientas.push_back(PartirLineaHerramienta(f.Linea(5 + i)));
    }
    return c;
}

ContenidoFicher FicherActual(std::int32_t idioma)
{
    const RecordModel& r = Registro();
    const TemplateState& p = Plantillas();
    const bool registro = r.RegistroAbierto;
    const bool plantilla = p.PlantillaAplicada && !p.PlantillaNoEncaja;
    return {idioma,
            {registro ? r.RutaDat : QString(), registro ? r.RutaHdr : QString(),
             registro ? r.RutaCfg : QString(), plantilla ? p.RutaPlantillaAplicada : QString()}};
}

bool FicherRehecho(const VbError& e)
{
    return e.Number == vberr::FileNotFound || e.Number == vberr::InputPastEndOfFile ||
           e.Number == vberr::TypeMismatch;
}

} // namespace

QString RutaTools()
{
    return EnCarpetaIni(QStringLiteral("tools.ini"));
}
QString RutaFicher()
{
    return EnCarpetaIni(QStringLiteral("ficher.ini"));
}

Herramienta PartirHerramienta(QStringView linea)
{
    // Positions as the file's own readers cut them: character 1 and the last
    // are the quotes, whatever they hold.
    const qsizetype k = linea.size() > 1 ? linea.indexOf(QLatin1Char('='), 1) : -1;
    if (k < 0)
        return {QuotedLine(linea), {}, false};
    Herramienta h;
    h.Nombre = linea.mid(1, k - 1).toString();
    const qsizetype fin = linea.size() - 1; // the next-to-last character is fin - 1
    h.Ruta = fin > k + 1 ? linea.mid(k + 1, fin - k - 1).toString() : QString();
    return h;
}

Herramienta PartirLineaHerramienta(const QByteArray& linea)
{
    // The same positions on the bytes: "=" is one byte in either encoding.
    const qsizetype k = linea.size() > 1 ? linea.indexOf('=', 1) : -1;
    if (k < 0)
        return {FromCp1252(linea.size() < 2 ? QByteArray() : linea.mid(1, linea.size() - 2)), {}, false};
    const qsizetype fin = linea.size() - 1;
    return {FromCp1252(linea.mid(1, k - 1)),
            fin > k + 1 ? PathFromBytes(linea.mid(k + 1, fin - k - 1)) : QString()};
}

QString UnirHerramienta(const Herramienta& h)
{
    return h.Nombre + QLatin1Char('=') + h.Ruta;
}

ContenidoTools LeerFicheroTools()
{
    return AnalizarTools(LineasIni(RutaTools()), true, nullptr);
}

void EscribirFicheroTools(const ContenidoTools& c)
{
    TextFileWriter w(RutaTools());
    w.WriteLine(static_cast<double>(c.Idioma));
    w.PrintPathLine(c.DirOscilos);
    w.PrintPathLine(c.DirPlantillas);
    w.PrintPathLine(c.DirAplicaciones);
    w.WriteLine(static_cast<double>(c.Herramientas.size()));
    for (const Herramienta& h : c.Herramientas)
        w.WriteRawLine(ToCp1252(h.Nombre) + '=' + PathBytes(h.Ruta));
    w.Commit();
}

void PonerCarpetasTools(const ContenidoTools& c)
{
    ShellState& s = Shell();
    s.DirOscilos = CarpetaPrograma(c.DirOscilos);
    s.DirPlantillas = CarpetaPrograma(c.DirPlantillas);
    s.DirAplicaciones = CarpetaPrograma(c.DirAplicaciones);
}

QString CarpetaPrograma(const QString& carpeta)
{
    if (carpeta.trimmed().isEmpty() || !QDir::isRelativePath(carpeta))
        return carpeta;
    return QDir::cleanPath(ExeFolder() + QStringLiteral("/../") + carpeta);
}

std::int32_t LeerTools()
{
    std::int32_t n = 0;
    const ContenidoTools c = AnalizarTools(LineasIni(RutaTools()), false, &n);
    Shell().Idioma = c.Idioma;
    PonerCarpetasTools(c);
    return std::max<std::int32_t>(n, 0);
}

bool RecargarTools()
{
    try {
        const LineasIni f(RutaTools());
        ContenidoTools c;
        (void)f.Linea(0);
        c.DirOscilos = f.Ruta(1);
        c.DirPlantillas = f.Ruta(2);
        c.DirAplicaciones = f.Ruta(3);
        PonerCarpetasTools(c);
        return true;
    } catch (const VbError& e) {
        ShowErrorBox(e);
        return false;
    }
}

bool HabilitarTools()
{
    return LeerTools() != 0;
}

std::vector<Herramienta> LeerHerramientas()
{
    return LeerFicheroTools().Herramientas;
}

ContenidoFicher LeerFicheroFicher()
{
    const LineasIni f(RutaFicher());
    ContenidoFicher c;
    c.Idioma = f.Numero(0);
    const std::int32_t n = f.Numero(1);
    for (std::int32_t i = 0; i < n; ++i)
        c.Rutas.push_back(f.Ruta(2 + i));
    return c;
}

void EscribirFicheroFicher(const ContenidoFicher& c)
{
    TextFileWriter w(RutaFicher());
    w.PrintLine(static_cast<double>(c.Idioma));
    w.PrintLine(static_cast<double>(c.Rutas.size()));
    for (const QString& ruta : c.Rutas)
        w.PrintPathLine(ruta);
    w.Commit();
}

bool EscribirFicher()
{
    try {
        EscribirFicheroFicher(FicherActual(Shell().Idioma));
        return true;
    } catch (const VbError& e) {
        ShowErrorBox(e);
        return false;
    }
}

bool RenovarFicher()
{
    ShellState& s = Shell();
    try {
        const ContenidoFicher c = LeerFicheroFicher();
        s.Idioma = c.Idioma;
        EscribirFicheroFicher(c);
        return true;
    } catch (const VbError& e) {
        if (!FicherRehecho(e))
            return false;
    }
    // Without its language line the program would start with no captions:
    // the file is made again from what is known now.
    (void)EscribirFicher();
    return false;
}

bool TomarIdiomaFicher()
{
    try {
        const LineasIni f(RutaFicher());
        Shell().Idioma = f.Numero(0);
        return true;
    } catch (const VbError&) {
        return false;
    }
}

void GuardarIdioma(std::int32_t lang)
{
    ContenidoFicher ficher;
    try {
        ficher = LeerFicheroFicher();
    } catch (const VbError& e) {
        if (!FicherRehecho(e))
            throw;
        ficher = FicherActual(lang);
    }
    ficher.Idioma = lang;

    // tools.ini is read before anything is written, so a bad tools.ini
    // leaves both files as they were.
    ContenidoTools tools = LeerFicheroTools();
    tools.Idioma = lang;
    EscribirFicheroFicher(ficher);
    EscribirFicheroTools(tools);
}

void InstalarGuardarIdioma()
{
    SetGuardarIdiomaEnFicheros(GuardarIdioma);
}

} // namespace vesdra
