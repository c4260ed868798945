#include "templates/model_db.h"

#include <QDir>
#include <utility>

#include "platform/base/app_paths.h"
#include "platform/base/like.h"
#include "platform/base/numeric.h"
#include "record/record_model.h"
#include "templates/template_state.h"
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
    throw VbError(94, QStringLiteral("Invalid use of Null"));
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

BaseModelo Base(const QString& baseDatos)
{
    // The suffix is the file name less its extension of 4 characters.
    if (baseDatos.size() < 4)
        throw VbError(vberr::InvalidCall);
    return {CarpetaModelos() + QLatin1Char('/') + baseDatos, baseDatos.left(baseDatos.size() - 4)};
}

void SinFilas(const TablaModelo& t)
{
    if (t.Filas.empty())
        throw VbError(3021, QStringLiteral("No current record."));
}

} // namespace

ValorCampo ValorCampo::DeNumero(double n)
{
    return {Clase::Numero, QString::number(n, 'g', 15), n};
}

int TablaModelo::Campo(QStringView nombre) const
{
    for (qsizetype i = 0; i < Campos.size(); ++i) {
        if (Campos.at(i).compare(nombre, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const ValorCampo& TablaModelo::Valor(std::size_t fila, QStringView campo) const
{
    const int c = Campo(campo);
    if (c < 0)
        throw VbError(3265, QStringLiteral("Item not found in this collection."));
    const std::vector<ValorCampo>& f = Filas.at(fila);
    if (static_cast<std::size_t>(c) >= f.size())
        throw VbError(3265, QStringLiteral("Item not found in this collection."));
    return f[static_cast<std::size_t>(c)];
}

LectorBasesModelo& MotorBasesModelo()
{
    if (!Motor())
        Motor() = CrearLectorMdb();
    return *Motor();
}

void SetMotorBasesModelo(std::unique_ptr<LectorBasesModelo> motor)
{
    Motor() = std::move(motor);
}

QString CarpetaModelos()
{
    return ModelsFolder();
}

QString RutaIndiceModelos()
{
    return CarpetaModelos() + QStringLiteral("/Modelos.mdb");
}

ListaModelos ListarModelos()
{
    ListaModelos lista;
    try {
        const TablaModelo t = MotorBasesModelo().LeerTabla(RutaIndiceModelos(), kTablaIndice);
        SinFilas(t);
        for (std::size_t i = 0; i < t.Filas.size(); ++i)
            lista.Nombres << Texto(t.Valor(i, u"Modelo"));
    } catch (...) {
        lista.Resultado.Error = ComoVbError(std::current_exception());
    }
    return lista;
}

QString BaseDeModelo(const QString& modelo)
{
    const TablaModelo t = MotorBasesModelo().LeerTabla(RutaIndiceModelos(), kTablaIndice);
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
    try {
        // With no row for the model the folder itself is opened as the
        // database, which fails.
        const QString baseDatos = BaseDeModelo(modelo);
        const BaseModelo base = baseDatos.isEmpty() ? BaseModelo{CarpetaModelos(), {}} : Base(baseDatos);
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
        return {ComoVbError(std::current_exception())};
    }
}

EstadosCargados CargarEstadosModelo(const QString& modelo)
{
    try {
        const QString baseDatos = BaseDeModelo(modelo);
        if (baseDatos.isEmpty())
            return {};
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
        return {0, {ComoVbError(std::current_exception())}};
    }
}

} // namespace vesdra
