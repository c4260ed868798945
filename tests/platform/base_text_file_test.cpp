#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/test_support.h"
#include "platform/base/file_names.h"
#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "vb_error_of.h"

namespace vesdra {
namespace {

using test::ErrorOf;

TEST(TextFile, ReaderAcceptsCrLfLoneLfAndAnUnendedLastLine)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"", {}},
        {"\r\n", {""}},
        {"x\ry\n", {"x\ry"}}, // a lone CR does not end a line
        {"Tensi\xf3n\r\n", {QString::fromUtf8("Tensión")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitTextLines(c.bytes), c.lines) << c.bytes.toStdString();
}

TEST(TextFile, ReaderReportsMissingFilesAndReadsPastTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    ASSERT_TRUE(test::WriteBytes(path, "1\r\n2"));
    TextFileReader r(path);
    EXPECT_EQ(r.LineInput(), QStringLiteral("1"));
    EXPECT_FALSE(r.AtEnd());
    EXPECT_EQ(r.LineInput(), QStringLiteral("2"));
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(ErrorOf([&] { (void)r.LineInput(); }), vberr::InputPastEndOfFile);

    EXPECT_EQ(ErrorOf([&] { TextFileReader x(dir.filePath("none.ini")); }), vberr::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { TextFileReader x(dir.filePath("no/none.ini")); }), vberr::PathNotFound);
}

TEST(TextFile, FilesBesideEachOtherAreFoundWhateverTheirCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Recs"));
    ASSERT_TRUE(test::WriteBytes(dir.filePath("Recs/REC.CFG"), "cfg\r\n"));
    EXPECT_EQ(ExistingPathNoCase(dir.filePath("recs/rec.cfg")), dir.filePath("Recs/REC.CFG"));
    EXPECT_TRUE(FileExistsNoCase(dir.filePath("RECS/Rec.Cfg")));
    EXPECT_FALSE(FileExistsNoCase(dir.filePath("recs/rec.hdr")));
    EXPECT_FALSE(FileExistsNoCase(dir.filePath("recs"))); // a folder is not a file
    EXPECT_EQ(ExistingPathNoCase(dir.filePath("recs/x/y")), dir.filePath("Recs/x/y"));
    EXPECT_EQ(ReadTextLines(dir.filePath("recs/rec.cfg")), QStringList{"cfg"});
}

TEST(TextFile, PrintAndWriteFormsGoldenBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tools.ini");
    {
        TextFileWriter w(path);
        w.WriteLine(1);                                // language number
        w.PrintLine(QStringLiteral("/datos/oscilos")); // directories
        w.PrintLine(QString());
        w.WriteLine(2);                                        // tool count
        w.WriteLine(QString::fromUtf8("Análisis=/opt/a.exe")); // tool line
        w.PrintLine(4);
        w.PrintLine(-1);
        w.WriteLine(-3);
        w.Commit();
    }
    EXPECT_EQ(test::ReadBytes(path), QByteArray("1\r\n"
                                                "/datos/oscilos\r\n"
                                                "\r\n"
                                                "2\r\n"
                                                "\"An\xe1lisis=/opt/a.exe\"\r\n"
                                                " 4 \r\n"
                                                "-1 \r\n"
                                                "-3\r\n"));
    // And the readers of those lines.
    const QStringList lines = ReadTextLines(path);
    EXPECT_EQ(NumberLine(lines[0]), 1);
    EXPECT_EQ(NumberLine(lines[5]), 4);
    EXPECT_EQ(NumberLine(lines[6]), -1);
    EXPECT_EQ(QuotedLine(lines[4]), QString::fromUtf8("Análisis=/opt/a.exe"));
}

TEST(TextFile, NumberAndQuotedLineReaders)
{
    const struct {
        const char16_t* line;
        int value;
        int error;
    } numbers[] = {{u" 1 ", 1, 0}, {u"0", 0, 0},  {u"-3 ", -3, 0}, {u"1 2", 12, 0},
                   {u"", 0, 13},   {u"x", 0, 13}, {u"1x", 0, 13}};
    for (const auto& c : numbers) {
        int got = 0;
        EXPECT_EQ(ErrorOf([&] { got = NumberLine(c.line); }), c.error);
        EXPECT_EQ(got, c.value);
    }
    EXPECT_EQ(QuotedLine(u"\"a=b\""), QStringLiteral("a=b"));
    EXPECT_EQ(QuotedLine(u"\"\""), QString());
    EXPECT_EQ(QuotedLine(u"x"), QString());
    EXPECT_EQ(QuotedLine(u""), QString());
}

