#include <gtest/gtest.h>
#include <stdexcept>

#include <limits>
#include <string_view>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "vb_error_of.h"

namespace vesdra {
namespace {

using test::ErrorOf;

TEST(Numeric, CIntRoundsHalvesToTheEvenNeighbour)
{
    const struct {
        double in;
        std::int32_t out;
    } cases[] = {{0.5, 0},
                 {1.5, 2},
                 {2.5, 2},
                 {3.5, 4},
                 {-0.5, 0},
                 {-1.5, -2},
                 {-2.5, -2},
                 {2.4999, 2},
                 {2.5001, 3},
                 {-2.6, -3},
                 {7.0, 7},
                 {32767.5, 32768},
                 {2147483647.4, 2147483647},
                 {-2147483648.5, -2147483648}};
    for (const auto& c : cases) {
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
        EXPECT_EQ(CLng(c.in), c.out) << c.in;
    }
}

TEST(Numeric, CIntOutsideThirtyTwoBitsIsOverflow)
{
    for (double v : {2147483647.5, -2147483649.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()})
        EXPECT_EQ(ErrorOf([&] { (void)CInt(v); }), vberr::Overflow) << v;
}

TEST(Numeric, StrPutsABlankInTheSignPlaceAndDropsZeros)
{
    const struct {
        double in;
        const char* out;
    } cases[] = {{0, " 0"},
                 {4, " 4"},
                 {-1, "-1"},
                 {12.5, " 12.5"},
                 {0.25, " .25"},
                 {-0.5, "-.5"},
                 {1.0 / 3, " .333333333333333"},
                 {0.1 + 0.2, " .3"},
                 {123456789012345.0, " 123456789012345"},
                 {1e16, " 1E+16"},
                 {0.0001, " .0001"},
                 {1.5e-7, " 1.5E-07"},
                 {100, " 100"}};
    for (const auto& c : cases)
        EXPECT_EQ(Str(c.in), QString::fromLatin1(c.out)) << c.in;
}

TEST(Numeric, ValReadsTheLeadingNumberSkippingBlanks)
{
    const struct {
        const char* in;
        double out;
    } cases[] = {{" 12 ", 12}, {"1 2 3", 123}, {"-3.5abc", -3.5}, {"abc", 0},
                 {"", 0},      {"1e3", 1000},  {"&H1F", 31},      {"&o17", 15},
                 {"2,5", 2},   {"  .5", 0.5},  {"1.2.3", 1.2},    {"7e", 7}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.in)), c.out) << c.in;
}

