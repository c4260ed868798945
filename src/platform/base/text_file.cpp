#include "platform/base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

#include "platform/base/cp1252.h"
#include "platform/base/file_names.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

[[noreturn]] void ThrowOpenError(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw FileError(vberr::PathNotFound, info.absolutePath());
    if (!info.exists())
        throw FileError(vberr::FileNotFound, path);
    if (info.isDir())
        throw FileError(vberr::PathFileAccessError, path);
    throw FileError(vberr::PermissionDenied, path);
}

int SystemWrite(const QString& path, const QByteArray& bytes, bool create)
{
    QFile file(path);
    const QIODevice::OpenMode mode =
        create ? QIODevice::WriteOnly | QIODevice::NewOnly : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!file.open(mode))
        return vberr::PathFileAccessError;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const QFileDevice::FileError error = file.error();
    file.close();
    // A device that takes only part of the bytes (a full disk, a file-size
    // limit) may not report it: the file must hold every byte.
    if (written && file.error() == QFileDevice::NoError && QFileInfo(path).size() == bytes.size())
        return 0;
    return (error == QFileDevice::ResourceError || file.error() == QFileDevice::ResourceError)
               ? vberr::DiskFull
               : vberr::DeviceIoError;
}

bool SystemReplace(const QString& from, const QString& to)
{
    // rename() replaces the target in one step; QFile::rename would refuse
    // an existing one.
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

TextFileOps& Ops()
{
    static TextFileOps ops = SystemTextFileOps();
    return ops;
}

// A name beside the target that no other file has.
QString TemporaryName(const QString& target)
{
    return target +
           QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

bool CannotMake(int error)
{
    return error == vberr::PathFileAccessError || error == vberr::PermissionDenied;
}

QString NumberText(double number)
{
    QString s = Str(number);
    if (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    return s;
}

} // namespace

TextFileOps SystemTextFileOps()
{
    return {SystemWrite, SystemReplace, [](const QString& path) { QFile::remove(path); }};
}

void SetTextFileOps(TextFileOps ops)
{
    Ops() = ops.Write && ops.Replace && ops.Remove ? std::move(ops) : SystemTextFileOps();
}

QByteArrayList SplitTextLineBytes(const QByteArray& bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype lf = bytes.indexOf('\n', start);
        const bool last = lf < 0;
        qsizetype end = last ? n : lf;
        if (!last && end > start && bytes[end - 1] == '\r')
            --end;
        lines.append(bytes.mid(start, end - start));
        start = last ? n : lf + 1;
    }
    return lines;
}

QStringList SplitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    const bool utf8 = IsMultiByteUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    for (const QByteArray& line : SplitTextLineBytes(bytes))
        lines.append(DecodeText(line, utf8));
    return lines;
}

namespace {
QByteArray ReadWhole(const QString& path)
{
    QFile file(ExistingPathNoCase(path));
    if (!file.open(QIODevice::ReadOnly))
        ThrowOpenError(file.fileName());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(vberr::DeviceIoError, file.fileName());
    return bytes;
}
} // namespace

QByteArrayList ReadTextLineBytes(const QString& path)
{
    return SplitTextLineBytes(ReadWhole(path));
}

TextFileReader::TextFileReader(const QString& path) : lines_{SplitTextLines(ReadWhole(path))} {}

QString TextFileReader::LineInput()
{
    if (AtEnd())
        throw VbError(vberr::InputPastEndOfFile);
    return lines_.at(next_++);
}

QStringList ReadTextLines(const QString& path)
{
    TextFileReader reader(path);
    QStringList lines;
    while (!reader.AtEnd())
        lines.append(reader.LineInput());
    return lines;
}

std::int32_t NumberLine(QStringView line)
{
    QString compact;
    compact.reserve(line.size());
    for (QChar c : line)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            compact += c;
    return CIntText(compact);
}

QString QuotedLine(QStringView line)
{
    if (line.size() < 2)
        return {};
    return line.mid(1, line.size() - 2).toString();
}

QByteArray PrintForm(const QString& text)
{
    return ToCp1252(text) + kLineEnd;
}
QByteArray PrintForm(double number)
{
    return Str(number).toLatin1() + ' ' + kLineEnd;
}
QByteArray WriteForm(const QString& text)
{
    return '"' + ToCp1252(text) + '"' + kLineEnd;
}
QByteArray WriteForm(double number)
{
    return NumberText(number).toLatin1() + kLineEnd;
}

TextFileWriter::TextFileWriter(const QString& path) : path_{ExistingPathNoCase(path)}
{
    const QFileInfo info(path_);
    if (!info.absoluteDir().exists())
        throw FileError(vberr::PathNotFound, info.absolutePath());
    if (info.isDir())
        throw FileError(vberr::PathFileAccessError, path_);
    // A link is followed: the file it names is rewritten, the link stays.
    if (info.isSymLink())
        path_ = info.symLinkTarget();
}

TextFileWriter::~TextFileWriter() = default;

void TextFileWriter::PutBytes(const QByteArray& bytes)
{
    Put(bytes);
}

void TextFileWriter::Put(const QByteArray& bytes)
{
    if (!open_)
        throw FileError(vberr::BadFileNameOrNumber, path_);
    data_ += bytes;
}

void TextFileWriter::PrintLine(const QString& text)
{
    Put(PrintForm(text));
}
void TextFileWriter::PrintLine(double number)
{
    Put(PrintForm(number));
}
void TextFileWriter::WriteLine(const QString& text)
{
    Put(WriteForm(text));
}
void TextFileWriter::WriteLine(double number)
{
    Put(WriteForm(number));
}
void TextFileWriter::PrintPathLine(const QString& path)
{
    PrintRawLine(PathBytes(path));
}
void TextFileWriter::PrintRawLine(const QByteArray& bytes)
{
    Put(bytes + kLineEnd);
}
void TextFileWriter::WriteRawLine(const QByteArray& bytes)
{
    Put('"' + bytes + '"' + kLineEnd);
}

void TextFileWriter::Commit()
{
    if (!open_)
        throw FileError(vberr::BadFileNameOrNumber, path_);
    open_ = false;
    const TextFileOps ops = Ops();
    const QString temporary = TemporaryName(path_);
    const int error = ops.Write(temporary, data_, true);
    if (error == 0) {
        const QFileInfo target(path_);
        if (target.exists())
            QFile::setPermissions(temporary, target.permissions());
        if (ops.Replace(temporary, path_)) {
            data_.clear();
            return;
        }
    }
    ops.Remove(temporary);
    // A temporary file that was made but could not be filled (a full disk)
    // says the target would fail the same way, half-written: it is left.
    if (error != 0 && !CannotMake(error))
        throw FileError(error, path_);
    // No temporary file can be made beside the target: the target itself is
    // rewritten, which is all a folder that is not writable allows.
    if (const int direct = ops.Write(path_, data_, false); direct != 0)
        throw FileError(direct, path_);
    data_.clear();
}

void TextFileWriter::Abort()
{
    open_ = false;
    data_.clear();
}

} // namespace vesdra
