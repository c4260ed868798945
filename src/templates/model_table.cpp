#include "templates/model_table.h"

#include <QList>
#include <QLocale>
#include <QStringDecoder>
#include <cmath>

namespace vesdra {

namespace {

constexpr char kCabecera[] = "vesdra-mdb 1";

QByteArray Escapar(const QString& texto)
{
    QByteArray out;
    const QByteArray utf8 = texto.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The text of an escaped field; nothing for an escape of another kind, a
// bare TAB or CR, or bytes that are not UTF-8.
std::optional<QString> Desescapar(QByteArrayView campo)
{
    QByteArray bytes;
    bytes.reserve(campo.size());
    for (qsizetype i = 0; i < campo.size(); ++i) {
        const char c = campo[i];
        if (c == '\t' || c == '\r')
            return std::nullopt;
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i == campo.size())
            return std::nullopt;
        switch (campo[i]) {
        case '\\':
            bytes += '\\';
            break;
        case 't':
            bytes += '\t';
            break;
        case 'n':
            bytes += '\n';
            break;
        case 'r':
            bytes += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return texto;
}

// A count written as plain decimal digits (no sign, no blanks).
std::optional<qsizetype> Cuenta(QByteArrayView texto)
{
    if (texto.isEmpty() || texto.size() > 9)
        return std::nullopt;
    qsizetype n = 0;
    for (const char c : texto) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "<clave>\t<value>": the value, when the line starts so.
std::optional<QByteArrayView> Tras(QByteArrayView linea, QByteArrayView clave)
{
    if (!linea.startsWith(clave) || linea.size() <= clave.size() || linea[clave.size()] != '\t')
        return std::nullopt;
    return linea.sliced(clave.size() + 1);
}

std::optional<ValorCampo> Celda(QByteArrayView celda)
{
    if (celda == "-")
        return ValorCampo::Nulo();
    if (celda.startsWith('T')) {
        const auto t = Desescapar(celda.sliced(1));
        if (!t)
            return std::nullopt;
        return ValorCampo::DeTexto(*t);
    }
    if (celda.startsWith('N') && celda.size() > 1) {
        bool ok = false;
        const double x = QLocale::c().toDouble(QString::fromLatin1(celda.sliced(1)), &ok);
        if (!ok || !std::isfinite(x))
            return std::nullopt;
        return ValorCampo::DeNumero(x);
    }
    return std::nullopt;
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
        throw VbError(3265);
    const std::vector<ValorCampo>& f = Filas.at(fila);
    if (static_cast<std::size_t>(c) >= f.size())
        throw VbError(3265);
    return f[static_cast<std::size_t>(c)];
}

QByteArray EncodeModelTable(const TablaModelo& tabla)
{
    QByteArray out = QByteArray(kCabecera) + '\n';
    out += "fields\t" + QByteArray::number(tabla.Campos.size()) + '\n';
    for (const QString& campo : tabla.Campos)
        out += Escapar(campo) + '\n';
    out += "rows\t" + QByteArray::number(static_cast<qsizetype>(tabla.Filas.size())) + '\n';
    for (const std::vector<ValorCampo>& fila : tabla.Filas) {
        for (std::size_t c = 0; c < fila.size(); ++c) {
            if (c > 0)
                out += '\t';
            const ValorCampo& v = fila[c];
            switch (v.Tipo) {
            case ValorCampo::Clase::Nulo:
                out += '-';
                break;
            case ValorCampo::Clase::Texto:
                out += 'T' + Escapar(v.Texto);
                break;
            case ValorCampo::Clase::Numero:
                out += 'N' + QByteArray::number(v.Numero, 'g', 17);
                break;
            }
        }
        out += '\n';
    }
    out += "end\n";
    return out;
}

QByteArray EncodeModelTableError(const VbError& error)
{
    return QByteArray(kCabecera) + "\nerror\t" + QByteArray::number(error.Number) + '\t' +
           Escapar(error.Description) + "\nend\n";
}

std::optional<ModelTableAnswer> DecodeModelTable(const QByteArray& answer)
{
    // Every line ends in LF, the last one too.
    if (!answer.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lineas = answer.chopped(1).split('\n');
    qsizetype i = 0;
    const auto siguiente = [&]() -> std::optional<QByteArrayView> {
        if (i >= lineas.size())
            return std::nullopt;
        return QByteArrayView(lineas[i++]);
    };
    if (siguiente() != QByteArrayView(kCabecera))
        return std::nullopt;
    const auto segunda = siguiente();
    if (!segunda)
        return std::nullopt;

    ModelTableAnswer out;
    if (const auto error = Tras(*segunda, "error")) {
        const qsizetype tab = error->indexOf('\t');
        if (tab <= 0)
            return std::nullopt;
        QByteArrayView numero = error->first(tab);
        const bool negativo = numero.startsWith('-');
        const auto n = Cuenta(negativo ? numero.sliced(1) : numero);
        const auto descripcion = Desescapar(error->sliced(tab + 1));
        if (!n || !descripcion)
            return std::nullopt;
        out.Error = VbError(static_cast<int>(negativo ? -*n : *n), *descripcion);
    } else {
        const auto campos = Tras(*segunda, "fields");
        const auto nCampos = campos ? Cuenta(*campos) : std::nullopt;
        if (!nCampos)
            return std::nullopt;
        TablaModelo t;
        for (qsizetype c = 0; c < *nCampos; ++c) {
            const auto linea = siguiente();
            const auto nombre = linea ? Desescapar(*linea) : std::nullopt;
            if (!nombre)
                return std::nullopt;
            t.Campos << *nombre;
        }
        const auto filas = siguiente();
        const auto nFilasTexto = filas ? Tras(*filas, "rows") : std::nullopt;
        const auto nFilas = nFilasTexto ? Cuenta(*nFilasTexto) : std::nullopt;
        // Each row takes a line of its own.
        if (!nFilas || *nFilas > lineas.size() - i)
            return std::nullopt;
        t.Filas.reserve(static_cast<std::size_t>(*nFilas));
        for (qsizetype f = 0; f < *nFilas; ++f) {
            const QByteArrayView linea = *siguiente();
            std::vector<ValorCampo> fila;
            if (*nCampos > 0) {
                const QList<QByteArray> celdas = linea.toByteArray().split('\t');
                if (celdas.size() != *nCampos)
                    return std::nullopt;
                fila.reserve(static_cast<std::size_t>(celdas.size()));
                for (const QByteArray& celda : celdas) {
                    const auto v = Celda(celda);
                    if (!v)
                        return std::nullopt;
                    fila.push_back(*v);
                }
            } else if (!linea.isEmpty()) {
                return std::nullopt;
            }
            t.Filas.push_back(std::move(fila));
        }
        out.Tabla = std::move(t);
    }
    if (siguiente() != QByteArrayView("end") || i != lineas.size())
        return std::nullopt;
    return out;
}

} // namespace vesdra
