#include "templates/model_db.h"

#include <QDir>
#include <utility>

#include "platform/base/app_paths.h"
#include "platform/base/like.h"
#include "platform/base/numeric.h"
#include "record/record_model.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"
#include "templates/wizard_common.h"

namespace vesdra {

namespace {

std::unique_ptr<LectorBasesModelo>& Motor()
{
    static std::unique_ptr<LectorBasesModelo> motor;
    return motor;
}

const QString kTablaIndice = QStringLiteral("Modelos");
const QString kPrefijoMedidas = QStringLiteral("ZENKMedidas oscilos ");
const QString kPrefijoEstados = QStringLiteral("PEst ");

[[noreturn]] void SinValor()
{
    throw VbError(94);
}

// A field's value as text; a field without a value cannot be one.
QString Texto(const ValorCampo& v)
{
    if (v.Tipo == ValorCampo::Clase::Nulo)
        SinValor();
    return v.Texto;
}

// A field's value where a cell of the template takes it: no value shows blank.
QString TextoCelda(const ValorCampo& v)
{
    return v.Tipo == ValorCampo::Clase::Nulo ? QString() : v.Texto;
}

// A field's value as a 32-bit whole number (CInt: halves to even, 6 beyond
// 32 bits).
std::int32_t Entero(const ValorCampo& v)
{
    double x = v.Numero;
    if (v.Tipo == ValorCampo::Clase::Nulo)
        SinValor();
    if (v.Tipo == ValorCampo::Clase::Texto) {
        bool ok = false;
        x = v.Texto.trimmed().toDouble(&ok);
        if (!ok)
            throw VbError(vberr::TypeMismatch);
    }
    return CInt(x);
}

// The model's own database and the suffix of its tables' names.
struct BaseModelo {
    QString Ruta;
    QString Sufijo;
};

// The file an index row's "BaseDatos" names; none names the folder itself.
QString RutaBase(const QString& baseDatos)
{
    return baseDatos.isEmpty() ? CarpetaModelos() : CarpetaModelos() + QLatin1Char('/') + baseDatos;
}

BaseModelo Base(const QString& baseDatos)
{
    // The suffix is the file name less its extension of 4 characters.
    if (baseDatos.size() < 4)
        throw VbError(vberr::InvalidCall);
    return {RutaBase(baseDatos), baseDatos.left(baseDatos.size() - 4)};
}

void SinFilas(const TablaModelo& t)
{
    if (t.Filas.empty())
        throw VbError(3021);
}

// The index's table. A wizard pass reads it once: the chooser's list and
// the look-ups of the model's measurements and status signals that follow
// take it as read (a read that failed is tried again).
TablaModelo TablaIndice()
{
    TemplateState& p = Plantillas();
    const QString ruta = RutaIndiceModelos();
    if (EdicionEnCurso() && p.IndiceModelos && p.RutaIndiceLeido == ruta)
        return *p.IndiceModelos;
    TablaModelo t = MotorBasesModelo().LeerTabla(ruta, kTablaIndice);
    if (EdicionEnCurso()) {
        p.IndiceModelos = t;
        p.RutaIndiceLeido = ruta;
    }
    return t;
}

// A failure while `base` was being read, named by that database.
VbError FalloEn(std::exception_ptr e, const QString& base)
{
    VbError error = ComoVbError(e);
    if (error.Path.isEmpty() && !base.isEmpty())
        error = error.WithPath(base);
    return error;
}

} // namespace

LectorBasesModelo& MotorBasesModelo()
{
    if (!Motor())
        Motor() = CrearLectorMdb();
    return *Motor();
}

void SetMotorBasesModelo(std::unique_ptr<LectorBasesModelo> motor)
{
    Motor() = std::move(motor);
    // What the engine before read is not this one's.
    OlvidarIndiceModelos();
}

QString CarpetaModelos()
{
    return ModelsFolder();
}

QString RutaIndiceModelos()
{
    return CarpetaModelos() + QStringLiteral("/Modelos.mdb");
}

int ResultadoModelo::Texto() const
{
    if (!Error || Error->Number == vberr::InvalidDatabasePath)
        return 0;
    return Error->Number == kErrorSinLectorModelos ? kTextoSinLectorModelos : 245;
}

std::optional<AvisoPaso> ResultadoModelo::Aviso() const
{
    if (const int t = Texto())
        return AvisoPaso{t, vbInformation, QDir::toNativeSeparators(Error->Path)};
    return std::nullopt;
}

ListaModelos ListarModelos()
{
    ListaModelos lista;
    try {
        const TablaModelo t = TablaIndice();
        SinFilas(t);
        for (std::size_t i = 0; i < t.Filas.size(); ++i)
            lista.Nombres << Texto(t.Valor(i, u"Modelo"));
    } catch (...) {
        lista.Resultado.Error = FalloEn(std::current_exception(), RutaIndiceModelos());
    }
    return lista;
}

QString BaseDeModelo(const QString& modelo)
{
    const TablaModelo t = TablaIndice();
    SinFilas(t);
    for (std::size_t i = 0; i < t.Filas.size(); ++i) {
        if (Like(modelo, Texto(t.Valor(i, u"Modelo"))))
            return Texto(t.Valor(i, u"BaseDatos"));
    }
    return {};
}

ResultadoModelo CargarMedidasModelo(const QString& modelo)
{
    TemplateState& p = Plantillas();
    QString leyendo = RutaIndiceModelos();
    try {
        // With no row for the model the folder itself is opened as the
        // database, which fails.
        const QString baseDatos = BaseDeModelo(modelo);
        leyendo = RutaBase(baseDatos);
        const BaseModelo base = baseDatos.isEmpty() ? BaseModelo{leyendo, {}} : Base(baseDatos);
        const TablaModelo t = MotorBasesModelo().LeerTabla(base.Ruta, kPrefijoMedidas + base.Sufijo);
        SinFilas(t);
        const double n = static_cast<double>(Entero(t.Valor(t.Filas.size() - 1, u"$Id"))) + 1;
        if (n > kMaxFilasAnalogicas)
            throw VbError(vberr::Overflow);
        // A table with more rows than its last "$Id" announces is not loaded
        // at all.
        if (n < static_cast<double>(t.Filas.size()))
            throw VbError(vberr::SubscriptOutOfRange);
        const auto filas = static_cast<std::int32_t>(n);
        Matrix<QString> tabla(filas, 4);
        std::int32_t i = 0;
        for (std::size_t f = 0; f < t.Filas.size(); ++f) {
            ++i;
            tabla(i, 1) = QString::number(i);
            tabla(i, 2) = TextoCelda(t.Valor(f, u"Nombre"));
            tabla(i, 3) = TextoCelda(t.Valor(f, u"NombreIngles"));
            tabla(i, 4) = TextoCelda(t.Valor(f, u"Unidades"));
        }
        p.AnalogicosPlantilla = std::move(tabla);
        Registro().NumAnalogicosOfrecidos = i;
        p.ModeloCargado = true;
        return {};
    } catch (...) {
        p.ModeloCargado = false;
        return {FalloEn(std::current_exception(), leyendo)};
    }
}

EstadosCargados CargarEstadosModelo(const QString& modelo)
{
    QString leyendo = RutaIndiceModelos();
    try {
        const QString baseDatos = BaseDeModelo(modelo);
        if (baseDatos.isEmpty())
            return {};
        leyendo = RutaBase(baseDatos);
        const BaseModelo base = Base(baseDatos);
        const TablaModelo t = MotorBasesModelo().LeerTabla(base.Ruta, kPrefijoEstados + base.Sufijo);
        SinFilas(t);
        QStringList ofrecidos;
        for (std::size_t f = 0; f < t.Filas.size(); ++f) {
            if (Entero(t.Valor(f, u"ByteOscilo")) != -1)
                ofrecidos << Texto(t.Valor(f, u"Descripcion"));
        }
        // A model offering nothing is a database fault.
        if (ofrecidos.isEmpty())
            throw VbError(vberr::SubscriptOutOfRange);
        const auto n = static_cast<std::int32_t>(ofrecidos.size());
        Array<QString>& estados = Plantillas().EstadosModelo;
        estados.Resize(n);
        for (std::int32_t j = 1; j <= n; ++j)
            estados(j) = ofrecidos.at(j - 1);
        return {n, {}};
    } catch (...) {
        return {0, {FalloEn(std::current_exception(), leyendo)}};
    }
}

} // namespace vesdra
