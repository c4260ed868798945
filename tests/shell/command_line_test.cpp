#include <gtest/gtest.h>

#include "common/test_support.h"
#include "shell/command_line.h"

namespace vesdra
{
namespace
{

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

TEST(CommandLineTest, ATemplateEndsInExactlyCnfOrCNF)
{
    struct Caso {
        const char* ruta;
        bool plantilla;
    };
    const Caso casos[] = {
        {"/p/rele.cnf", true}, {"/p/RELE.CNF", true}, {"/p/rele.Cnf", false},
        {"/p/rele.cNF", false}, {"/p/rele.txt", false}, {"", false},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(EsNombrePlantilla(QString::fromLatin1(c.ruta)), c.plantilla) << c.ruta;
}

} // namespace
} // namespace vesdra
