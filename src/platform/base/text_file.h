#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <memory>

namespace vesdra
{

// Line-by-line reading of a sequential text file (Line Input #). The whole
// file is read at once and decoded from Windows-1252; lines end at CR LF or
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

// All lines of a file at once; errors as TextFileReader.
[[nodiscard]] QStringList ReadTextLines(const QString& path);

// A number line of a settings file: blanks round the number are ignored, the
// rest must be a number (" 1 ", "1", "-3 "); anything else throws VbError 13,
// an empty line too. Returns the value rounded as CInt does.
[[nodiscard]] std::int32_t NumberLine(QStringView line);

// A string line in the write form cut by position: the characters from the
// second to the next-to-last (the quotes need not be quotes). A line shorter
// than two characters gives "".
[[nodiscard]] QString QuotedLine(QStringView line);

// Sequential text output (Print # and Write #, one item per line) that never
// leaves a half-written file: lines go to a temporary file in the target's
// folder, and Commit() renames it over the target. A writer destroyed or
// aborted before Commit() removes the temporary file and leaves any earlier
// file of that name as it was.
//
// Every line ends in CR LF and is encoded in Windows-1252.
//  Print form: a string unchanged; a number with a blank (sign place) before
//              it and one blank after it:  " 4 ", "-1 ".
//  Write form: a string in double quotes; a number as bare digits: "\"a\"", "4".
class TextFileWriter
{
public:
    // Throws VbError 76 when the folder does not exist, 75 when the
    // temporary file cannot be created.
    explicit TextFileWriter(const QString& path);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    void PrintLine(const QString& text);
    void PrintLine(double number);
    void WriteLine(const QString& text);
    void WriteLine(double number);

    // Flushes and replaces the target; throws VbError 61/57/75 when the data
    // cannot be written or the target cannot be replaced (the target is then
    // left as it was). Writing after Commit is an error (52).
    void Commit();
    // Drops what was written; the target is untouched.
    void Abort();

    [[nodiscard]] const QString& Path() const { return path_; }

private:
    void Put(const QByteArray& bytes);

    QString path_;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The bytes of one line in each form, as the writer produces them.
[[nodiscard]] QByteArray PrintForm(const QString& text);
[[nodiscard]] QByteArray PrintForm(double number);
[[nodiscard]] QByteArray WriteForm(const QString& text);
[[nodiscard]] QByteArray WriteForm(double number);

} // namespace vesdra
