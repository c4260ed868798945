#include "fuzz_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/record_model.h"

namespace vesdra::fuzz {

Partes Partir(const std::uint8_t* data, size_t size)
{
    const std::string_view todo(reinterpret_cast<const char*>(data), size);
    const size_t nul = todo.find('\0');
    if (nul == std::string_view::npos)
        return {todo, {}};
    return {todo.substr(0, nul), todo.substr(nul + 1)};
}

QString Fichero(const QString& nombre, std::string_view bytes)
{
    static QTemporaryDir carpeta;
    Exigir(carpeta.isValid(), "no scratch folder");
    const QString ruta = carpeta.filePath(nombre);
    QFile f(ruta);
    Exigir(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()),
           "scratch file not written");
    return ruta;
}

void Exigir(bool cierto, const char* que)
{
    if (cierto)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", que);
    std::abort();
}

bool LeerRegistro(const Partes& partes, bool ascii)
{
    RecordModel& r = Registro();
    r = RecordModel{};
    r.RutaCfg = Fichero(QStringLiteral("r.cfg"), partes.cfg);
    r.RutaDat = Fichero(QStringLiteral("r.dat"), partes.dat);
    if (!LeerCfg(r).Ok())
        return false;
    const ResultadoLectura res = ascii ? LeerDatAscii(r) : LeerDatBinario(r);
    if (!res.Ok()) {
        Exigir(r.Valores.Empty() && r.ValoresOtroLado.Empty() && r.EstadosDigitales.Empty() &&
                   r.Tiempos.Size() == 0,
               "a refused data file left samples behind");
        return false;
    }
    // The shapes every view relies on.
    const std::int32_t nS = r.NumMuestras();
    Exigir(nS > 0 && r.Valores.Cols() == r.NumAnalogicos, "Valores is not samples x analog channels");
    Exigir(nS <= MuestrasAnunciadas(r), "more samples than announced");
    Exigir(res.MuestrasAnunciadas == 0 || res.MuestrasAnunciadas == MuestrasAnunciadas(r),
           "a short file names another announced count");
    Exigir(r.Tiempos.Size() == nS, "one time stamp per sample");
    Exigir(r.NumDigitales == 0 ||
               (r.EstadosDigitales.Rows() == nS && r.EstadosDigitales.Cols() == r.NumDigitales),
           "EstadosDigitales is not samples x digital channels");
    if (r.Es1997()) {
        Exigir(r.ValoresOtroLado.Rows() == nS && r.ValoresOtroLado.Cols() == r.NumAnalogicos,
               "the 1997 sides are not shaped as Valores");
    }
    // A value that cannot be held is never shown as infinity, on either
    // side, nor is a time stamp.
    for (const Matrix<float>* m : {&r.Valores, &r.ValoresOtroLado})
        for (std::int32_t c = 1; c <= m->Cols(); ++c)
            for (const float v : m->Column(c))
                Exigir(std::isfinite(v), "an analog value that is not finite");
    for (const double t : r.Tiempos)
        Exigir(std::isfinite(t), "a time stamp that is not finite");
    // A line whose only fault is its time stamp is damaged too, yet its
    // values are shown: every line may be damaged, none more.
    Exigir(res.LineasDanadas >= 0 && res.LineasDanadas <= nS, "more damaged lines than samples");
    for (std::int32_t d = 1; d <= r.EstadosDigitales.Cols() && !ascii; ++d)
        for (const std::uint8_t e : r.EstadosDigitales.Column(d))
            Exigir(e <= 1, "a BINARY digital state other than 0 or 1");
    return true;
}

} // namespace vesdra::fuzz
