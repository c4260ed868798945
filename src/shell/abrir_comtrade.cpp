#include "shell/abrir_comtrade.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/base/file_names.h"
#include "platform/base/name_elide.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/frm_menu.h"
#include "shell/gasolino.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/open_hooks.h"
#include "shell/view_services.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

// The gauge is shown for the whole read and unloaded on every way out. The
// read starts once the gauge is on screen and painted (and the windows
// repainted: the file dialog that chose the record is gone); from then on
// the gauge paints itself at every step.
struct GaugeAbierto {
    GaugeAbierto()
    {
        Gasolino& g = gasolino();
        (void)g.LlenarGasolino(true, 0);
        MostrarExpuesta(g);
    }
    ~GaugeAbierto() { DescargarGasolino(); }
    GaugeAbierto(const GaugeAbierto&) = delete;
    GaugeAbierto& operator=(const GaugeAbierto&) = delete;
};

// The message of a refused .cfg or .dat.
QString TextoRechazo(const ResultadoLectura& res, const RecordModel& nuevo, bool esCfg)
{
    switch (res.Error) {
    case ErrorLectura::NoSeAbre:
        return esCfg ? TextosIdioma(173) + QLatin1Char(' ') + nuevo.RutaCfg
                     : TextosIdioma(97) + QLatin1Char(' ') + nuevo.RutaDat;
    case ErrorLectura::CuentaNoValida:
        return TextosIdioma(95);
    case ErrorLectura::CuentasNoCoinciden:
        return TextosIdioma(96);
    case ErrorLectura::SinMuestras:
        return TextosIdioma(100);
    case ErrorLectura::RevisionRechazada:
        return TextosIdioma(213).arg(res.Hallado);
    case ErrorLectura::FinesDeLineaCR:
        return esCfg ? TextosIdioma(210) : TextosIdioma(107) + QLatin1Char(' ') + nuevo.RutaDat;
    case ErrorLectura::MuestraFinalNoValida:
        return TextosIdioma(212).arg(res.Hallado);
    case ErrorLectura::MuestraFinalNoNumero:
        return TextosIdioma(109).arg(res.Hallado);
    case ErrorLectura::DatCorto:
        return TextosIdioma(108).arg(res.Hallado).arg(res.Necesarios) + QLatin1Char(' ') + nuevo.RutaDat;
    case ErrorLectura::SinLineaEntera:
        return TextosIdioma(112) + QLatin1Char(' ') + nuevo.RutaDat;
    case ErrorLectura::DatVacio:
        return TextosIdioma(211) + QLatin1Char(' ') + nuevo.RutaDat;
    case ErrorLectura::TipoDesconocido:
        return TextosIdioma(277);
    case ErrorLectura::FactorNoValido:
        return TextosIdioma(106).arg(res.Linea).arg(res.Hallado);
    case ErrorLectura::CanalesNoCoinciden:
        return TextosIdioma(215)
            .arg(res.Hallado)
            .arg(res.CuentaAnalogicos)
            .arg(res.CuentaDigitales)
            .arg(res.Linea);
    case ErrorLectura::Ninguno:
        break;
    }
    return res.Detalle;
}

// The analog channels `canales` (1-based) by their names, the first few of
// them: each name in quotes and cut in the middle when long, a channel
// without a name by its number, each followed by ": " and what `detalle`
// says of it when it is given, and "…" after them when there are more.
QString ListaDeCanales(const std::vector<std::int32_t>& canales, const RecordModel& r,
                       const std::function<QString(std::int32_t)>& detalle = {})
{
    constexpr size_t kNombrados = 5;
    constexpr double kLargoNombre = 40;
    const TextAdvance caracteres = [](const QString& t) { return static_cast<double>(t.size()); };
    QStringList nombres;
    for (size_t i = 0; i < std::min(canales.size(), kNombrados); ++i) {
        const std::int32_t c = canales[i];
        const QString nombre = c <= r.TablaCanales.Rows() && r.TablaCanales.Cols() >= 2
                                   ? r.TablaCanales(c, 2).trimmed()
                                   : QString();
        QString entrada =
            nombre.isEmpty()
                ? QString::number(c)
                : QLatin1Char('"') + ElideMiddle(nombre, kLargoNombre, caracteres) + QLatin1Char('"');
        if (detalle)
            entrada += QStringLiteral(": ") + detalle(c);
        nombres << entrada;
    }
    if (canales.size() > kNombrados)
        nombres << QStringLiteral("…");
    return nombres.join(QStringLiteral(", "));
}

