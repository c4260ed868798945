#include "shell/language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "platform/base/cp1252.h"
#include "platform/base/file_names.h"
#include "platform/translations.h"

namespace vesdra {

namespace {

GuardarIdiomaEnFicheros& GuardarHook()
{
    static GuardarIdiomaEnFicheros hook;
    return hook;
}

// Up to `max` lines of `bytes`, split as every settings reader of the program
// splits them: a line ends at CR LF or at a lone LF (a lone CR stays in its
// line), and text after the last line end is a line of its own.
std::vector<QByteArray> SplitLines(const QByteArray& bytes, int max)
{
    std::vector<QByteArray> lines;
    lines.reserve(static_cast<size_t>(max));
    const char* p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n && static_cast<int>(lines.size()) < max) {
        if (p[i] == '\n') {
            const qsizetype end = (i > start && p[i - 1] == '\r') ? i - 1 : i;
            lines.emplace_back(p + start, end - start);
            start = i + 1;
        }
        ++i;
    }
    if (start < n && static_cast<int>(lines.size()) < max)
        lines.emplace_back(p + start, n - start);
    return lines;
}

QString Placeholder(int n, std::int32_t idioma)
{
    return (idioma == IdiomaEspanol ? QStringLiteral("Texto %1") : QStringLiteral("Text %1")).arg(n);
}

} // namespace

const QString& TextosIdioma(int n)
{
    static const QString empty;
    if (n < 1 || n > NumTextosIdioma)
        return empty;
    return Shell().TextosIdioma[static_cast<size_t>(n)];
}

QString FicheroDeIdioma(const QString& carpetaIni, std::int32_t idioma)
{
    const QString ruta =
        carpetaIni + QLatin1Char('/') +
        (idioma == IdiomaEspanol ? QStringLiteral("vsotro.ini") : QStringLiteral("vsingles.ini"));
    // A missing file keeps its own name, for the message that names it.
    const QString encontrado = FileNoCase(ruta);
    return encontrado.isEmpty() ? ruta : encontrado;
}

void RellenarTextosVacios()
{
    ShellState& s = Shell();
    for (int n = 1; n <= NumTextosIdioma; ++n) {
        QString& text = s.TextosIdioma[static_cast<size_t>(n)];
        if (text.isEmpty())
            text = Placeholder(n, s.Idioma);
    }
}

bool CargarIdioma(VbError* error)
{
    ShellState& s = Shell();
    QFile file(s.FicheroIdioma);
    std::vector<QByteArray> lines;
    bool utf8 = false;
    std::optional<VbError> failure;
    if (s.FicheroIdioma.isEmpty() || !QFileInfo(s.FicheroIdioma).isFile()) {
        failure = FileError(vberr::FileNotFound, s.FicheroIdioma);
    } else if (!file.open(QIODevice::ReadOnly)) {
        failure = FileError(vberr::PathFileAccessError, s.FicheroIdioma);
    } else {
        const QByteArray bytes = file.readAll();
        // Read as the other text files are: UTF-8 when it is, else
        // Windows-1252, decided once for the whole file.
        utf8 = IsMultiByteUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        lines = SplitLines(bytes, NumTextosIdioma);
        if (static_cast<int>(lines.size()) < NumTextosIdioma)
            failure = FileError(vberr::InputPastEndOfFile, s.FicheroIdioma);
    }

    for (int n = 1; n <= NumTextosIdioma; ++n) {
        QString& text = s.TextosIdioma[static_cast<size_t>(n)];
        if (n <= static_cast<int>(lines.size()))
            text = DecodeText(lines[static_cast<size_t>(n - 1)], utf8);
        else if (text.isEmpty())
            text = Placeholder(n, s.Idioma);
    }

    if (failure && error)
        *error = *failure;
    return !failure;
}

namespace {

// Loads the language file of `idioma`; when it is missing, the other
// language's file is loaded instead (the menus stay readable, so the user
// can still find the language switch), and the failure is still returned.
bool CargarIdiomaORespaldo(std::int32_t idioma, VbError* error)
{
    ShellState& s = Shell();
    s.FicheroIdioma = FicheroDeIdioma(s.CarpetaIni, idioma);
    VbError fallo(0);
    const bool cargado = CargarIdioma(&fallo);
    std::int32_t enVigor = idioma;
    if (!cargado) {
        if (error)
            *error = fallo;
        const std::int32_t otroIdioma = idioma == IdiomaEspanol ? IdiomaIngles : IdiomaEspanol;
        const QString otro = FicheroDeIdioma(s.CarpetaIni, otroIdioma);
        if (fallo.Number == vberr::FileNotFound && QFileInfo(otro).isFile()) {
            s.FicheroIdioma = otro;
            (void)CargarIdioma();
            enVigor = otroIdioma;
        }
    }
    // The toolkit's buttons (OK, Cancel, Yes, No) follow the texts loaded.
    (void)SetToolkitLanguage(enVigor == IdiomaEspanol ? QStringLiteral("es") : QStringLiteral("en"));
    return cargado;
}

} // namespace

bool IniciarIdioma(VbError* error)
{
    return CargarIdiomaORespaldo(Shell().Idioma, error);
}

void SetGuardarIdiomaEnFicheros(GuardarIdiomaEnFicheros hook)
{
    GuardarHook() = std::move(hook);
}

LanguageSwitchResult CambiarIdioma(std::int32_t lang)
{
    LanguageSwitchResult result;
    result.Cambiado = true;
    // A failure to persist the number must not stop the switch itself: the
    // table would stay in the old language while Idioma names the new one,
    // and the menu would refuse to switch again.
    if (GuardarHook()) {
        try {
            GuardarHook()(lang);
        } catch (const VbError& e) {
            result.ErrorGuardar = e;
        }
    }

    VbError loadError(0);
    if (!CargarIdiomaORespaldo(lang == IdiomaIngles ? IdiomaIngles : IdiomaEspanol, &loadError))
        result.ErrorCargar = loadError;
    return result;
}

LanguageSwitchResult ElegirIdioma(std::int32_t lang)
{
    ShellState& s = Shell();
    if (s.Idioma == lang)
        return {};
    s.Idioma = lang;
    return CambiarIdioma(lang);
}

} // namespace vesdra
