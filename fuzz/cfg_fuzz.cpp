// The .cfg parser on any text: a parse that is not refused gives tables
// shaped by its counts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "record/cfg_reader.h"

using namespace vesdra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    ContenidoCfg cfg;
    if (!AnalizarCfg(std::string_view(reinterpret_cast<const char*>(data), size), cfg).Ok())
        return 0;
    const std::int32_t nA = cfg.NumAnalogicos;
    const std::int32_t nD = cfg.NumDigitales;
    fuzz::Exigir(nA >= 0 && nD >= 0 && cfg.NumTasas >= 0, "a negative count was taken");
    fuzz::Exigir(cfg.AnioRevision == QLatin1String("1991") || cfg.AnioRevision == QLatin1String("1997"),
                 "a revision other than 1991 or 1997");
    fuzz::Exigir(cfg.FactorA.Size() == nA && cfg.FactorB.Size() == nA && cfg.Desfase.Size() == nA &&
                     cfg.NumerosAnalogicos.Size() == nA && cfg.TablaCanales.Rows() == nA,
                 "analog tables not sized by the analog count");
    fuzz::Exigir(nA == 0 || cfg.TablaCanales.Cols() == 4, "the channel table has not four columns");
    fuzz::Exigir(cfg.AnioRevision != QLatin1String("1997") || cfg.TablaPrimSec.Size() == nA,
                 "the 1997 side table not sized by the analog count");
    for (std::int32_t c = 1; c <= nA; ++c)
        fuzz::Exigir(cfg.TablaCanales(c, 1) == QString::number(c), "a channel not known by its position");
    fuzz::Exigir(cfg.NombresDigitales.Size() == nD && cfg.NumerosDigitales.Size() == nD,
                 "digital tables not sized by the digital count");
    const std::int32_t tasas = cfg.NumTasas > 0 ? cfg.NumTasas : 1;
    fuzz::Exigir(cfg.TasasMuestreo.Size() == tasas && cfg.MuestrasFinales.Size() == tasas,
                 "rate tables not sized by the rate count");
    fuzz::Exigir(cfg.MuestrasFinales(1) >= 0, "a negative sample count was taken");
    fuzz::Exigir(cfg.LineaTipoFichero > 0, "the file type line is not after the first line");
    return 0;
}
