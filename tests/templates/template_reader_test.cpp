#include <QDir>
#include <QFile>

#include "platform/base/vb_error.h"
#include "template_fixture.h"
#include "templates/template_file.h"

namespace vesdra::test {
namespace {

using Reader = TemplateTest;

// Rows of an earlier template that a read must leave alone.
void FillEarlierTables()
{
    TemplateState& p = Plantillas();
    p.AnalogicosPlantilla.Resize(1, 5, "old");
    p.TrifasicosPlantilla.Resize(1, 6, "old");
    p.GruposPlantilla.Resize(1, 2, "old");
    p.MiembrosPlantilla.Resize(1, 2, "old");
    p.NumAnalogicosPlantilla = p.NumTrifasicosPlantilla = p.NumGruposPlantilla = p.NumMiembrosPlantilla = 1;
}

// Files written on Windows (CR LF) and edited on Linux (LF) read alike.
class ReaderLineEnds : public Reader, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ReaderLineEnds, FieldsAreCutAtPercentAndDollarWithMissingSeparatorsLeftEmpty)
{
    Template({"ver 1.1", "RELE X", "ANALOGICOS", " 5 ",
              "3%Ia%IA%A$",     // the four fields
              "3%%%A$",         // two empty fields
              "4%b$",           // 4, then the search restarts at the start: "", 4, b
              "1%x%y%z",        // no "$": the last field is empty
              "2%x%y%kV$ tail", // text after "$" is ignored
              "TRIFASICOS", " 2 ", "1%2%3%L1%1.5$", "1% 5 %3%L2%2$", "-----"},
             GetParam());
    const ResultadoPlantilla r = LeerPlantilla();
    ASSERT_EQ(r.Estado, LecturaPlantilla::Leida);
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.VersionPlantilla, "ver 1.1");
    EXPECT_EQ(p.IdentificadorPlantilla, "RELE X");
    ASSERT_EQ(p.NumAnalogicosPlantilla, 5);
    const QStringList expected[] = {{"3", "Ia", "IA", "A", ""},
                                    {"3", "", "", "A", ""},
                                    {"4", "", "4", "b", ""},
                                    {"1", "x", "y", "", ""},
                                    {"2", "x", "y", "kV", ""}};
    for (std::int32_t i = 1; i <= 5; ++i)
        EXPECT_EQ(Row(p.AnalogicosPlantilla, i), expected[i - 1]) << "row " << i;
    ASSERT_EQ(p.NumTrifasicosPlantilla, 2);
    EXPECT_EQ(Row(p.TrifasicosPlantilla, 1), QStringList({"1", "2", "3", "L1", "1.5", ""}));
    // " 5 " is the whole number 5.
    EXPECT_EQ(Row(p.TrifasicosPlantilla, 2), QStringList({"1", "5", "3", "L2", "2", ""}));
    EXPECT_EQ(p.NumGruposPlantilla, 0);
    EXPECT_FALSE(p.PlantillaNoEncaja);
}

TEST_P(ReaderLineEnds, DigitalGroupsKeepTheirCountLinesAndNumberMembersOn)
{
    Template({"ver 1.1", "RELE", "ANALOGICOS", " 1 ", "1%V%V%kV$", "DIGITALES", "4", " 2 ", "***", "DISPAROS",
              " 3 ", "12%Trip$", "13%Cierre$", "14%Sin dolar", "***", "ALARMAS", "1", "2%Fallo%x$", "-----"},
             GetParam());
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    const TemplateState& p = Plantillas();
    // No TRIFASICOS: "DIGITALES" fails that test and is then taken as its own heading.
    EXPECT_EQ(p.NumTrifasicosPlantilla, 0);
    EXPECT_EQ(p.NumMiembrosPlantilla, 4);
    ASSERT_EQ(p.NumGruposPlantilla, 2);
    EXPECT_EQ(Row(p.GruposPlantilla, 1), QStringList({"DISPAROS", " 3 "}));
    EXPECT_EQ(Row(p.GruposPlantilla, 2), QStringList({"ALARMAS", "1"}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 1), QStringList({"12", "Trip"}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 2), QStringList({"13", "Cierre"}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 3), QStringList({"14", ""}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 4), QStringList({"2", "Fallo%x"}));
}