TEST(Numeric, CDblUsesTheUsersSeparatorAndRefusesNonNumbers)
{
    SetDecimalSeparatorForTests(QLatin1Char('.'));
    EXPECT_DOUBLE_EQ(CDbl(u" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(CDbl(u"-1e2"), -100);
    EXPECT_DOUBLE_EQ(CDbl(u"1,000"), 1000);
    EXPECT_EQ(CIntText(u" 4 "), 4);
    SetDecimalSeparatorForTests(QLatin1Char(','));
    EXPECT_DOUBLE_EQ(CDbl(u"2,5"), 2.5);
    EXPECT_DOUBLE_EQ(CDbl(u"1.000"), 1000); // "." groups digits where "," is the separator
    SetDecimalSeparatorForTests({});

    for (const char16_t* bad : {u"", u"  ", u"abc", u"1x", u"--1", u"1e", u"1 2"})
        EXPECT_EQ(ErrorOf([&] { (void)CDbl(bad); }), vberr::TypeMismatch)
            << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(ErrorOf([] { (void)CDbl(u"1e999"); }), vberr::Overflow);
    EXPECT_EQ(ErrorOf([] { (void)CIntText(u"3000000000"); }), vberr::Overflow);
}

// The program runs under the user's locale, the C library's too: Val still
// reads "." as the point, and CDbl the locale's own separator, never
// stopping at a point the C library would not take.
TEST(Numeric, MendedValAndCDblReadAlikeUnderEveryUsersLocale)
{
    for (const char* locale : test::kUserLocales) {
        SCOPED_TRACE(locale);
        const test::ScopedLocale enUso(locale);
        ASSERT_TRUE(enUso.Available());
        const QChar punto = DecimalSeparator();
        EXPECT_EQ(punto, QLatin1Char(std::string_view(locale) == "C" ? '.' : ','));
        EXPECT_DOUBLE_EQ(Val(u"-3.5abc"), -3.5);
        EXPECT_DOUBLE_EQ(Val(u"  .25e1"), 2.5);
        EXPECT_DOUBLE_EQ(CDbl(QStringLiteral(" 2") + punto + QStringLiteral("375 ")), 2.375);
        EXPECT_DOUBLE_EQ(CDbl(QStringLiteral("-1") + punto + QStringLiteral("5e2")), -150);
        EXPECT_EQ(CIntText(QStringLiteral("2") + punto + QStringLiteral("7")), 3);
        EXPECT_EQ(ErrorOf([] { (void)CDbl(u"1e999"); }), vberr::Overflow);
    }
}

TEST(VbErrors, CarryTheRuntimeNumbersAndEnglishDescriptions)
{
    const struct {
        int number;
        const char* box;
    } cases[] = {{6, "Error 6: Overflow"},
                 {7, "Error 7: Out of memory"},
                 {9, "Error 9: Subscript out of range"},
                 {11, "Error 11: Division by zero"},
                 {13, "Error 13: Type mismatch"},
                 {53, "Error 53: File not found"},
                 {62, "Error 62: Input past end of file"},
                 {68, "Error 68: Device unavailable"},
                 {76, "Error 76: Path not found"},
                 {32755, "Error 32755: Cancel was selected."}};
    for (const auto& c : cases) {
        const VbError e(c.number);
        EXPECT_EQ(ErrorBoxText(e), QString::fromLatin1(c.box));
        EXPECT_STREQ(e.what(), c.box);
    }
    EXPECT_EQ(ErrorBoxText(VbError(3044, QStringLiteral("'x:\\m' isn't a valid path."))),
              QStringLiteral("Error 3044: 'x:\\m' isn't a valid path."));
}

// The error box follows the language of the runtime's texts when it is
// shown: the runtime's own descriptions (however the error was made), and
// those given in both languages; a description of its own in one language
// stays as it is.
TEST(VbErrors, MendedTheBoxSpeaksTheInterfacesLanguage)
{
    const VbError desdeNumero(vberr::PathFileAccessError);
    const VbError conTexto(482, QStringLiteral("Printer error"));
    const VbError fichero = FileError(vberr::FileNotFound, QStringLiteral("/x/a.cnf"));
    // An error about a file made while the runtime speaks Spanish is the same.
    SetRuntimeSpanish(true);
    const VbError ficheroEnEspanol = FileError(vberr::FileNotFound, QStringLiteral("/x/a.cnf"));
    SetRuntimeSpanish(false);
    const VbError ambos = VbError::Bilingual(53, QStringLiteral("a.dat cannot be read."),
                                             QStringLiteral("No se puede leer a.dat."));
    const VbError propio(5, QStringLiteral("Something of its own"));
    const VbError interno = ComoVbError(std::make_exception_ptr(std::runtime_error("boom")));
    const struct {
        const VbError& error;
        const char* ingles;
        const char* espanol;
    } cases[] = {
        {desdeNumero, "Error 75: Path/File access error", "Error 75: Error de acceso a la ruta o al archivo"},
        {conTexto, "Error 482: Printer error", "Error 482: Error de impresora"},
        {fichero, "Error 53: File not found\n/x/a.cnf", "Error 53: No se encuentra el archivo\n/x/a.cnf"},
        {ficheroEnEspanol, "Error 53: File not found\n/x/a.cnf",
         "Error 53: No se encuentra el archivo\n/x/a.cnf"},
        {ambos, "Error 53: a.dat cannot be read.", "Error 53: No se puede leer a.dat."},
        {propio, "Error 5: Something of its own", "Error 5: Something of its own"},
        {interno, "Error 51: Internal error: boom", "Error 51: Error interno: boom"},
    };
    for (const auto& c : cases) {
        SetRuntimeSpanish(true);
        EXPECT_EQ(ErrorBoxText(c.error), QString::fromUtf8(c.espanol));
        EXPECT_EQ(ErrorBoxText(c.error.WithPath(QStringLiteral("/p"))),
                  QString::fromUtf8(c.espanol).section(u'\n', 0, 0) + "\n/p");
        SetRuntimeSpanish(false);
        EXPECT_EQ(ErrorBoxText(c.error), QString::fromUtf8(c.ingles));
        // what() stays English.
        EXPECT_EQ(QString::fromUtf8(c.error.what()), QString::fromUtf8(c.ingles));
    }
    // Every number the runtime knows has both.
    for (const int n :
         {3,  5,  6,  7,  9,  11, 13,  51,  52,   53,   55,   57,   58,   61,   62,   68,    70,
          71, 75, 76, 91, 93, 94, 380, 482, 3021, 3024, 3044, 3049, 3078, 3265, 3343, 32755, 35752}) {
        EXPECT_NE(VbErrorDescription(n, true), VbErrorDescription(n, false)) << n;
        EXPECT_NE(VbErrorDescription(n, false), VbErrorDescription(99999, false)) << n;
    }
}

} // namespace
} // namespace vesdra
