#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <vector>

#include "common/test_support.h"
#include "platform/base/cp1252.h"
#include "shell/language.h"
#include "shell/shell_state.h"

namespace vesdra {
namespace {

// Bytes of a language file whose line n reads "<prefix> n", lines 1..count.
QByteArray NumberedLines(const char* prefix, int count, const char* eol = "\r\n")
{
    QByteArray out;
    for (int n = 1; n <= count; ++n)
        out += QByteArray(prefix) + ' ' + QByteArray::number(n) + eol;
    return out;
}

QString Numbered(const char* prefix, int n)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(n);
}

// Every test starts from an empty table and leaves the process-wide shell
// state and the persistence hook as it found them.
class LanguageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Shell();
        spanish_ = RuntimeSpanish();
        // The error texts are compared in English; a load in Spanish switches them.
        SetRuntimeSpanish(false);
        Shell() = ShellState{};
        ASSERT_TRUE(dir_.isValid());
        Shell().CarpetaIni = dir_.path();
    }
    void TearDown() override
    {
        SetGuardarIdiomaEnFicheros({});
        Shell() = saved_;
        SetRuntimeSpanish(spanish_);
    }
    QString Path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    void Write(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(test::WriteBytes(Path(name), bytes));
    }

    QTemporaryDir dir_;
    ShellState saved_;
    bool spanish_{false};
};

// ---------------------------------------------------------------------------
// The shipped language files

struct ShippedFile {
    const char* name;
    char exitLetter; // the exit key's letter: no other access key may use it
};

void PrintTo(const ShippedFile& f, std::ostream* os)
{
    *os << f.name;
}

class ShippedLanguageFile : public ::testing::TestWithParam<ShippedFile>
{
};

TEST_P(ShippedLanguageFile, Has288CrLfLinesOfWindows1252TextNoneEmpty)
{
    const QByteArray bytes = test::ReadBytes(QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + GetParam().name);
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), NumTextosIdioma);
    for (int i = 0; i < lines.size(); ++i) {
        const int n = i + 1;
        QByteArray line = lines[i];
        ASSERT_TRUE(n == NumTextosIdioma || line.endsWith('\r')) << "text " << n << " lacks its CR";
        if (line.endsWith('\r'))
            line.chop(1);
        EXPECT_FALSE(line.trimmed().isEmpty()) << "text " << n;
        for (const char c : line) {
            const auto b = static_cast<unsigned char>(c);
            EXPECT_GE(b, 0x20) << "control byte in text " << n;
            // The five bytes Windows-1252 leaves undefined.
            EXPECT_TRUE(b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) << "text " << n;
        }
    }
}

// Access keys: Alt + the exit letter must reach the status bar's exit button
// (texts 11 and 63) from every form, so no other caption may claim it; and
// texts shown as window titles, printed headings or message bodies carry no
// access-key mark at all.
TEST_P(ShippedLanguageFile, AccessKeysLeaveTheExitKeyFreeAndStayOffTitles)
{
    Shell().FicheroIdioma = QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + GetParam().name;
    VbError error(0);
    ASSERT_TRUE(CargarIdioma(&error)) << ErrorBoxText(error).toStdString();
    const QChar exit = QChar::fromLatin1(GetParam().exitLetter);
    for (int n = 1; n <= NumTextosIdioma; ++n) {
        const QString& t = TextosIdioma(n);
        const qsizetype amp = t.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= t.size())
            continue;
        const bool isExit = n == 11 || n == 63;
        EXPECT_EQ(t.at(amp + 1).toUpper() == exit, isExit) << "text " << n << ": " << t.toStdString();
    }
    for (const int n : {14, 15, 16, 17, 31, 47, 60, 64, 65, 69, 70, 151, 152, 153, 192, 285, 286})
        EXPECT_FALSE(TextosIdioma(n).contains(QLatin1Char('&'))) << "text " << n;
    Shell() = ShellState{};
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ShippedLanguageFile,
                         ::testing::Values(ShippedFile{"vsotro.ini", 'S'}, ShippedFile{"vsingles.ini", 'X'}),
                         [](const auto& info) {
                             return std::string(info.param.exitLetter == 'S' ? "Spanish" : "English");
                         });

