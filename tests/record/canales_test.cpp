#include <gtest/gtest.h>

#include "gen/comtrade_gen.h"
#include "platform/base/vb_error.h"
#include "record/canales.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record_fixture.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {
namespace {

// Five analog channels of distinct amplitudes and three digital channels of
// distinct patterns, numbered in the .cfg as a recorder chose.
gen::GenSpec Numerado(std::vector<std::int32_t> analogicos, std::vector<std::int32_t> digitales,
                      gen::DataFormat formato)
{
    gen::GenSpec spec;
    spec.revision = gen::Revision::R1991;
    spec.format = formato;
    spec.samples = 40;
    for (int c = 1; c <= 5; ++c) {
        gen::AnalogSpec a;
        a.name = QStringLiteral("CH%1").arg(c);
        a.amplitude = 100.0 * c;
        a.dc = c;
        a.a = 0.05;
        spec.analog.push_back(a);
    }
    for (int d = 1; d <= 3; ++d)
        spec.digital.push_back({QStringLiteral("D%1").arg(d), 0, {}, d * 2});
    spec.analogNumbers = std::move(analogicos);
    spec.digitalNumbers = std::move(digitales);
    return spec;
}

class CanalesTest : public test::RecordTest
{
protected:
    void TearDown() override
    {
        CerrarPlantillas();
        test::RecordTest::TearDown();
    }
    void Abrir(const gen::GenSpec& spec)
    {
        ASSERT_TRUE(gen::WriteRecord(spec, Ruta("rec")));
        Registro().RutaCfg = Ruta("rec.cfg");
        Registro().RutaDat = Ruta("rec.dat");
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        ASSERT_TRUE(LeerDat(Registro()).Ok());
        Registro().RegistroAbierto = true;
    }
};

TEST_F(CanalesTest, EveryChannelOfARecordNumberedWithGapsFindsItsOwnSamples)
{
    const struct {
        const char* que;
        std::vector<std::int32_t> analogicos;
        std::vector<std::int32_t> digitales;
    } casos[] = {
        {"gap", {1, 2, 4, 5, 6}, {1, 3, 4}},
        {"from 10", {10, 11, 12, 13, 14}, {20, 21, 22}},
        {"from 0", {0, 1, 2, 3, 4}, {0, 1, 2}},
    };
    for (const auto& caso : casos) {
        for (const gen::DataFormat formato : {gen::DataFormat::Ascii, gen::DataFormat::Binary}) {
            const gen::GenSpec spec = Numerado(caso.analogicos, caso.digitales, formato);
            Abrir(spec);
            const RecordModel& r = Registro();
            for (std::int32_t k = 1; k <= 5; ++k) {
                ASSERT_EQ(ColumnaAnalogica(k), k) << caso.que;
                EXPECT_EQ(r.NumerosAnalogicos(k), QString::number(caso.analogicos[k - 1])) << caso.que;
                for (const std::int32_t s : {1, 7, 40})
                    EXPECT_EQ(r.Valores(s, ColumnaAnalogica(k)), gen::ExpectedValue(spec, k, s)) << caso.que;
            }
            for (std::int32_t d = 1; d <= 3; ++d) {
                EXPECT_EQ(r.NumerosDigitales(d), QString::number(caso.digitales[d - 1])) << caso.que;
                for (const std::int32_t s : {1, 3, 5, 40})
                    EXPECT_EQ(r.EstadosDigitales(s, ColumnaDigital(d)), gen::DigitalState(spec, d, s))
                        << caso.que;
            }
        }
    }
}

TEST_F(CanalesTest, ATemplateNamesChannelsByPositionAndFitsARecordNumberedWithGaps)
{
    Abrir(Numerado({10, 11, 12, 13, 14}, {1, 3, 4}, gen::DataFormat::Binary));
    // Rows in an order of their own; a set of three channels; group members.
    const QByteArray cnf = "ver 1.1\r\nREL\r\nANALOGICOS\r\n 3 \r\n5%E%%V$\r\n1%A%%V$\r\n3%C%%V$\r\n"
                           "TRIFASICOS\r\n 1 \r\n1%3%5%L1%1$\r\n"
                           "DIGITALES\r\n2\r\n 1 \r\n***\r\nG\r\n 2 \r\n3%D3$\r\n1%D1$\r\n-----\r\n";
    ASSERT_TRUE(test::WriteBytes(Ruta("t.cnf"), cnf));
    TemplateState& p = Plantillas();
    p.RutaPlantilla = Ruta("t.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_TRUE(PlantillaEncaja());
    AplicarPlantilla();
    p.PlantillaAplicada = true;
    EXPECT_EQ(ColumnaAnalogica(1), 5);
    EXPECT_EQ(ColumnaAnalogica(2), 1);
    EXPECT_EQ(ColumnaAnalogica(3), 3);

    // A channel the record lacks: position 6 of 5, whatever the .cfg wrote.
    ASSERT_TRUE(
        test::WriteBytes(Ruta("t.cnf"), "ver 1.1\r\nREL\r\nANALOGICOS\r\n 1 \r\n6%X%%V$\r\n-----\r\n"));
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::NoEncaja);
    ASSERT_TRUE(
        test::WriteBytes(Ruta("t.cnf"), "ver 1.1\r\nREL\r\nANALOGICOS\r\n 1 \r\n12%X%%V$\r\n-----\r\n"));
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::NoEncaja);
}

TEST(ColumnaDeCanal, WholeNumbersInsideTheChannelsNameAColumnAndNothingElse)
{
    const struct {
        const char* numero;
        std::int32_t columna; // 0: none
        int error;            // what the failing form throws
    } casos[] = {
        {"1", 1, 0},
        {" 5 ", 5, 0},
        {"2.0", 2, 0},
        {"0", 0, vberr::SubscriptOutOfRange},
        {"6", 0, vberr::SubscriptOutOfRange},
        {"-1", 0, vberr::SubscriptOutOfRange},
        {"", 0, vberr::TypeMismatch},
        {"IA", 0, vberr::TypeMismatch},
    };
    for (const auto& c : casos) {
        const QString numero = QString::fromLatin1(c.numero);
        EXPECT_EQ(ColumnaDeCanal(numero, 5).value_or(0), c.columna) << c.numero;
        try {
            EXPECT_EQ(ColumnaDeCanalOError(numero, 5), c.columna) << c.numero;
            EXPECT_EQ(c.error, 0) << c.numero;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, c.error) << c.numero;
        }
    }
}

} // namespace
} // namespace vesdra
