#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <memory>

namespace vesdra {

// Line-by-line reading of a sequential text file (Line Input #). The whole
// file is read at once and decoded from Windows-1252, or from UTF-8 when it is
// valid UTF-8 with multi-byte sequences (IsMultiByteUtf8); lines end at CR LF or
// at a lone LF, and a last line without an end is still a line. A lone CR
// stays part of its line.
class TextFileReader
{
public:
    // Throws VbError 53 when the file does not exist (76 when its folder
    // does not), 75 when it cannot be read.
    explicit TextFileReader(const QString& path);

    // EOF(n): no line is left.
    [[nodiscard]] bool AtEnd() const { return next_ >= lines_.size(); }
    // The next line without its end; VbError 62 past the end of the file.
    [[nodiscard]] QString LineInput();
    // Lines read so far.
    [[nodiscard]] qsizetype LinesRead() const { return next_; }

private:
    QStringList lines_;
    qsizetype next_{0};
};

// Splits bytes of a text file into lines as TextFileReader does.
[[nodiscard]] QStringList SplitTextLines(const QByteArray& bytes);
// The same lines as the file's own bytes, not decoded (a line holding a path
// is decoded with PathFromBytes, the rest with FromCp1252).
[[nodiscard]] QByteArrayList SplitTextLineBytes(const QByteArray& bytes);

// All lines of a file at once; errors as TextFileReader.
[[nodiscard]] QStringList ReadTextLines(const QString& path);
[[nodiscard]] QByteArrayList ReadTextLineBytes(const QString& path);

// A number line of a settings file: blanks round the number are ignored, the
// rest must be a number (" 1 ", "1", "-3 "); anything else throws VbError 13,
// an empty line too. Returns the value rounded as CInt does.
[[nodiscard]] std::int32_t NumberLine(QStringView line);

// A string line in the write form cut by position: the characters from the
// second to the next-to-last (the quotes need not be quotes). A line shorter
// than two characters gives "".
[[nodiscard]] QString QuotedLine(QStringView line);

// The whole-file operations the writer goes through. Tests replace them to
// stand for a folder or a file that cannot be written (permissions do not
// stop a test run as root).
struct TextFileOps {
    // Writes `bytes` as the whole file at `path`, creating it (when
    // `create` is set the file must not exist yet) or emptying it first.
    // Returns 0, or the error number: 75 when the file cannot be made or
    // opened, 61 disk full and 57 any other failure once it was open.
    std::function<int(const QString& path, const QByteArray& bytes, bool create)> Write;
    // Renames `from` over `to`, replacing it; false when it cannot.
    std::function<bool(const QString& from, const QString& to)> Replace;
    std::function<void(const QString& path)> Remove;
};
// The file system's own operations.
[[nodiscard]] TextFileOps SystemTextFileOps();
// Replaces the operations of every writer; an empty set restores the system's.
void SetTextFileOps(TextFileOps ops);

// Sequential text output (Print # and Write #, one item per line) that never
// leaves a half-written file: the lines are gathered, and Commit() writes
// them to a temporary file in the target's folder and renames it over the
// target. When no temporary file can be made there (a folder that is not
// writable holding a file that is), the target is written in place instead.
// A writer destroyed or aborted before Commit() leaves any earlier file of
// that name as it was.
//
// Every line ends in CR LF and is encoded in Windows-1252; a path is written
// as the file system's own bytes (PrintPathLine).
//  Print form: a string unchanged; a number with a blank (sign place) before
//              it and one blank after it:  " 4 ", "-1 ".
//  Write form: a string in double quotes; a number as bare digits: "\"a\"", "4".
// Every VbError it throws names the file (VbError::Path).
class TextFileWriter
{
public:
    // Throws VbError 76 when the folder does not exist, 75 when the path is
    // a folder.
    explicit TextFileWriter(const QString& path);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void PrintLine(const QString& text);
    void PrintLine(double number);
    void WriteLine(const QString& text);
    void WriteLine(double number);
    // A path as the file system's own bytes, print form.
    void PrintPathLine(const QString& path);
    // Bytes already encoded, in print form (as they are) or write form (in
    // double quotes).
    void PrintRawLine(const QByteArray& bytes);
    void WriteRawLine(const QByteArray& bytes);
    // Bytes as they stand, no line end added (a file copied whole).
    void PutBytes(const QByteArray& bytes);

    // Writes the target; throws VbError 61/57/75 when it cannot be written
    // (through a temporary file the target is then left as it was).
    // Writing after Commit is an error (52).
    void Commit();
    // Drops what was written; the target is untouched.
    void Abort();

    [[nodiscard]] const QString& Path() const { return path_; }

private:
    void Put(const QByteArray& bytes);

    QString path_;
    QByteArray data_;
    bool open_{true};
};

// The bytes of one line in each form, as the writer produces them.
[[nodiscard]] QByteArray PrintForm(const QString& text);
[[nodiscard]] QByteArray PrintForm(double number);
[[nodiscard]] QByteArray WriteForm(const QString& text);
[[nodiscard]] QByteArray WriteForm(double number);

} // namespace vesdra