TEST(ShippedLanguageFiles, TheBuildLaysThemBesideTheProgram)
{
    for (const char* name : {"vsotro.ini", "vsingles.ini"}) {
        const QByteArray source = test::ReadBytes(QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + name);
        EXPECT_EQ(test::ReadBytes(QStringLiteral(VESDRA_RUNTIME_ROOT "/ini/") + name), source) << name;
    }
}

// ---------------------------------------------------------------------------
// Loading

struct LoadCase {
    const char* what;
    QByteArray bytes;
    int errorNumber; // 0: loads cleanly
    int textsFromFile;
};

TEST_F(LanguageTest, LoadsExactlyTheFirst288LinesAndReportsShortFiles)
{
    const std::vector<LoadCase> cases = {
        {"288 CR LF lines", NumberedLines("t", 288), 0, 288},
        {"289 lines: the last is never read", NumberedLines("t", 289), 0, 288},
        {"288 lines, no end after the last", NumberedLines("t", 288).chopped(2), 0, 288},
        {"288 lone-LF lines", NumberedLines("t", 288, "\n"), 0, 288},
        {"200 lines", NumberedLines("t", 200), 62, 200},
        {"empty file", QByteArray(), 62, 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Shell().TextosIdioma = {};
        Write(QStringLiteral("lang.ini"), c.bytes);
        Shell().FicheroIdioma = Path(QStringLiteral("lang.ini"));
        VbError error(0);
        EXPECT_EQ(CargarIdioma(&error), c.errorNumber == 0);
        if (c.errorNumber != 0) {
            EXPECT_EQ(error.Number, c.errorNumber);
        }
        for (int n = 1; n <= NumTextosIdioma; ++n) {
            if (n <= c.textsFromFile)
                ASSERT_EQ(TextosIdioma(n), Numbered("t", n)) << n;
            else // never a blank caption: a neutral text stands in
                ASSERT_EQ(TextosIdioma(n), Numbered("Texto", n)) << n;
        }
    }
}

TEST_F(LanguageTest, ShortFileKeepsEarlierTextsInsteadOfBlankingCaptions)
{
    Write(QStringLiteral("full.ini"), NumberedLines("old", 288));
    Write(QStringLiteral("short.ini"), NumberedLines("new", 200));
    Shell().FicheroIdioma = Path(QStringLiteral("full.ini"));
    ASSERT_TRUE(CargarIdioma());

    Shell().FicheroIdioma = Path(QStringLiteral("short.ini"));
    VbError error(0);
    EXPECT_FALSE(CargarIdioma(&error));
    EXPECT_EQ(ErrorBoxText(error), "Error 62: Input past end of file\n" + Path(QStringLiteral("short.ini")));
    EXPECT_EQ(TextosIdioma(200), Numbered("new", 200));
    EXPECT_EQ(TextosIdioma(201), Numbered("old", 201));
    EXPECT_EQ(TextosIdioma(288), Numbered("old", 288));
}

TEST_F(LanguageTest, MissingFileIsError53AndLeavesTheTableAsItWas)
{
    Write(QStringLiteral("full.ini"), NumberedLines("old", 288));
    Shell().FicheroIdioma = Path(QStringLiteral("full.ini"));
    ASSERT_TRUE(CargarIdioma());

    Shell().FicheroIdioma = Path(QStringLiteral("absent.ini"));
    VbError error(0);
    EXPECT_FALSE(CargarIdioma(&error));
    EXPECT_EQ(ErrorBoxText(error), "Error 53: File not found\n" + Path(QStringLiteral("absent.ini")));
    for (int n = 1; n <= NumTextosIdioma; ++n)
        ASSERT_EQ(TextosIdioma(n), Numbered("old", n));
}

TEST_F(LanguageTest, TextsAreDecodedFromWindows1252AndKeepTheirBlanks)
{
    QByteArray bytes = NumberedLines("t", 288);
    // Text 1: "Tensión (€) " with its trailing blank; text 2: empty.
    bytes.replace(QByteArray("t 1\r\nt 2\r\n"), QByteArray("Tensi\xF3n (\x80) \r\n\r\n"));
    Write(QStringLiteral("lang.ini"), bytes);
    Shell().FicheroIdioma = Path(QStringLiteral("lang.ini"));
    ASSERT_TRUE(CargarIdioma());
    EXPECT_EQ(TextosIdioma(1), QString::fromUtf8("Tensión (€) "));
    EXPECT_EQ(TextosIdioma(2), QString());
    EXPECT_EQ(TextosIdioma(3), Numbered("t", 3));
}

// A language file saved as UTF-8 by a modern editor reads as UTF-8, as the
// other text files do; the same text in Windows-1252 reads the same.
TEST_F(LanguageTest, AUtf8FileReadsAsUtf8AndItsWindows1252TwinTheSame)
{
    const QString texto = QString::fromUtf8("Otra extensión (€)");
    for (const bool utf8 : {true, false}) {
        QByteArray bytes = NumberedLines("t", 288);
        bytes.replace(QByteArray("t 1\r\n"), (utf8 ? texto.toUtf8() : ToCp1252(texto)) + "\r\n");
        Write(QStringLiteral("lang.ini"), bytes);
        Shell().FicheroIdioma = Path(QStringLiteral("lang.ini"));
        ASSERT_TRUE(CargarIdioma()) << utf8;
        EXPECT_EQ(TextosIdioma(1), texto) << utf8;
        EXPECT_EQ(TextosIdioma(2), Numbered("t", 2)) << utf8;
    }
}

TEST_F(LanguageTest, TextOutsideTheTableIsEmptyNeverACrash)
{
    Write(QStringLiteral("lang.ini"), NumberedLines("t", 288));
    Shell().FicheroIdioma = Path(QStringLiteral("lang.ini"));
    ASSERT_TRUE(CargarIdioma());
    for (const int n : {INT_MIN, -1, 0, 289, 1000, INT_MAX})
        EXPECT_TRUE(TextosIdioma(n).isEmpty()) << n;
    EXPECT_EQ(TextosIdioma(1), Numbered("t", 1));
    EXPECT_EQ(TextosIdioma(288), Numbered("t", 288));
}

// ---------------------------------------------------------------------------
// Choosing the file and switching the language

TEST_F(LanguageTest, StartLoadsSpanishForOneAndEnglishForAnyOtherNumber)
{
    Write(QStringLiteral("vsotro.ini"), NumberedLines("es", 288));
    Write(QStringLiteral("vsingles.ini"), NumberedLines("en", 288));
    const struct {
        std::int32_t idioma;
        const char* prefix;
    } cases[] = {{1, "es"}, {0, "en"}, {2, "en"}, {-1, "en"}};
    for (const auto& c : cases) {
        Shell().Idioma = c.idioma;
        ASSERT_TRUE(IniciarIdioma()) << c.idioma;
        EXPECT_EQ(TextosIdioma(7), Numbered(c.prefix, 7)) << c.idioma;
    }
}

TEST_F(LanguageTest, LanguageFileIsFoundWhateverTheCaseOfItsName)
{
    Write(QStringLiteral("VSOTRO.INI"), NumberedLines("es", 288));
    Shell().Idioma = IdiomaEspanol;
    ASSERT_TRUE(IniciarIdioma());
    EXPECT_EQ(TextosIdioma(1), Numbered("es", 1));
}

TEST_F(LanguageTest, SwitchSavesTheNumberAndReloadsFromTheOtherFile)
{
    Write(QStringLiteral("vsotro.ini"), NumberedLines("es", 288));
    Write(QStringLiteral("vsingles.ini"), NumberedLines("en", 288));
    std::vector<std::int32_t> saved;
    SetGuardarIdiomaEnFicheros([&](std::int32_t lang) { saved.push_back(lang); });
    Shell().Idioma = IdiomaEspanol;
    ASSERT_TRUE(IniciarIdioma());

    LanguageSwitchResult r = ElegirIdioma(IdiomaIngles);
    EXPECT_TRUE(r.Cambiado);
    EXPECT_FALSE(r.ErrorGuardar || r.ErrorCargar);
    EXPECT_EQ(Shell().Idioma, IdiomaIngles);
    EXPECT_TRUE(Shell().FicheroIdioma.endsWith(QStringLiteral("/vsingles.ini")));
    EXPECT_EQ(TextosIdioma(11), Numbered("en", 11));
    EXPECT_EQ(saved, (std::vector<std::int32_t>{IdiomaIngles}));

    // The language already in force: nothing is saved or reloaded.
    Shell().TextosIdioma[11] = QStringLiteral("untouched");
    r = ElegirIdioma(IdiomaIngles);
    EXPECT_FALSE(r.Cambiado);
    EXPECT_EQ(TextosIdioma(11), QStringLiteral("untouched"));
    EXPECT_EQ(saved.size(), 1u);

    // The toolkit's box buttons switch with the language.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    r = ElegirIdioma(IdiomaEspanol);
    EXPECT_TRUE(r.Cambiado);
    EXPECT_EQ(TextosIdioma(11), Numbered("es", 11));
    EXPECT_EQ(saved, (std::vector<std::int32_t>{IdiomaIngles, IdiomaEspanol}));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    // So do the error box's descriptions, an error raised before the switch
    // included.
    const VbError antes(vberr::PathFileAccessError);
    EXPECT_EQ(ErrorBoxText(antes), QStringLiteral("Error 75: Error de acceso a la ruta o al archivo"));
    (void)ElegirIdioma(IdiomaIngles);
    EXPECT_EQ(ErrorBoxText(antes), QStringLiteral("Error 75: Path/File access error"));
}

TEST_F(LanguageTest, SwitchStillChangesTheTextsWhenTheSettingsCannotBeSaved)
{
    Write(QStringLiteral("vsotro.ini"), NumberedLines("es", 288));
    Write(QStringLiteral("vsingles.ini"), NumberedLines("en", 288));
    SetGuardarIdiomaEnFicheros([](std::int32_t) { throw VbError(vberr::FileNotFound); });
    Shell().Idioma = IdiomaEspanol;
    ASSERT_TRUE(IniciarIdioma());

    const LanguageSwitchResult r = ElegirIdioma(IdiomaIngles);
    EXPECT_TRUE(r.Cambiado);
    ASSERT_TRUE(r.ErrorGuardar.has_value());
    EXPECT_EQ(r.ErrorGuardar->Number, vberr::FileNotFound);
    EXPECT_FALSE(r.ErrorCargar);
    // Idioma and the captions agree, so the Spanish item can switch back.
    EXPECT_EQ(Shell().Idioma, IdiomaIngles);
    EXPECT_EQ(TextosIdioma(1), Numbered("en", 1));
}

TEST_F(LanguageTest, AMissingFileAtStartIsReportedAndTheOtherLanguageLoaded)
{
    // Placeholders in the table as a first start leaves them.
    for (int n = 1; n <= NumTextosIdioma; ++n)
        Shell().TextosIdioma[static_cast<size_t>(n)].clear();
    Write(QStringLiteral("vsingles.ini"), NumberedLines("en", 288));
    Shell().Idioma = IdiomaEspanol;
    VbError error(0);
    EXPECT_FALSE(IniciarIdioma(&error));
    EXPECT_EQ(error.Number, vberr::FileNotFound);
    EXPECT_EQ(error.Path, Path(QStringLiteral("vsotro.ini")));
    // Readable captions all the same: the user finds the language switch.
    EXPECT_EQ(TextosIdioma(10), Numbered("en", 10));
    EXPECT_EQ(TextosIdioma(288), Numbered("en", 288));
}

TEST_F(LanguageTest, SwitchToAMissingFileReportsItAndKeepsTheOldTexts)
{
    Write(QStringLiteral("vsotro.ini"), NumberedLines("es", 288));
    Shell().Idioma = IdiomaEspanol;
    ASSERT_TRUE(IniciarIdioma());

    const LanguageSwitchResult r = ElegirIdioma(IdiomaIngles);
    EXPECT_TRUE(r.Cambiado);
    ASSERT_TRUE(r.ErrorCargar.has_value());
    EXPECT_EQ(r.ErrorCargar->Number, vberr::FileNotFound);
    EXPECT_EQ(TextosIdioma(1), Numbered("es", 1));
    EXPECT_EQ(TextosIdioma(288), Numbered("es", 288));
}

} // namespace
} // namespace vesdra