// The side of 1997 channel c that its ratings cannot give: the other one
// than its flag names (texts 279 and 280, in lower case).
QString LadoSinRelacion(const RecordModel& r, std::int32_t c)
{
    const bool secundario = c <= r.TablaPrimSec.Size() && LadoMarcado(r.TablaPrimSec(c)) == Lado::Secundario;
    return TextosIdioma(secundario ? 279 : 280).toLower();
}

// What the user is told about a record that opened: skews beyond single
// precision, a data file shorter than announced, sample lines incomplete or
// unreadable, 1997 channels shown as the file holds them, several sampling
// rates, no line frequency, no sampling rate. Empty when there is nothing
// to tell.
QString Avisos(const ResultadoLectura& cfg, const ResultadoLectura& dat, const RecordModel& r)
{
    QStringList avisos;
    if (!cfg.CanalesDesfaseFuera.empty()) {
        // A channel's line follows line 1 and line 2.
        avisos << TextosIdioma(216)
                      .arg(static_cast<qlonglong>(cfg.CanalesDesfaseFuera.size()))
                      .arg(ListaDeCanales(cfg.CanalesDesfaseFuera, r,
                                          [](std::int32_t c) { return QString::number(c + 2); }));
    }
    if (dat.MuestrasAnunciadas > 0)
        avisos << TextosIdioma(98).arg(r.NumMuestras()).arg(dat.MuestrasAnunciadas);
    if (dat.LineasDanadas > 0)
        avisos << TextosIdioma(104).arg(dat.LineasDanadas).arg(dat.PrimeraLineaDanada);
    if (!dat.CanalesSinMarca.empty()) {
        avisos << TextosIdioma(113)
                      .arg(static_cast<qlonglong>(dat.CanalesSinMarca.size()))
                      .arg(ListaDeCanales(dat.CanalesSinMarca, r));
    }
    if (!dat.CanalesSinRelacion.empty()) {
        avisos << TextosIdioma(114)
                      .arg(static_cast<qlonglong>(dat.CanalesSinRelacion.size()))
                      .arg(ListaDeCanales(dat.CanalesSinRelacion, r,
                                          [&r](std::int32_t c) { return LadoSinRelacion(r, c); }));
    }
    if (TasasDistintas(r))
        avisos << TextosIdioma(99);
    if (r.FrecuenciaLinea <= 0)
        avisos << TextosIdioma(101);
    if (FrecuenciaMuestreo(r) <= 0)
        avisos << TextosIdioma(115).arg(r.TasasMuestreo.Empty() ? 0 : r.TasasMuestreo(1));
    return avisos.join(QStringLiteral("\n\n"));
}

// The old record gives way to the new one read aside: its template, its
// view selections and its model go; the new .cfg's channels are offered to
// the template wizard.
void TomarRegistro(RecordModel&& nuevo)
{
    CerrarPlantillas();
    DeshabilitarFasoresInforme();
    AperturaHooks().ReiniciarVistas();
    const auto paleta = Registro().PaletaColores;
    Registro() = std::move(nuevo);
    Registro().PaletaColores = paleta;
    OfrecerCanalesPlantilla();
    IniciarValores();
}

// The file of extension `extension` beside a data file, as its name is
// derived: the data file's name with the extension after its last "."
// replaced (rec.1.dat gives rec.1.cfg; a name without "." gets one).
QString Hermano(const QString& rutaDat, QLatin1StringView extension)
{
    const qsizetype barra = rutaDat.lastIndexOf(QLatin1Char('/'));
    const qsizetype punto = rutaDat.lastIndexOf(QLatin1Char('.'));
    const QString base = punto > barra ? rutaDat.left(punto + 1) : rutaDat + QLatin1Char('.');
    return base + extension;
}

} // namespace

RutasRegistro DerivarRutas(const QString& rutaDat)
{
    RutasRegistro rutas;
    rutas.Dat = rutaDat;
    if (rutaDat.isEmpty())
        return rutas;
    rutas.Cfg = FileNoCase(Hermano(rutaDat, QLatin1StringView("cfg")));
    rutas.Hdr = FileNoCase(Hermano(rutaDat, QLatin1StringView("hdr")));
    return rutas;
}

