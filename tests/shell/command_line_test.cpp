#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/test_support.h"
#include "shell/command_line.h"

namespace vesdra {
namespace {

TEST(CommandLineTest, SplitsAtTheFirstBlankAndTrimsBothParts)
{
    struct Caso {
        const char* linea;
        const char* datos;
        const char* plantilla;
    };
    const Caso casos[] = {
        {"", "", ""},
        {"   ", "", ""},
        {"/r/rec.dat", "/r/rec.dat", ""},
        {"  /r/rec.dat  ", "/r/rec.dat", ""},
        {"/r/rec.dat /p/plan.cnf", "/r/rec.dat", "/p/plan.cnf"},
        {" /r/rec.dat    /p/plan.cnf  ", "/r/rec.dat", "/p/plan.cnf"},
        // Only the first blank splits: the rest belongs to the template.
        {"/r/rec.dat /p/mi plan.cnf", "/r/rec.dat", "/p/mi plan.cnf"},
        {"/r/rec.dat ", "/r/rec.dat", ""},
    };
    for (const Caso& c : casos) {
        const LineaComandos lc = PartirLineaComandos(QString::fromLatin1(c.linea));
        EXPECT_EQ(lc.Datos, QString::fromLatin1(c.datos)) << c.linea;
        EXPECT_EQ(lc.Plantilla, QString::fromLatin1(c.plantilla)) << c.linea;
    }
}

TEST(CommandLineTest, OneArgumentOrTwoMakeTheSameLine)
{
    EXPECT_EQ(UnirArgumentos({"/r/rec.dat /p/plan.cnf"}), "/r/rec.dat /p/plan.cnf");
    EXPECT_EQ(UnirArgumentos({"/r/rec.dat", "/p/plan.cnf"}), "/r/rec.dat /p/plan.cnf");
    EXPECT_EQ(UnirArgumentos({}), "");
}

TEST(CommandLineTest, PathsWithBlanksAsTwoArgumentsOrFoundOnTheDisk)
{
    QTemporaryDir dir;
    const QString dat = dir.filePath("mis registros/falta 1.dat");
    const QString cnf = dir.filePath("mis plantillas/rele 1.cnf");
    ASSERT_TRUE(test::WriteBytes(dat, "x"));
    ASSERT_TRUE(test::WriteBytes(cnf, "x"));
    // As the desktop hands them: taken as given.
    LineaComandos lc = LeerArgumentos({dat, cnf});
    EXPECT_EQ(lc.Datos, dat);
    EXPECT_EQ(lc.Plantilla, cnf);
    // One argument naming the record whole.
    lc = LeerArgumentos({dat});
    EXPECT_EQ(lc.Datos, dat);
    EXPECT_EQ(lc.Plantilla, "");
    // One string: split after the part that is a file.
    lc = LeerArgumentos({dat + " " + cnf});
    EXPECT_EQ(lc.Datos, dat);
    EXPECT_EQ(lc.Plantilla, cnf);
    lc = LeerArgumentos({});
    EXPECT_TRUE(lc.Datos.isEmpty() && lc.Plantilla.isEmpty());
}

TEST(CommandLineTest, ATemplateEndsInExactlyCnfOrCNF)
{
    struct Caso {
        const char* ruta;
        bool plantilla;
    };
    const Caso casos[] = {
        {"/p/rele.cnf", true},  {"/p/RELE.CNF", true},  {"/p/rele.Cnf", false},
        {"/p/rele.cNF", false}, {"/p/rele.txt", false}, {"", false},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(EsNombrePlantilla(QString::fromLatin1(c.ruta)), c.plantilla) << c.ruta;
}

} // namespace
} // namespace vesdra
