#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gen/comtrade_gen.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/record_model.h"

using namespace vesdra;
using namespace vesdra::gen;

namespace {

// What the generator writes is what the record readers read: every value,
// state and time stamp of a record the generator describes.
struct Variant {
    const char* what;
    Revision revision;
    DataFormat format;
    bool crlf;
    double multiplier;
};

class GeneratedRecord : public ::testing::TestWithParam<Variant>
{
};

TEST_P(GeneratedRecord, ReadsBackAsTheGeneratorDescribesIt)
{
    const Variant v = GetParam();
    GenSpec spec;
    spec.revision = v.revision;
    spec.format = v.format;
    spec.crlf = v.crlf;
    spec.timeMultiplier = v.multiplier;
    spec.sampleRate = 1200;
    spec.samples = 120;
    spec.faultStart = 50;
    spec.faultEnd = 80;
    AddThreePhase(spec, "VA", "VB", "VC", "L1", "kV", 50, 10, 0.002, 66000, 110, "P");
    AddThreePhase(spec, "IA", "IB", "IC", "L1", "A", 500, 6000, 0.25, 600, 5, " s ");
    spec.analog[4].b = 3;
    for (int d = 1; d <= 20; ++d)
        spec.digital.push_back({QStringLiteral("D%1").arg(d), d % 2, {d * 3, d * 5}, d == 16 ? 7 : 0});

    QTemporaryDir dir;
    const QString base = dir.filePath("rec");
    ASSERT_TRUE(WriteRecord(spec, base));
    CerrarRegistro();
    RecordModel& r = Registro();
    r.RutaCfg = base + ".cfg";
    r.RutaDat = base + ".dat";
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    ASSERT_TRUE(LeerDat(Registro()).Ok());

    ASSERT_EQ(r.NumAnalogicos, 6);
    ASSERT_EQ(r.NumDigitales, 20);
    ASSERT_EQ(r.NumMuestras(), spec.samples);
    for (std::int32_t s = 1; s <= spec.samples; ++s) {
        EXPECT_NEAR(r.Tiempos(s), TimeMicroseconds(spec, s), 1e-6) << s;
        for (std::int32_t c = 1; c <= 6; ++c) {
            // A 1997 record of mixed P/S flags shows its primary side first.
            EXPECT_FLOAT_EQ(r.Valores(s, c), v.revision == Revision::R1997 ? ExpectedPrimary(spec, c, s)
                                                                           : ExpectedValue(spec, c, s))
                << s << "," << c;
            if (v.revision == Revision::R1997) {
                EXPECT_FLOAT_EQ(r.ValoresPrimario()(s, c), ExpectedPrimary(spec, c, s)) << s << "," << c;
                EXPECT_FLOAT_EQ(r.ValoresSecundario()(s, c), ExpectedSecondary(spec, c, s)) << s << "," << c;
            }
        }
        for (std::int32_t d = 1; d <= 20; ++d)
            EXPECT_EQ(r.EstadosDigitales(s, d), DigitalState(spec, d, s)) << s << "," << d;
    }
    CerrarRegistro();
}

INSTANTIATE_TEST_SUITE_P(
    Variants, GeneratedRecord,
    ::testing::Values(Variant{"Binary1997", Revision::R1997, DataFormat::Binary, true, 1},
                      Variant{"Ascii1997Lf", Revision::R1997, DataFormat::Ascii, false, 1},
                      Variant{"Binary1997Multiplier", Revision::R1997, DataFormat::Binary, true, 0.5},
                      Variant{"Ascii1991", Revision::R1991, DataFormat::Ascii, true, 1},
                      Variant{"Binary1991Lf", Revision::R1991, DataFormat::Binary, false, 1}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