ResultadoApertura AbrirRegistro(const RutasRegistro& rutas)
{
    // Opened or refused, the windows left for the record open before (its
    // conversion choice, dialog or help, the dialogs that choose what its
    // views show) have nothing to act on any more.
    DescargarDialogosVistas();
    if (rutas.Dat.isEmpty()) {
        (void)MsgBox(TextosIdioma(174), vbCritical);
        return {Apertura::SinDatos, {}};
    }
    if (rutas.Cfg.isEmpty()) {
        // The name looked for, so that a user can see what is missing.
        (void)MsgBox(TextosIdioma(173) + QLatin1Char(' ') + Hermano(rutas.Dat, QLatin1StringView("cfg")),
                     vbCritical);
        return {Apertura::SinCfg, {}};
    }

    // The record is read aside and takes the open one's place only once it
    // was read whole: any refusal leaves the open record, its template, its
    // menus and ficher.ini as they were.
    RecordModel nuevo;
    nuevo.RutaDat = rutas.Dat;
    nuevo.RutaCfg = rutas.Cfg;
    nuevo.RutaHdr = rutas.Hdr;
    QString rechazo;
    int estilo = vbCritical;
    ResultadoApertura res{Apertura::Abierto, {}};
    ResultadoLectura cfg;
    ResultadoLectura dat;
    {
        MousePointerGuard reloj(vbHourglass);
        GaugeAbierto gauge;
        cfg = LeerCfg(nuevo);
        if (cfg.Error == ErrorLectura::RevisionRechazada) {
            rechazo = TextoRechazo(cfg, nuevo, true);
            estilo = vbOKOnly;
            res = {Apertura::RevisionRechazada, {}};
        } else if (!cfg.Ok()) {
            rechazo = TextoRechazo(cfg, nuevo, true);
            res = {Apertura::CfgNoValido, {}};
        } else {
            (void)gasolino().LlenarGasolino(true, 5);
            dat = LeerDat(nuevo);
            res.TipoFichero = nuevo.TipoFichero;
            if (dat.Error == ErrorLectura::TipoDesconocido) {
                rechazo = TextoRechazo(dat, nuevo, false);
                estilo = vbOKOnly;
                res.Estado = Apertura::TipoErroneo;
            } else if (!dat.Ok()) {
                rechazo = TextoRechazo(dat, nuevo, false);
                res.Estado = Apertura::DatNoValido;
            }
        }
    }
    if (!res.Abierto()) {
        (void)MsgBox(rechazo, estilo);
        return res;
    }

    TomarRegistro(std::move(nuevo));
    (void)EscribirFicher();
    AperturaHooks().RegistroMostrado(Registro().RutaDat);
    if (const QString avisos = Avisos(cfg, dat, Registro()); !avisos.isEmpty())
        (void)MsgBox(avisos, vbInformation);
    return res;
}

namespace {

// The text after the last "." of the file's name; "" without one.
QString Extension(const QString& ruta)
{
    const QString nombre = QFileInfo(ruta).fileName();
    const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? QString() : nombre.mid(punto + 1);
}

} // namespace

bool EsFicheroCfg(const QString& ruta)
{
    return Extension(ruta).compare(QLatin1String("cfg"), Qt::CaseInsensitive) == 0;
}

ResultadoApertura AbrirFicheroElegido(const QString& ruta)
{
    if (EsFicheroCfg(ruta)) {
        const QString dat = FileNoCase(ruta.left(ruta.size() - 3) + QStringLiteral("dat"));
        if (dat.isEmpty()) {
            (void)MsgBox(TextosIdioma(209) + QLatin1Char(' ') + ruta, vbCritical);
            return {Apertura::CfgSinDatos, {}};
        }
        return AbrirRegistro(DerivarRutas(dat));
    }
    if (Extension(ruta).compare(QLatin1String("dat"), Qt::CaseInsensitive) != 0) {
        (void)MsgBox(TextosIdioma(208) + QLatin1Char(' ') + ruta, vbCritical);
        return {Apertura::NoEsRegistro, {}};
    }
    return AbrirRegistro(DerivarRutas(ruta));
}

ResultadoApertura AbrirComtrade()
{
    const RecordModel& r = Registro();
    return AbrirRegistro({r.RutaDat, r.RutaCfg, r.RutaHdr});
}

} // namespace vesdra