TEST(TextFile, WriterLeavesTheOldFileUntilCommitAndNoTemporaryBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ficher.ini");
    ASSERT_TRUE(test::WriteBytes(path, "old\r\n"));
    {
        TextFileWriter w(path);
        w.PrintLine(QStringLiteral("new"));
        EXPECT_EQ(test::ReadBytes(path), QByteArray("old\r\n"));
        // destroyed without Commit: an error path
    }
    EXPECT_EQ(test::ReadBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ficher.ini"});

    TextFileWriter w(path);
    w.PrintLine(QStringLiteral("new"));
    w.Commit();
    EXPECT_EQ(test::ReadBytes(path), QByteArray("new\r\n"));
    EXPECT_EQ(ErrorOf([&] { w.PrintLine(QStringLiteral("late")); }), vberr::BadFileNameOrNumber);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ficher.ini"});
}

TEST(TextFile, WriterRewritesAFileOfOtherCaseAndReportsMissingFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::WriteBytes(dir.filePath("TOOLS.INI"), "old\r\n"));
    {
        TextFileWriter w(dir.filePath("tools.ini"));
        w.WriteLine(0);
        w.Commit();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"TOOLS.INI"});
    EXPECT_EQ(test::ReadBytes(dir.filePath("TOOLS.INI")), QByteArray("0\r\n"));
    EXPECT_EQ(ErrorOf([&] { TextFileWriter w(dir.filePath("none/x.ini")); }), vberr::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { TextFileWriter w(dir.path()); }), vberr::PathFileAccessError);
}

// The system's operations, except that some fail as the test says.
struct OperacionesQueFallan {
    int alCrear{0};      // error of making a new (temporary) file
    int alReescribir{0}; // error of rewriting the target itself
    TextFileOps Ops() const
    {
        TextFileOps ops = SystemTextFileOps();
        const TextFileOps sistema = SystemTextFileOps();
        ops.Write = [=, this](const QString& path, const QByteArray& bytes, bool create) {
            const int e = create ? alCrear : alReescribir;
            if (e != 0) {
                // A failure once the file was open leaves it half-written.
                if (e != vberr::PathFileAccessError)
                    (void)sistema.Write(path, bytes.left(2), create);
                return e;
            }
            return sistema.Write(path, bytes, create);
        };
        return ops;
    }
};

struct OperacionesDePrueba {
    explicit OperacionesDePrueba(const OperacionesQueFallan& f) { SetTextFileOps(f.Ops()); }
    ~OperacionesDePrueba() { SetTextFileOps({}); }
};

TEST(TextFile, WriterFallsBackToTheFileItselfOnlyWhenNoTemporaryCanBeMade)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ficher.ini");
    const struct {
        int alCrear;
        int alReescribir;
        int error;          // of Commit
        QByteArray despues; // the target afterwards
    } casos[] = {
        // A folder that is not writable holding a file that is: in place.
        {vberr::PathFileAccessError, 0, 0, "new\r\n"},
        // Neither the folder nor the file: the old file stays, the error names it.
        {vberr::PathFileAccessError, vberr::PathFileAccessError, vberr::PathFileAccessError, "old\r\n"},
        // A full disk: the target is never opened, so never half-written.
        {vberr::DiskFull, 0, vberr::DiskFull, "old\r\n"},
        {0, vberr::PathFileAccessError, 0, "new\r\n"},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(test::WriteBytes(path, "old\r\n"));
        OperacionesQueFallan f;
        f.alCrear = c.alCrear;
        f.alReescribir = c.alReescribir;
        OperacionesDePrueba ops(f);
        TextFileWriter w(path);
        w.PrintLine(QStringLiteral("new"));
        int error = 0;
        QString nombrado;
        try {
            w.Commit();
        } catch (const VbError& e) {
            error = e.Number;
            nombrado = e.Path;
        }
        EXPECT_EQ(error, c.error) << c.alCrear << " " << c.alReescribir;
        if (error != 0) {
            EXPECT_EQ(nombrado, path);
        }
        EXPECT_EQ(test::ReadBytes(path), c.despues) << c.alCrear << " " << c.alReescribir;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ficher.ini"});
    }
}

TEST(TextFile, PathLinesAreTheFileSystemsOwnBytesAndReadBack)
{
    const QString ruta = QString::fromUtf8("/datos/Año/café_Ωμέγα_電力.dat");
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    TextFileWriter w(path);
    w.PrintPathLine(ruta);
    w.PrintLine(QString::fromUtf8("Año"));
    w.Commit();
    const QByteArray bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes, ruta.toUtf8() + "\r\nA\xf1o\r\n");
    const QByteArrayList lineas = ReadTextLineBytes(path);
    ASSERT_EQ(lineas.size(), 2);
    EXPECT_EQ(PathFromBytes(lineas[0]), ruta);
    // A path written by a Windows-1252 program still reads.
    EXPECT_EQ(PathFromBytes(lineas[1]), QString::fromUtf8("Año"));
}

} // namespace
} // namespace vesdra
