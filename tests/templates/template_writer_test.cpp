#include <QDir>
#include <QFile>
#include <functional>

#include "platform/base/cp1252.h"
#include "platform/base/vb_error.h"
#include "template_fixture.h"
#include "templates/template_file.h"

namespace vesdra::test {
namespace {

// A template as the wizard leaves it: 4-column analog rows, a 5-column set,
// the digital groups in the editing tables (one count a number the digital
// step stored, one the text carried over from a file read earlier).
class Writer : public TemplateTest
{
protected:
    void SetUp() override
    {
        TemplateTest::SetUp();
        TemplateState& p = Plantillas();
        p.IdentificadorPlantilla = QString::fromUtf8("Relé 7SA (Tensión)");
        p.NumAnalogicosPlantilla = 3;
        p.AnalogicosPlantilla.Resize(3, 4);
        SetRow(p.AnalogicosPlantilla, 1, {"1", "VA", QString::fromUtf8("Tensión A"), "kV"});
        SetRow(p.AnalogicosPlantilla, 2, {"2", "VB", "", "kV"});
        SetRow(p.AnalogicosPlantilla, 3, {"4", "IA", "IA", "A"});
        p.NumTrifasicosPlantilla = 1;
        p.TrifasicosPlantilla.Resize(1, 5);
        SetRow(p.TrifasicosPlantilla, 1, {"1", "2", "3", "TENSIONES", "1.5"});
        p.NumMiembrosPlantilla = 3;
        p.NumGruposPlantilla = 2;
        p.GruposEdicion.Resize(2, 21);
        p.CanalesEdicion.Resize(2, 21);
        SetRow(p.GruposEdicion, 1, {"DISPAROS", "2", "Disparo A", "Disparo B", "stale slot"});
        p.CanalesEdicion(1, 3) = 5;
        p.CanalesEdicion(1, 4) = 12;
        SetRow(p.GruposEdicion, 2, {"ALARMAS", " 1 ", "Fallo"});
        p.CanalesEdicion(2, 3) = 16;
    }

    static void SetRow(Matrix<QString>& m, std::int32_t row, const QStringList& cells)
    {
        for (std::int32_t c = 1; c <= cells.size(); ++c)
            m(row, c) = cells[c - 1];
    }

