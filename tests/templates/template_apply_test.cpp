#include <tuple>

#include "gen/comtrade_gen.h"
#include "record/cfg_reader.h"
#include "template_fixture.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"

namespace vesdra::test {
namespace {

using Apply = TemplateTest;

TEST_F(Apply, ReplacesTheRecordsChannelTableAndStationName)
{
    OpenRecord(8, 16);
    Template({"ver 1.1",
              "RELE 7SA",
              "ANALOGICOS",
              " 6 ",
              "1%VA%Va%kV$",
              "2%VB%Vb%kV$",
              "3%VC%Vc%kV$",
              "4%IA%Ia%A$",
              "5%IB%Ib%A$",
              "6%IC%Ic%A$",
              "TRIFASICOS",
              " 2 ",
              "1%2%3%TENSIONES%1$",
              "4%5%6%INTENSIDADES%0.5$",
              "DIGITALES",
              "3",
              " 2 ",
              "***",
              "DISPAROS",
              " 2 ",
              "1%Z1$",
              "2%Z2$",
              "***",
              "ALARMAS",
              " 1 ",
              "16%Fallo$",
              "-----"});
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    AplicarPlantilla();
    const TemplateState& p = Plantillas();
    const RecordModel& r = Registro();
    EXPECT_EQ(r.NombreEstacion, "RELE 7SA");
    EXPECT_EQ(p.VersionPlantillaActiva, "ver 1.1");
    EXPECT_EQ(p.NumCanalesTabla, 6);
    ASSERT_EQ(r.TablaCanales.Rows(), 6);
    ASSERT_EQ(r.TablaCanales.Cols(), 5);
    EXPECT_EQ(Row(r.TablaCanales, 4), QStringList({"4", "IA", "Ia", "A", ""}));
    EXPECT_EQ(p.NumTrifasicos, 2);
    EXPECT_EQ(Row(p.TablaTrifasicos, 2), QStringList({"4", "5", "6", "INTENSIDADES", "0.5", ""}));
    EXPECT_EQ(CanalTrifasico(2, 3), 6);
    EXPECT_EQ(p.NumGruposDigitales, 2);
    EXPECT_EQ(p.NumMiembrosDigitales, 3);
    EXPECT_EQ(Row(p.TablaGruposDigitales, 2), QStringList({"ALARMAS", " 1 "}));
    EXPECT_EQ(Row(p.TablaMiembrosDigitales, 3), QStringList({"16", "Fallo"}));
}

TEST_F(Apply, AbsentSectionsApplyCountZeroWhateverTheirTablesHold)
{
    OpenRecord(8, 16);
    Template({"ver 1.1", "A", "DIGITALES", "3", " 3 ", "***", "G1", " 1 ", "1%a$", "***", "G2", " 1 ", "2%b$",
              "***", "G3", " 1 ", "3%c$", "-----"});
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    AplicarPlantilla();
    ASSERT_EQ(Plantillas().NumGruposDigitales, 3);

    // As the template dialog's Abrir does: the analog, three-phase and member
    // tables are emptied before the read; the groups table is not.
    Plantillas().AnalogicosPlantilla.Clear();
    Plantillas().TrifasicosPlantilla.Clear();
    Plantillas().MiembrosPlantilla.Clear();
    Template({"ver 1.1", "B", "ANALOGICOS", " 1 ", "1%VA%VA%kV$", "-----"});
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    AplicarPlantilla();
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.NumTrifasicos, 0);
    EXPECT_TRUE(p.TablaTrifasicos.Empty());
    EXPECT_EQ(p.NumGruposDigitales, 0);
    EXPECT_EQ(p.NumMiembrosDigitales, 0);
    EXPECT_EQ(p.TablaGruposDigitales.Rows(), 3);
    EXPECT_EQ(Registro().NombreEstacion, "B");
}

// The sample record's template (resources/Plantillas/muestra.cnf) and the
// record the build writes with the generator belong together: it must fit,
// and its names must be the record's own channel names.
TEST_F(Apply, BundledSampleTemplateFitsTheBundledRecord)
{
    const gen::GenSpec spec = gen::SampleRecordSpec();
    const QString base = Path("muestra");
    ASSERT_TRUE(gen::WriteRecord(spec, base));
    Registro().RutaCfg = base + ".cfg";
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    // The record's own rows, offered to the wizard as the open sequence does.
    OfrecerCanalesPlantilla();
    EXPECT_EQ(Plantillas().IdentificadorPlantilla, spec.station);
    ASSERT_EQ(Plantillas().AnalogicosPlantilla.Rows(), 8);
    EXPECT_EQ(Row(Plantillas().AnalogicosPlantilla, 5), QStringList({"5", "IB", "LINEA 1", "A"}));

    Registro().RegistroAbierto = true;
    Plantillas().PlantillaAplicada = true;
    Plantillas().RutaPlantilla = QString::fromUtf8(VESDRA_RESOURCES_DIR "/Plantillas/muestra.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_TRUE(PlantillaEncaja());
    AplicarPlantilla();
    const TemplateState& p = Plantillas();
    const RecordModel& r = Registro();
    ASSERT_EQ(p.NumCanalesTabla, 8);
    for (std::int32_t c = 1; c <= 8; ++c)
        EXPECT_EQ(r.TablaCanales(c, 2), spec.analog[c - 1].name) << c;
    ASSERT_EQ(p.NumMiembrosDigitales, 24);
    for (std::int32_t m = 1; m <= 24; ++m) {
        const std::int32_t d = p.TablaMiembrosDigitales(m, 1).toInt();
        ASSERT_GE(d, 1);
        EXPECT_EQ(p.TablaMiembrosDigitales(m, 2), spec.digital[d - 1].name) << m;
    }
    EXPECT_EQ(r.NombreEstacion, "PROTECCION LINEA 1 (66 kV)");
}

// Start-up applies a command-line template without the reader's check; the
// full check catches every channel the record lacks.
TEST_F(Apply, FullFitCheckFindsEveryChannelTheRecordLacks)
{
    const QStringList fits = {"ver 1.1",    "ID",  "ANALOGICOS", " 2 ",       "1%a%a%V$", "2%b%b%V$",
                              "TRIFASICOS", " 1 ", "1%2%2%L%1$", "DIGITALES", "2",        " 1 ",
                              "***",        "G",   " 2 ",        "1%x$",      "4%y$",     "-----"};
    const struct {
        const char* what;
        QString from, to;
    } cases[] = {
        {"fits", "", ""},
        {"analog row beyond the record", "2%b%b%V$", "3%b%b%V$"},
        {"three-phase channel beyond the record", "1%2%2%L%1$", "1%2%3%L%1$"},
        {"member beyond the record", "4%y$", "5%y$"},
        // The reader refuses such a file as damaged; the tables can still
        // come to hold it.
        {"member count beyond the members", "count", " 3 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CerrarPlantillas();
        CerrarRegistro();
        QStringList lines = fits;
        if (!c.from.isEmpty() && c.from != "count")
            lines[lines.lastIndexOf(c.from)] = c.to;
        Template(lines);
        ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida); // no record open: no check
        if (c.from == "count")
            Plantillas().GruposPlantilla(1, 2) = c.to;
        OpenRecord(2, 4);
        EXPECT_EQ(PlantillaEncaja(), c.from.isEmpty());
    }
}

// What the template dialog's Abrir leaves behind: the template applied, or,
// when it is refused, exactly what there was (the record's own channels, or
// the earlier template whole).
TEST_F(Apply, MendedARefusedTemplateChangesNothing)
{
    const QStringList earlier = {"ver 1.1",    "ANTERIOR",   "ANALOGICOS", " 2 ",        "1%Ia%IA%A$",
                                 "2%Ib%IB%A$", "TRIFASICOS", " 1 ",        "1%2%2%I%1$", "DIGITALES",
                                 "1",          " 1 ",        "***",        "DISPAROS",   " 1 ",
                                 "3%Trip$",    "-----"};
    QStringList nine = {"ver 1.1", "NUEVE", "ANALOGICOS", " 9 "};
    for (int i = 1; i <= 9; ++i)
        nine << QStringLiteral("%1%a%a%V$").arg(i);
    const struct {
        const char* what;
        QStringList lines; // none: the file is not there
        LecturaPlantilla estado;
    } refusals[] = {
        {"misfit", nine, LecturaPlantilla::NoEncaja},
        {"old layout", {"ver 1.0", "VIEJA", "-----"}, LecturaPlantilla::VersionAntigua},
        {"damaged", {"ver 1.1", "ROTA", "TRIFASICOS", " 1 ", "basura", "-----"}, LecturaPlantilla::Danada},
        {"a member the record lacks",
         {"ver 1.1", "OTRA", "DIGITALES", "1", " 1 ", "***", "G", " 1 ", "17%x$", "-----"},
         LecturaPlantilla::NoEncaja},
        {"unreadable", {}, LecturaPlantilla::Error},
    };
    using Estado = std::tuple<bool, bool, QString, QString, std::int32_t, Matrix<QString>, std::int32_t,
                              Matrix<QString>, std::int32_t, Matrix<QString>, std::int32_t, Matrix<QString>,
                              QString, std::int32_t, Matrix<QString>>;
    const auto estado = [] {
        const TemplateState& p = Plantillas();
        const RecordModel& r = Registro();
        return Estado{p.PlantillaAplicada,      p.PlantillaNoEncaja,      p.RutaPlantillaAplicada,
                      r.NombreEstacion,         p.NumCanalesTabla,        r.TablaCanales,
                      p.NumTrifasicos,          p.TablaTrifasicos,        p.NumGruposDigitales,
                      p.TablaGruposDigitales,   p.NumMiembrosDigitales,   p.TablaMiembrosDigitales,
                      p.IdentificadorPlantilla, p.NumAnalogicosPlantilla, p.AnalogicosPlantilla};
    };
    for (const bool conAnterior : {false, true}) {
        for (const auto& c : refusals) {
            SCOPED_TRACE(std::string(conAnterior ? "earlier template, " : "no template, ") + c.what);
            CerrarPlantillas();
            OpenRecord(8, 16);
            Plantillas().PlantillaAplicada = false;
            OfrecerCanalesPlantilla();
            if (conAnterior) {
                Template(earlier, "\r\n", "anterior.cnf");
                ASSERT_EQ(AplicarFicheroPlantilla().Estado, LecturaPlantilla::Leida);
                ASSERT_EQ(Registro().NombreEstacion, "ANTERIOR");
            }
            const Estado antes = estado();
            if (c.lines.isEmpty())
                Plantillas().RutaPlantilla = Path("no_existe.cnf");
            else
                Template(c.lines);
            EXPECT_EQ(AplicarFicheroPlantilla().Estado, c.estado);
            EXPECT_TRUE(estado() == antes);
            EXPECT_EQ(Plantillas().PlantillaAplicada, conAnterior);
            EXPECT_EQ(Plantillas().NumGruposDigitales, conAnterior ? 1 : 0);
        }
    }

    // One that fits is applied.
    Template(earlier);
    ASSERT_EQ(AplicarFicheroPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().RutaPlantillaAplicada, Path("t.cnf"));
    EXPECT_EQ(Registro().TablaCanales(2, 2), "Ib");
}

} // namespace
} // namespace vesdra::test