INSTANTIATE_TEST_SUITE_P(CrLfAndLoneLf, ReaderLineEnds, ::testing::Values("\r\n", "\n"),
                         [](const auto& info) { return std::string(info.param[0] == '\r' ? "CrLf" : "Lf"); });

TEST_F(Reader, AbsentSectionsGetCountZeroAndKeepTheirTables)
{
    struct Case {
        const char* what;
        QStringList lines;
        std::int32_t analog, sets, members, groups;
    };
    const Case cases[] = {
        {"header only", {"ver 1.1", "ID", "-----"}, 0, 0, 0, 0},
        {"digital total then group count 0", {"ver 1.1", "ID", "DIGITALES", "5", " 0 ", "-----"}, 0, 0, 5, 0},
        {"digital total line empty", {"ver 1.1", "ID", "DIGITALES", "", " 1 ", "-----"}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillEarlierTables();
        Template(c.lines);
        ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
        const TemplateState& p = Plantillas();
        EXPECT_EQ(p.NumAnalogicosPlantilla, c.analog);
        EXPECT_EQ(p.NumTrifasicosPlantilla, c.sets);
        EXPECT_EQ(p.NumMiembrosPlantilla, c.members);
        EXPECT_EQ(p.NumGruposPlantilla, c.groups);
        EXPECT_EQ(p.AnalogicosPlantilla(1, 1), "old");
        EXPECT_EQ(p.TrifasicosPlantilla(1, 1), "old");
        EXPECT_EQ(p.GruposPlantilla(1, 1), "old");
        EXPECT_EQ(p.MiembrosPlantilla(1, 1), "old");
    }
}

TEST_F(Reader, OldLayoutIsRefusedButOnlyWhenLineOneIsExactlyVer10)
{
    Template({"ver 1.0", "ID", "ANALOGICOS", " 1 ", "1%a%b%c$", "-----"});
    ResultadoPlantilla r = LeerPlantilla();
    EXPECT_EQ(r.Estado, LecturaPlantilla::VersionAntigua);
    EXPECT_EQ(r.Texto(), 172);
    EXPECT_EQ(Plantillas().VersionPlantilla, "ver 1.0");
    EXPECT_EQ(Plantillas().NumAnalogicosPlantilla, 0);

    Template({"ver 1.0 ", "ID", "ANALOGICOS", " 1 ", "1%a%b%c$", "-----"});
    r = LeerPlantilla();
    EXPECT_EQ(r.Estado, LecturaPlantilla::Leida);
    EXPECT_EQ(r.Texto(), 0);
    EXPECT_EQ(Plantillas().NumAnalogicosPlantilla, 1);
}

// Record of 8 analog and 16 digital channels, a template being applied.
TEST_F(Reader, FitCheckStopsAtTheFirstChannelTheRecordLacks)
{
    struct Case {
        const char* what;
        QStringList lines;
        bool fits;
        std::int32_t rowsKept; // analog rows (or members, for digital cases) read before stopping
    };
    const QStringList eight = {"1%a%a%V$", "2%a%a%V$", "3%a%a%V$", "4%a%a%V$",
                               "5%a%a%V$", "6%a%a%V$", "7%a%a%V$", "8%a%a%V$"};
    const Case cases[] = {
        {"eight rows fit", QStringList{"ver 1.1", "ID", "ANALOGICOS", " 8 "} + eight + QStringList{"-----"},
         true, 8},
        {"nine rows: misfit before any row is read",
         QStringList{"ver 1.1", "ID", "ANALOGICOS", " 9 "} + eight + QStringList{"9%a%a%V$", "-----"}, false,
         0},
        {"mended: a row naming channel 12 of 8 is a misfit",
         {"ver 1.1", "ID", "ANALOGICOS", " 2 ", "1%a%a%V$", "12%b%b%V$", "-----"},
         false,
         2},
        {"mended: a three-phase set naming channel 9 of 8 is a misfit",
         {"ver 1.1", "ID", "TRIFASICOS", " 1 ", "1%2%9%L%1$", "-----"},
         false,
         0},
        {"member 16 of 16 fits",
         {"ver 1.1", "ID", "DIGITALES", "2", " 1 ", "***", "G", " 2 ", "1%a$", "16%b$", "-----"},
         true,
         2},
        {"member 17 of 16: misfit at that member",
         {"ver 1.1", "ID", "DIGITALES", "3", " 1 ", "***", "G", " 3 ", "1%a$", "17%b$", "2%c$", "-----"},
         false,
         2},
        {"mended: a member numbered 0 is a misfit",
         {"ver 1.1", "ID", "DIGITALES", "1", " 1 ", "***", "G", " 1 ", "0%a$", "-----"},
         false,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CerrarPlantillas();
        OpenRecord(8, 16);
        Template(c.lines);
        const ResultadoPlantilla r = LeerPlantilla();
        const TemplateState& p = Plantillas();
        EXPECT_EQ(r.Estado, c.fits ? LecturaPlantilla::Leida : LecturaPlantilla::NoEncaja);
        EXPECT_EQ(r.Texto(), c.fits ? 0 : 253);
        EXPECT_EQ(p.PlantillaNoEncaja, !c.fits);
        const bool digital = c.lines.contains("DIGITALES");
        const Matrix<QString>& kept = digital ? p.MiembrosPlantilla : p.AnalogicosPlantilla;
        std::int32_t filled = 0;
        for (std::int32_t i = 1; i <= kept.Rows(); ++i)
            filled += !Row(kept, i).join("").isEmpty();
        EXPECT_EQ(filled, c.rowsKept);

        // The wizard modifying a template, or no record open: no check at all.
        for (int pass = 0; pass < 2; ++pass) {
            CerrarPlantillas();
            OpenRecord(8, 16);
            if (pass == 0)
                Plantillas().ModificandoPlantilla = true;
            else
                Registro().RegistroAbierto = false;
            EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
            EXPECT_FALSE(Plantillas().PlantillaNoEncaja);
        }
    }
}

TEST_F(Reader, MendedUnreadableFileIsAnErrorThatTouchesNothing)
{
    QDir(dir_.path()).mkdir("carpeta.cnf");
    const struct {
        QString path;
        int error;
    } cases[] = {
        {Path("no_existe.cnf"), vberr::FileNotFound},
        {Path("carpeta.cnf"), vberr::PathFileAccessError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        FillEarlierTables();
        Plantillas().VersionPlantilla = "ver 1.1";
        Plantillas().IdentificadorPlantilla = "ANTERIOR";
        Plantillas().PlantillaNoEncaja = true;
        Plantillas().RutaPlantilla = c.path;
        const ResultadoPlantilla r = LeerPlantilla();
        ASSERT_EQ(r.Estado, LecturaPlantilla::Error);
        ASSERT_TRUE(r.Error.has_value());
        EXPECT_EQ(r.Error->Number, c.error);
        const TemplateState& p = Plantillas();
        EXPECT_EQ(p.NumAnalogicosPlantilla, 1);
        EXPECT_EQ(p.NumGruposPlantilla, 1);
        EXPECT_EQ(p.IdentificadorPlantilla, "ANTERIOR");
        EXPECT_FALSE(p.PlantillaNoEncaja);
    }
}

TEST_F(Reader, FoundUnderAnotherCaseOfItsName)
{
    Template({"ver 1.1", "RELE", "-----"}, "\r\n", "RELE.CNF");
    Plantillas().RutaPlantilla = Path("rele.cnf");
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_EQ(Plantillas().IdentificadorPlantilla, "RELE");
}

// A file the writer could not have written is refused whole, naming the
// line at fault, with or without a record open (never as a misfit), and
// leaves the tables, counts, texts and flags of the template before it.
TEST_F(Reader, MendedDamagedTemplatesAreRefusedNamingTheLineAndTouchNothing)
{
    const QStringList cabecera = {"ver 1.1", "ID"};
    const QStringList digitales = {"DIGITALES", "2", " 1 ", "***", "G", " 2 ", "1%a$", "2%b$", "-----"};
    const struct {
        const char* what;
        QStringList lines;
        std::int32_t line;
    } cases[] = {
        {"an empty file", {}, 1},
        {"an analog count that is no number",
         cabecera + QStringList{"ANALOGICOS", " x ", "1%a%b%c$", "-----"}, 4},
        {"a negative analog count", cabecera + QStringList{"ANALOGICOS", " -3 ", "1%a%b%c$", "-----"}, 4},
        {"an analog count beyond the file", cabecera + QStringList{"ANALOGICOS", " 2000000000 ", "1%a%b%c$"},
         4},
        {"a file cut inside its analog rows",
         cabecera + QStringList{"ANALOGICOS", " 3 ", "1%a%b%c$", "2%a%b%c$"}, 4},
        {"a heading without its count", cabecera + QStringList{"ANALOGICOS"}, 3},
        {"an analog row without its channel number",
         cabecera + QStringList{"ANALOGICOS", " 2 ", "1%a%b%c$", "abc$", "-----"}, 6},
        {"an empty analog row", cabecera + QStringList{"ANALOGICOS", " 1 ", "", "-----"}, 5},
        {"a three-phase count that is no number", cabecera + QStringList{"TRIFASICOS", " x ", "-----"}, 4},
        {"a junk three-phase line", cabecera + QStringList{"TRIFASICOS", " 1 ", "basura", "-----"}, 5},
        {"a phase that is no number", cabecera + QStringList{"TRIFASICOS", " 1 ", "1%2%x%L%1$", "-----"}, 5},
        {"a digital total that is no number",
         cabecera + QStringList{"DIGITALES", "dos", " 1 ", "***", "G", " 1 ", "1%a$", "-----"}, 4},
        {"a negative group count", cabecera + QStringList{"DIGITALES", "1", " -1 ", "-----"}, 5},
        {"more groups than the file holds",
         cabecera + QStringList{"DIGITALES", "1", " 5 ", "***", "G", " 1 ", "1%a$", "-----"}, 5},
        {"a member count that is no number",
         cabecera + QStringList{"DIGITALES", "1", " 1 ", "***", "G", " x ", "1%a$", "-----"}, 8},
        {"a member count beyond the file",
         cabecera + QStringList{"DIGITALES", "1", " 1 ", "***", "G", " 99 ", "1%a$", "-----"}, 8},
        {"a member without its number",
         cabecera + QStringList{"DIGITALES", "1", " 1 ", "***", "G", " 1 ", "a$", "-----"}, 9},
        {"a second group's count counting the end line as a member",
         cabecera + QStringList{"DIGITALES", "3", " 2 ", "***", "G", " 1 ", "1%a$", "***", "H", " 2 ", "2%b$",
                                "-----"},
         14},
        // Lines that are neither a heading still to come, a row of their
        // section nor the end line: the sections would be lost unsaid.
        {"a misspelt heading", cabecera + QStringList{"Analogicos", " 1 ", "1%a%b%c$", "-----"}, 3},
        {"a heading with a blank after it", cabecera + QStringList{"ANALOGICOS ", " 1 ", "1%a%b%c$", "-----"},
         3},
        {"nothing after the identifier", cabecera, 2},
        {"a blank line where a heading stands", cabecera + QStringList{"", "-----"}, 3},
        {"a row more than the count says",
         cabecera + QStringList{"ANALOGICOS", " 1 ", "1%a%b%c$", "2%a%b%c$", "-----"}, 6},
        {"a heading out of order",
         cabecera + QStringList{"TRIFASICOS", " 1 ", "1%2%3%L%1$", "ANALOGICOS", " 1 ", "1%a%b%c$", "-----"},
         6},
        {"a section twice",
         cabecera + QStringList{"ANALOGICOS", " 1 ", "1%a%b%c$", "ANALOGICOS", " 1 ", "1%a%b%c$", "-----"},
         6},
        {"no \"***\" before the first group",
         cabecera + QStringList{"DIGITALES", "1", " 1 ", "G", " 1 ", "1%a$"}, 6},
        {"no \"***\" between groups",
         cabecera +
             QStringList{"DIGITALES", "2", " 2 ", "***", "G", " 1 ", "1%a$", "H", " 1 ", "2%b$", "-----"},
         10},
        {"a member more than its group's count",
         cabecera + QStringList{"DIGITALES", "1", " 1 ", "***", "G", " 1 ", "1%a$", "2%b$", "-----"}, 10},
    };
    const auto textos = [](int n) { return QStringLiteral("<%1>").arg(n); };
    for (const auto& c : cases) {
        for (const bool registro : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (registro ? ", a record open" : ", no record"));
            CerrarPlantillas();
            CerrarRegistro();
            if (registro)
                OpenRecord(8, 16);
            FillEarlierTables();
            TemplateState& p = Plantillas();
            p.VersionPlantilla = "ver 1.1";
            p.IdentificadorPlantilla = "ANTERIOR";
            const QString ruta = Template(c.lines);
            const ResultadoPlantilla r = LeerPlantilla();
            ASSERT_EQ(r.Estado, LecturaPlantilla::Danada);
            EXPECT_EQ(r.Linea, c.line);
            EXPECT_EQ(r.Texto(), 201);
            EXPECT_EQ(r.Mensaje(textos, ruta), "<201>" + ruta + "<202>" + QString::number(c.line));
            EXPECT_EQ(p.NumAnalogicosPlantilla + p.NumTrifasicosPlantilla + p.NumGruposPlantilla +
                          p.NumMiembrosPlantilla,
                      4);
            for (const Matrix<QString>* m :
                 {&p.AnalogicosPlantilla, &p.TrifasicosPlantilla, &p.GruposPlantilla, &p.MiembrosPlantilla})
                EXPECT_EQ(m->Rows() == 1 ? (*m)(1, 1) : QString("resized"), "old");
            EXPECT_EQ(p.IdentificadorPlantilla, "ANTERIOR");
            EXPECT_FALSE(p.PlantillaNoEncaja);
        }
    }

    // The same layout whole reads, and so does a DIGITALES section with an
    // empty total line (it ends the section with no groups), and a file that
    // ends after a whole section without its end line, or goes on after it.
    Template(cabecera + digitales);
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    Template(cabecera + digitales.mid(0, digitales.size() - 1));
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    Template(cabecera + QStringList{"ANALOGICOS", " 1 ", "1%a%b%c$"});
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    Template(cabecera + QStringList{"-----", "", "notas"});
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    Template(cabecera + QStringList{"DIGITALES", "", " 1 ", "-----"});
    EXPECT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
}

TEST_F(Reader, VersionLineIsReadAloneAndFailuresAreRaised)
{
    Template({"ver 1.0", "ID", "-----"}, "\n");
    EXPECT_EQ(LeerVersionPlantilla(), "ver 1.0");
    EXPECT_EQ(Plantillas().VersionPlantillaActiva, "ver 1.0");

    Plantillas().RutaPlantilla = Path("no_existe.cnf");
    try {
        (void)LeerVersionPlantilla();
        FAIL() << "no error raised";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::FileNotFound);
    }
}

} // namespace
} // namespace vesdra::test
