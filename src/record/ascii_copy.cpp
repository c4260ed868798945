#include "record/ascii_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "platform/base/file_names.h"
#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "record/binary_layout.h"
#include "record/cfg_reader.h"
#include "record/file_paths.h"
#include "record/progress_hook.h"
#include "record/record_model.h"

namespace vesdra {
namespace {

ResultadoCopia Fallo(ErrorCopia e, QString detalle, QString detalleEspanol)
{
    return {e, std::move(detalle), std::move(detalleEspanol)};
}

ResultadoCopia NoSeEscribe(const QString& destino)
{
    return Fallo(ErrorCopia::NoSeEscribe, QStringLiteral("%1 cannot be written.").arg(destino),
                 QStringLiteral("No se puede escribir %1.").arg(destino));
}

// Source files of the open record (those that exist).
QStringList FicherosOrigen()
{
    const RecordModel& r = Registro();
    const QString base = r.RutaDat.left(r.RutaDat.size() - 3);
    QStringList origen{r.RutaDat, r.RutaCfg, r.RutaHdr, FileNoCase(base + QStringLiteral("cfg")),
                       FileNoCase(base + QStringLiteral("hdr"))};
    origen.removeAll(QString());
    return origen;
}

ResultadoCopia ComprobarDestino(const QString& destino)
{
    if (!QFileInfo(QFileInfo(destino).absolutePath()).isDir()) {
        return Fallo(ErrorCopia::CarpetaNoExiste,
                     QStringLiteral("The folder of %1 does not exist.").arg(destino),
                     QStringLiteral("No existe la carpeta de %1.").arg(destino));
    }
    for (const QString& origen : FicherosOrigen()) {
        if (MismoFichero(destino, origen)) {
            return Fallo(
                ErrorCopia::DestinoEsOrigen,
                QStringLiteral("%1 is a file of the open record; choose another name.").arg(destino),
                QStringLiteral("%1 es un fichero del registro abierto; elija otro nombre.").arg(destino));
        }
    }
    return {};
}

// Bytes written to `destino` by the text files' writer (through a temporary
// file renamed on success).
ResultadoCopia Escribir(const QString& destino, const QByteArray& bytes)
{
    try {
        TextFileWriter f(destino);
        f.PutBytes(bytes);
        f.Commit();
    } catch (const VbError&) {
        return NoSeEscribe(destino);
    }
    return {};
}

// Line writer of the .DAT: each line is built in place in a large buffer
// that is written out whenever it may not hold another line.
class Salida
{
public:
    Salida(QSaveFile& f, size_t maxLinea)
        : f_(f), buf_(std::max<size_t>(kTam, 2 * maxLinea)), limite_(buf_.size() - maxLinea)
    {
    }
    void Entero(std::int32_t v)
    {
        p_ = std::to_chars(buf_.data() + p_, buf_.data() + buf_.size(), v).ptr - buf_.data();
    }
    void Caracter(char c) { buf_[p_++] = c; }
    void FinLinea()
    {
        buf_[p_++] = '\r';
        buf_[p_++] = '\n';
        if (p_ > limite_)
            Vaciar();
    }
    bool Vaciar()
    {
        if (p_ > 0 && f_.write(buf_.data(), static_cast<qint64>(p_)) != static_cast<qint64>(p_))
            ok_ = false;
        p_ = 0;
        return ok_;
    }

private:
    static constexpr size_t kTam = 1 << 20;
    QSaveFile& f_;
    std::vector<char> buf_;
    size_t limite_;
    size_t p_{0};
    bool ok_{true};
};

} // namespace

QString DestinoConversion(const char* extension)
{
    return ExistingPathNoCase(Registro().NombreConversion + QLatin1String(extension));
}

ResultadoCopia ComprobarConversion()
{
    for (const char* ext : {".DAT", ".hdr", ".cfg"}) {
        if (ResultadoCopia res = ComprobarDestino(DestinoConversion(ext)); !res.Ok())
            return res;
    }
    return {};
}

ResultadoCopia GuardarDatAscii()
{
    RecordModel& r = Registro();
    const QString destino = DestinoConversion(".DAT");
    if (ResultadoCopia res = ComprobarDestino(destino); !res.Ok())
        return res;

    const std::int32_t nA = std::max(r.NumAnalogicos, 0);
    const std::int32_t nD = std::max(r.NumDigitales, 0);
    const std::int32_t nS = r.NumMuestras();

    QFile origen(r.RutaDat);
    if (!origen.open(QIODevice::ReadOnly))
        return Fallo(ErrorCopia::NoSeLee, QStringLiteral("The data file %1 cannot be read.").arg(r.RutaDat),
                     QStringLiteral("No se puede leer el fichero de datos %1.").arg(r.RutaDat));
    QSaveFile f(destino);
    if (!f.open(QIODevice::WriteOnly))
        return NoSeEscribe(destino);

    const dat::FormatoBinario formato{nA, nD};
    const std::int32_t porBloque =
        static_cast<std::int32_t>(std::max<std::int64_t>(1, (1 << 20) / formato.Tam()));
    const std::int32_t pasoBarra = std::max(1, nS / 1000);

    RecordProgress& progreso = ProgresoRegistro();
    progreso.BarraInicio(nS);
    // The bar goes however the copy ends, running out of memory included.
    const auto cerrarBarra = qScopeGuard([&progreso] { progreso.BarraFin(); });
    // " " + two 11-character numbers, 7 characters (",-32768") an analog
    // value, 2 a digital state, CR LF.
    Salida out(f, 1 + 2 * 12 + 7 * static_cast<size_t>(nA) + 2 * static_cast<size_t>(nD) + 2);
    const std::int64_t tam = formato.Tam();
    const std::int64_t inicioDig = formato.Digitales();
    const std::int32_t copiadas = dat::RecorrerBloques(
        origen, formato, nS, porBloque, [&](const unsigned char* bloque, std::int32_t s0, std::int32_t m) {
            for (std::int32_t j = 0; j < m; ++j) {
                const unsigned char* p = bloque + j * tam;
                out.Caracter(' ');
                out.Entero(dat::LeerI32(p));
                out.Caracter(',');
                out.Entero(dat::LeerI32(p + dat::FormatoBinario::kTiempo));
                for (std::int32_t c = 0; c < nA; ++c) {
                    out.Caracter(',');
                    out.Entero(dat::LeerI16(p + dat::FormatoBinario::Analogico(c)));
                }
                const unsigned char* dig = p + inicioDig;
                for (std::int32_t d = 0; d < nD; ++d) {
                    out.Caracter(',');
                    out.Caracter(dat::EstadoDigital(dig, d) != 0 ? '1' : '0');
                }
                out.FinLinea();
                const std::int32_t hecho = s0 + j;
                if (hecho % pasoBarra == 0)
                    progreso.BarraValor(hecho);
            }
        });
    if (copiadas < nS) {
        f.cancelWriting();
        ResultadoCopia cambiado =
            Fallo(ErrorCopia::DatCambiado,
                  QStringLiteral("The data file %1 holds %2 of the record's %3 samples: it changed since "
                                 "the record was opened.")
                      .arg(r.RutaDat)
                      .arg(copiadas)
                      .arg(nS),
                  QStringLiteral("El fichero de datos %1 contiene %2 de las %3 muestras del registro: ha "
                                 "cambiado desde que se abrió.")
                      .arg(r.RutaDat)
                      .arg(copiadas)
                      .arg(nS));
        cambiado.MuestrasHalladas = copiadas;
        cambiado.MuestrasRegistro = nS;
        return cambiado;
    }
    const bool escrito = out.Vaciar();
    progreso.BarraValor(nS);
    if (!escrito || !f.commit())
        return NoSeEscribe(destino);
    if (r.SalirTrasConversion) {
        r.Valores.Resize(r.Valores.Rows(), r.Valores.Cols());
        r.ValoresOtroLado.Resize(r.ValoresOtroLado.Rows(), r.ValoresOtroLado.Cols());
        r.EstadosDigitales.Resize(r.EstadosDigitales.Rows(), r.EstadosDigitales.Cols());
        r.Tablas = {};
    }
    return {};
}

ResultadoCopia GuardarCfgAscii()
{
    const RecordModel& r = Registro();
    const QString base = r.RutaDat.left(r.RutaDat.size() - 3);

    const QString destinoHdr = DestinoConversion(".hdr");
    const QString destinoCfg = DestinoConversion(".cfg");
    for (const QString& d : {destinoHdr, destinoCfg}) {
        if (ResultadoCopia res = ComprobarDestino(d); !res.Ok())
            return res;
    }

    // The header first. A record without one has none to copy; one that
    // cannot be copied is told and the copy goes on.
    if (const QString hdr = FileNoCase(base + QStringLiteral("hdr")); !hdr.isEmpty()) {
        QFile f(hdr);
        if (!f.open(QIODevice::ReadOnly) || !Escribir(destinoHdr, f.readAll()).Ok())
            ProgresoRegistro().Mensaje(160, 48, r.SalirTrasConversion ? 153 : 152);
    }

    const QString cfg = FileNoCase(base + QStringLiteral("cfg"));
    QFile fuente(cfg);
    if (cfg.isEmpty() || !fuente.open(QIODevice::ReadOnly))
        return Fallo(ErrorCopia::NoSeLee,
                     QStringLiteral("The configuration file %1cfg cannot be read.").arg(base),
                     QStringLiteral("No se puede leer el fichero de configuración %1cfg.").arg(base));
    const QByteArray bytes = fuente.readAll();
    fuente.close();

    // The file-type line is found by counting lines as the reader does, so
    // whatever the line ends, the multiplier or trailing lines look like,
    // only that line's text changes.
    ContenidoCfg contenido;
    const std::string_view texto(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (!AnalizarCfg(texto, contenido).Ok())
        return Fallo(ErrorCopia::NoSeLee,
                     QStringLiteral("The configuration file %1 is not understood.").arg(cfg),
                     QStringLiteral("No se entiende el fichero de configuración %1.").arg(cfg));
    size_t inicio = texto.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    for (std::int32_t k = 0; k < contenido.LineaTipoFichero; ++k) {
        const size_t lf = texto.find('\n', inicio);
        if (lf == std::string_view::npos)
            return Fallo(
                ErrorCopia::NoSeLee,
                QStringLiteral("The configuration file %1 has no file type line.").arg(cfg),
                QStringLiteral("El fichero de configuración %1 no tiene la línea del tipo de fichero.")
                    .arg(cfg));
        inicio = lf + 1;
    }
    size_t fin = texto.find('\n', inicio);
    if (fin == std::string_view::npos)
        fin = texto.size();
    if (fin > inicio && texto[fin - 1] == '\r')
        --fin;
    QByteArray copia = bytes;
    copia.replace(static_cast<qsizetype>(inicio), static_cast<qsizetype>(fin - inicio),
                  QByteArrayLiteral("ASCII"));
    return Escribir(destinoCfg, copia);
}

} // namespace vesdra
