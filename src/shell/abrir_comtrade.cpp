#include "shell/abrir_comtrade.h"

#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/file_paths.h"
#include "record/record_model.h"
#include "shell/frm_menu.h"
#include "shell/gasolino.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/open_hooks.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"

namespace vesdra
{

namespace
{

// The revision message is this English text in both languages.
const QString& TextoRevisionErronea()
{
    static const QString texto =
        QStringLiteral(".cfg COMTRADE file is not OK, you must check the year of revision ");
    return texto;
}

// The gauge is shown for the whole open and unloaded on every way out.
struct GaugeAbierto {
    GaugeAbierto()
    {
        Gasolino& g = gasolino();
        g.show();
        (void)g.LlenarGasolino(true, 0);
    }
    ~GaugeAbierto() { DescargarGasolino(); }
    GaugeAbierto(const GaugeAbierto&) = delete;
    GaugeAbierto& operator=(const GaugeAbierto&) = delete;
};

// What the close command resets outside the record model: the old record's
// template and view selections must not be shown over the new one.
void OlvidarRegistroAnterior()
{
    CerrarPlantillas();
    DeshabilitarFasoresInforme();
    // The .cfg just read offered its channels to the template wizard before
    // the tables were emptied: offer them again.
    OfrecerCanalesPlantilla();
    Shell().UsaPrimario = false;
    Shell().UsaSecundario = false;
    AperturaHooks().ReiniciarVistas();
}

// No record is open after all: the model is emptied as the close command
// empties it, so no view reads the new .cfg's counts over old samples.
void QuitarRegistro(const QString& tipoFichero, bool tipoErroneo)
{
    CerrarRegistro();
    RecordModel& r = Registro();
    r.TipoFichero = tipoFichero;
    r.TipoErroneo = tipoErroneo;
    AperturaHooks().RegistroQuitado();
}

} // namespace

RutasRegistro DerivarRutas(const QString& rutaDat)
{
    RutasRegistro rutas;
    rutas.Dat = rutaDat;
    if (rutaDat.isEmpty())
        return rutas;
    const qsizetype barra = rutaDat.lastIndexOf(QLatin1Char('/'));
    const qsizetype punto = rutaDat.lastIndexOf(QLatin1Char('.'));
    const QString base = punto > barra ? rutaDat.left(punto + 1) : rutaDat + QLatin1Char('.');
    rutas.Cfg = BuscarFichero(base + QStringLiteral("cfg"));
    rutas.Hdr = BuscarFichero(base + QStringLiteral("hdr"));
    return rutas;
}

ResultadoApertura AbrirRegistro(const RutasRegistro& rutas)
{
    if (rutas.Dat.isEmpty()) {
        (void)MsgBox(TextosIdioma(174), vbCritical);
        return {Apertura::SinDatos, {}};
    }
    if (rutas.Cfg.isEmpty()) {
        (void)MsgBox(TextosIdioma(173), vbCritical);
        return {Apertura::SinCfg, {}};
    }

    MousePointerGuard reloj(vbHourglass);
    GaugeAbierto gauge;
    RecordModel& r = Registro();
    const RutasRegistro anteriores{r.RutaDat, r.RutaCfg, r.RutaHdr};
    r.RutaDat = rutas.Dat;
    r.RutaCfg = rutas.Cfg;
    r.RutaHdr = rutas.Hdr;

    const ResultadoLectura cfg = LeerCfg();
    if (!cfg.Ok()) {
        // The .cfg reader left the model as it was: so do the paths, and the
        // record that was open stays open with its template.
        r.RutaDat = anteriores.Dat;
        r.RutaCfg = anteriores.Cfg;
        r.RutaHdr = anteriores.Hdr;
        if (cfg.Error == ErrorLectura::RevisionRechazada) {
            r.RevisionErronea = false;
            (void)MsgBox(TextoRevisionErronea(), vbOKOnly);
            return {Apertura::RevisionRechazada, {}};
        }
        (void)MsgBox(cfg.Error == ErrorLectura::NoSeAbre ? TextosIdioma(173) : cfg.Detalle, vbCritical);
        return {Apertura::CfgNoValido, {}};
    }

    OlvidarRegistroAnterior();
    r.RegistroAbierto = false;
    r.TipoErroneo = false;
    (void)gasolino().LlenarGasolino(true, 5);
    r.TipoFichero = r.TipoFichero.trimmed().toUpper();
    const QString tipo = r.TipoFichero;

    ResultadoLectura dat;
    if (tipo == QLatin1String("ASCII")) {
        dat = LeerDatAscii();
    } else if (tipo == QLatin1String("BINARY")) {
        dat = LeerDatBinario();
    } else {
        QuitarRegistro(tipo, true);
        (void)MsgBox(TextosIdioma(277), vbOKOnly);
        return {Apertura::TipoErroneo, tipo};
    }
    if (!dat.Ok()) {
        QuitarRegistro(tipo, false);
        (void)MsgBox(dat.Detalle, vbCritical);
        return {Apertura::DatNoValido, tipo};
    }

    IniciarValores();
    (void)EscribirFicher();
    AperturaHooks().RegistroMostrado(r.RutaDat);
    return {Apertura::Abierto, tipo};
}

ResultadoApertura AbrirComtrade()
{
    const RecordModel& r = Registro();
    return AbrirRegistro({r.RutaDat, r.RutaCfg, r.RutaHdr});
}

} // namespace vesdra
