#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "gen/comtrade_gen.h"

using namespace vesdra::gen;

namespace {

GenSpec SmallSpec(std::int32_t nA, std::int32_t nD, DataFormat fmt)
{
    GenSpec spec;
    spec.format = fmt;
    spec.samples = 4;
    for (std::int32_t c = 1; c <= nA; ++c) {
        AnalogSpec ch;
        ch.name = QStringLiteral("A%1").arg(c);
        ch.dc = 10.0 * c;
        ch.a = 0.5;
        ch.b = 1;
        spec.analog.push_back(ch);
    }
    for (std::int32_t d = 1; d <= nD; ++d)
        spec.digital.push_back({QStringLiteral("D%1").arg(d), 0, {}, 0});
    return spec;
}

std::uint16_t Le16(const QByteArray& b, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

std::uint32_t Le32(const QByteArray& b, qsizetype at)
{
    return Le16(b, at) | (std::uint32_t{Le16(b, at + 2)} << 16);
}

} // namespace

// Two analog and twenty digital channels: 4 + 4 + 2·2 + 2·2 bytes a sample;
// digital 17 is bit 0 of the second word, 20 its bit 3, 16 bit 15 of the first.
TEST(ComtradeGen, BinaryRecordLayoutPacksDigitalWordsLeastSignificantBitFirst)
{
    GenSpec spec = SmallSpec(2, 20, DataFormat::Binary);
    spec.digital[15].toggles = {2}; // channel 16 from sample 2
    spec.digital[16].toggles = {3}; // channel 17 from sample 3
    spec.digital[19].initial = 1;   // channel 20 always
    ASSERT_EQ(BinaryRecordSize(spec), 16);
    const QByteArray dat = DatBytes(spec);
    ASSERT_EQ(dat.size(), 4 * 16);
    for (std::int32_t s = 1; s <= 4; ++s) {
        const qsizetype at = (s - 1) * 16;
        EXPECT_EQ(Le32(dat, at), static_cast<std::uint32_t>(s));
        EXPECT_EQ(static_cast<std::int32_t>(Le32(dat, at + 4)), (s - 1) * 1000);
        // (10·c - b) / a = 18 and 38.
        EXPECT_EQ(static_cast<std::int16_t>(Le16(dat, at + 8)), 18);
        EXPECT_EQ(static_cast<std::int16_t>(Le16(dat, at + 10)), 38);
        EXPECT_EQ(Le16(dat, at + 12), s >= 2 ? 0x8000 : 0) << s;
        EXPECT_EQ(Le16(dat, at + 14), (s >= 3 ? 0x0001 : 0) | 0x0008) << s;
    }
    EXPECT_FLOAT_EQ(ExpectedValue(spec, 2, 1), 20.0f);
}

TEST(ComtradeGen, AsciiLinesEndAsAskedAndHoldRawValuesAndStates)
{
    GenSpec spec = SmallSpec(2, 3, DataFormat::Ascii);
    spec.samples = 2;
    spec.digital[1].period = 1; // flips every sample: 0 then 1
    EXPECT_EQ(DatBytes(spec), QByteArray("1,0,18,38,0,0,0\r\n2,1000,18,38,0,1,0\r\n"));
    spec.crlf = false;
    EXPECT_EQ(DatBytes(spec), QByteArray("1,0,18,38,0,0,0\n2,1000,18,38,0,1,0\n"));
}

TEST(ComtradeGen, ConfigurationTextFollowsTheRevision)
{
    GenSpec spec = SmallSpec(1, 1, DataFormat::Ascii);
    spec.station = QStringLiteral("ESTACIÓN");
    spec.analog[0].ps = QStringLiteral(" s");
    spec.analog[0].primary = 600;
    spec.analog[0].secondary = 5;
    spec.timeMultiplier = 0.001;
    spec.revision = Revision::R1997;
    EXPECT_EQ(CfgText(spec), QByteArray("ESTACI\xD3N,REGISTRADOR,1997\r\n"
                                        "2,1A,1D\r\n"
                                        "1,A1,,,V,0.5,1,0,-32768,32767,600,5, s\r\n"
                                        "1,D1,,,0\r\n"
                                        "50\r\n1\r\n1000,4\r\n"
                                        "01/06/2004,10:15:30.000000\r\n01/06/2004,10:15:30.500000\r\n"
                                        "ASCII\r\n0.001\r\n"));
    spec.revision = Revision::R1991;
    spec.zeroRateCount = true;
    spec.firstChannelNumber = 0;
    spec.crlf = false;
    EXPECT_EQ(CfgText(spec), QByteArray("ESTACI\xD3N,REGISTRADOR\n"
                                        "2,1A,1D\n"
                                        "0,A1,,,V,0.5,1,0,-32768,32767\n"
                                        "0,D1,0\n"
                                        "50\n0\n0,4\n"
                                        "01/06/2004,10:15:30.000000\n01/06/2004,10:15:30.500000\n"
                                        "ASCII\n"));
}

TEST(ComtradeGen, ExpectedValuesFollowScalingFlagsAndTimeMultiplier)
{
    GenSpec spec = SmallSpec(3, 0, DataFormat::Binary);
    spec.analog[0].dc = 1e6; // beyond 16 bits: clamped
    spec.analog[1].ps = QStringLiteral("S");
    spec.analog[1].primary = 600;
    spec.analog[1].secondary = 5;
    spec.analog[2].ps = QStringLiteral("X");
    EXPECT_EQ(RawValue(spec, 1, 1), 32767);
    EXPECT_FLOAT_EQ(ExpectedValue(spec, 1, 1), 32767 * 0.5f + 1);
    EXPECT_FLOAT_EQ(ExpectedSecondary(spec, 2, 1), 20.0f);
    EXPECT_FLOAT_EQ(ExpectedPrimary(spec, 2, 1), 20.0f * 120);
    EXPECT_FLOAT_EQ(ExpectedPrimary(spec, 3, 1), ExpectedValue(spec, 3, 1)); // no side: as held
    EXPECT_FLOAT_EQ(ExpectedSecondary(spec, 3, 1), ExpectedValue(spec, 3, 1));
    spec.analog[1].secondary = 0; // no ratio: as held
    EXPECT_FLOAT_EQ(ExpectedPrimary(spec, 2, 1), 20.0f);
    spec.analog[1].secondary = 5;

    spec.timeMultiplier = 0.5;
    EXPECT_EQ(RawTimeStamp(spec, 3), 4000);
    EXPECT_DOUBLE_EQ(TimeMicroseconds(spec, 3), 2000);
    spec.revision = Revision::R1991; // no multiplier line: stamps are times
    EXPECT_EQ(RawTimeStamp(spec, 3), 2000);
}

TEST(ComtradeGen, SineSetsHaveTheirAmplitudeAndFaultWindow)
{
    GenSpec spec;
    spec.sampleRate = 1200;
    spec.samples = 48;
    spec.faultStart = 25;
    spec.faultEnd = 48;
    AddThreePhase(spec, "IA", "IB", "IC", "L1", "A", 100, 400, 0.01);
    // 24 samples a cycle: the peak of phase A is sample 7 (90 degrees).
    EXPECT_NEAR(EngineeringValue(spec, 1, 7), 100, 1e-9);
    EXPECT_NEAR(EngineeringValue(spec, 1, 31), 400, 1e-9);
    EXPECT_NEAR(EngineeringValue(spec, 2, 31), 100 * std::sin(std::acos(-1.0) / 2 - 2 * std::acos(-1.0) / 3),
                1e-9);
    EXPECT_EQ(RawValue(spec, 1, 7), 10000);
}

TEST(ComtradeGen, WriteRecordWritesTheFilesAndFailsCleanly)
{
    QTemporaryDir dir;
    GenSpec spec = SampleRecordSpec();
    const QString base = dir.filePath(QStringLiteral("muestra"));
    QString error;
    ASSERT_TRUE(WriteRecord(spec, base, &error)) << error.toStdString();
    EXPECT_EQ(QFile(base + ".dat").size(), spec.samples * BinaryRecordSize(spec));
    EXPECT_EQ(vesdra::test::ReadBytes(base + ".cfg"), CfgText(spec));
    EXPECT_TRUE(vesdra::test::ReadBytes(base + ".hdr").endsWith("Registro sintetico de muestra\r\n"));

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/rec"));
    EXPECT_FALSE(WriteRecord(spec, missing, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(missing + ".dat"));
    EXPECT_FALSE(QFile::exists(missing + ".cfg"));
}