    // Nothing but the named files in the folder: no temporary file left over.
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(Writer, WritesTheLayoutWithCrLfInWindows1252)
{
    const ResultadoEscritura r = EscribirPlantilla(Path("rele.cnf"));
    ASSERT_EQ(r.Estado, EscrituraPlantilla::Escrita);
    EXPECT_EQ(ReadBytes(Path("rele.cnf")), ReadBytes(DataPath("templates/escrita.cnf")));
    EXPECT_EQ(Files(), QStringList({"rele.cnf"}));
}

TEST_F(Writer, WhatIsWrittenReadsBackAsWritten)
{
    ASSERT_EQ(EscribirPlantilla(Path("rele.cnf")).Estado, EscrituraPlantilla::Escrita);
    const TemplateState before = Plantillas();
    Plantillas().RutaPlantilla = Path("rele.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    const TemplateState& p = Plantillas();
    EXPECT_EQ(p.VersionPlantilla, "ver 1.1");
    EXPECT_EQ(p.IdentificadorPlantilla, before.IdentificadorPlantilla);
    ASSERT_EQ(p.NumAnalogicosPlantilla, 3);
    for (std::int32_t i = 1; i <= 3; ++i)
        EXPECT_EQ(Row(p.AnalogicosPlantilla, i), Row(before.AnalogicosPlantilla, i) << "");
    ASSERT_EQ(p.NumTrifasicosPlantilla, 1);
    EXPECT_EQ(Row(p.TrifasicosPlantilla, 1), Row(before.TrifasicosPlantilla, 1) << "");
    EXPECT_EQ(p.NumMiembrosPlantilla, 3);
    ASSERT_EQ(p.NumGruposPlantilla, 2);
    EXPECT_EQ(Row(p.GruposPlantilla, 1), QStringList({"DISPAROS", " 2 "}));
    EXPECT_EQ(Row(p.GruposPlantilla, 2), QStringList({"ALARMAS", " 1 "}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 1), QStringList({"5", "Disparo A"}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 2), QStringList({"12", "Disparo B"}));
    EXPECT_EQ(Row(p.MiembrosPlantilla, 3), QStringList({"16", "Fallo"}));
}

TEST_F(Writer, NoDigitalSectionWithoutMembersEvenWithGroupsNamed)
{
    TemplateState& p = Plantillas();
    p.NumAnalogicosPlantilla = 0;
    p.NumTrifasicosPlantilla = 0;
    p.NumMiembrosPlantilla = 0;
    ASSERT_EQ(EscribirPlantilla(Path("vacia.cnf")).Estado, EscrituraPlantilla::Escrita);
    EXPECT_EQ(ReadBytes(Path("vacia.cnf")),
              ToCp1252(p.IdentificadorPlantilla).prepend("ver 1.1\r\n") + "\r\n-----\r\n");
}

// Fields are not escaped, so texts that would read back otherwise are
// refused before anything is written; an earlier file stays as it was.
TEST_F(Writer, MendedRefusesPercentDollarAndLineBreaksWritingNothing)
{
    struct Case {
        const char* what;
        std::function<void(TemplateState&)> spoil;
        int texto;
        bool lineBreak;
    };
    const Case cases[] = {
        {"percent in an analog name", [](TemplateState& p) { p.AnalogicosPlantilla(2, 2) = "V%B"; }, 176,
         false},
        {"percent in the identifier", [](TemplateState& p) { p.IdentificadorPlantilla = "50%"; }, 176, false},
        {"dollar in a member name", [](TemplateState& p) { p.GruposEdicion(2, 3) = "US$"; }, 177, false},
        {"dollar in a set factor", [](TemplateState& p) { p.TrifasicosPlantilla(1, 5) = "1$"; }, 177, false},
        {"line break in a group name", [](TemplateState& p) { p.GruposEdicion(1, 1) = "A\nB"; }, 0, true},
        {"carriage return in units", [](TemplateState& p) { p.AnalogicosPlantilla(1, 4) = "kV\r"; }, 0, true},
        {"a unit Windows-1252 cannot hold",
         [](TemplateState& p) { p.AnalogicosPlantilla(1, 4) = QString::fromUtf8("M\u03a9"); }, 200, false},
        {"a member name beyond the plane of basic characters",
         [](TemplateState& p) { p.GruposEdicion(1, 3) = QString::fromUtf8("Disparo \U0001F525"); }, 200,
         false},
    };
    ASSERT_TRUE(WriteBytes(Path("rele.cnf"), "earlier"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.spoil(Plantillas());
        const ResultadoEscritura r = EscribirPlantilla(Path("rele.cnf"));
        EXPECT_EQ(r.Estado, EscrituraPlantilla::Rechazada);
        EXPECT_EQ(r.Texto, c.texto);
        EXPECT_EQ(r.Error.has_value(), c.lineBreak);
        EXPECT_FALSE(r.TextoRechazado.isEmpty());
        EXPECT_EQ(ReadBytes(Path("rele.cnf")), "earlier");
    }
    EXPECT_EQ(Files(), QStringList({"rele.cnf"}));
}

// Which characters a template keeps: those of Windows-1252 (its five unused
// bytes included, which read back as themselves), and no other; the first
// one lost is named with its code.
TEST_F(Writer, MendedOnlyCharactersWindows1252HoldsAreStored)
{
    const struct {
        const char* texto;
        const char* nombrado;
    } cases[] = {
        {"Tensi\u00f3n \u00b0C \u20ac \u2013 \u0178 ?", ""},
        {"\u0081\u008d", ""},
        {"M\u03a9", "\u03a9 (U+03A9)"},
        {"a\u200bb", "\u200b (U+200B)"},
        {"x \U0001F525 \u03a9", "\U0001F525 (U+1F525)"},
    };
    for (const auto& c : cases) {
        const QString t = QString::fromUtf8(c.texto);
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(CaracterNoGuardable(t), QString::fromUtf8(c.nombrado));
        const std::vector<int> textos = TextosNoGuardables(t);
        EXPECT_EQ(textos, *c.nombrado ? std::vector<int>{200} : std::vector<int>{});
    }
    // A stored text reads back as written.
    Plantillas().AnalogicosPlantilla(1, 2) = QString::fromUtf8("Tensi\u00f3n \u20ac");
    Plantillas().AnalogicosPlantilla(1, 4) = QString::fromUtf8("\u00b5s");
    ASSERT_EQ(EscribirPlantilla(Path("rele.cnf")).Estado, EscrituraPlantilla::Escrita);
    Plantillas().RutaPlantilla = Path("rele.cnf");
    ASSERT_EQ(LeerPlantilla().Estado, LecturaPlantilla::Leida);
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 2), QString::fromUtf8("Tensi\u00f3n \u20ac"));
    EXPECT_EQ(Plantillas().AnalogicosPlantilla(1, 4), QString::fromUtf8("\u00b5s"));
}

TEST_F(Writer, MendedFailuresLeaveNoHalfWrittenFile)
{
    // A folder that does not exist.
    ResultadoEscritura r = EscribirPlantilla(Path("no/such/rele.cnf"));
    EXPECT_EQ(r.Estado, EscrituraPlantilla::Error);
    ASSERT_TRUE(r.Error.has_value());
    EXPECT_EQ(r.Error->Number, vberr::PathNotFound);

    // Tables short of what their counts say: nothing is written.
    ASSERT_TRUE(WriteBytes(Path("rele.cnf"), "earlier"));
    const struct {
        const char* what;
        std::function<void(TemplateState&)> spoil;
        int error;
    } cases[] = {
        {"analog count beyond its rows", [](TemplateState& p) { p.NumAnalogicosPlantilla = 4; },
         vberr::SubscriptOutOfRange},
        {"group count beyond its rows", [](TemplateState& p) { p.NumGruposPlantilla = 3; },
         vberr::SubscriptOutOfRange},
        {"member count beyond the slots", [](TemplateState& p) { p.GruposEdicion(1, 2) = "20"; },
         vberr::SubscriptOutOfRange},
        {"member count not a number", [](TemplateState& p) { p.GruposEdicion(1, 2) = "dos"; },
         vberr::TypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.spoil(Plantillas());
        r = EscribirPlantilla(Path("rele.cnf"));
        EXPECT_EQ(r.Estado, EscrituraPlantilla::Error);
        ASSERT_TRUE(r.Error.has_value());
        EXPECT_EQ(r.Error->Number, c.error);
        EXPECT_EQ(ReadBytes(Path("rele.cnf")), "earlier");
    }

    // Success replaces the earlier file whole.
    SetUp();
    ASSERT_EQ(EscribirPlantilla(Path("rele.cnf")).Estado, EscrituraPlantilla::Escrita);
    EXPECT_EQ(ReadBytes(Path("rele.cnf")), ReadBytes(DataPath("templates/escrita.cnf")));
    EXPECT_EQ(Files(), QStringList({"rele.cnf"}));
}

} // namespace
} // namespace vesdra::test
