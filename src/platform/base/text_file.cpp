#include "platform/base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/base/cp1252.h"
#include "platform/base/file_names.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra
{

namespace
{

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

[[noreturn]] void ThrowOpenError(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw VbError(vberr::PathNotFound);
    if (!info.exists())
        throw VbError(vberr::FileNotFound);
    if (info.isDir())
        throw VbError(vberr::PathFileAccessError);
    throw VbError(vberr::PermissionDenied);
}

QString NumberText(double number)
{
    QString s = Str(number);
    if (s.startsWith(QLatin1Char(' ')))
        s.remove(0, 1);
    return s;
}

} // namespace

QStringList SplitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype lf = bytes.indexOf('\n', start);
        const bool last = lf < 0;
        qsizetype end = last ? n : lf;
        if (!last && end > start && bytes[end - 1] == '\r')
            --end;
        lines.append(
            FromCp1252(std::string_view(bytes.constData() + start, static_cast<std::size_t>(end - start))));
        start = last ? n : lf + 1;
    }
    return lines;
}

TextFileReader::TextFileReader(const QString& path)
{
    QFile file(ExistingPathNoCase(path));
    if (!file.open(QIODevice::ReadOnly))
        ThrowOpenError(file.fileName());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw VbError(vberr::DeviceIoError);
    lines_ = SplitTextLines(bytes);
}

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

struct TextFileWriter::Impl {
    QSaveFile file;
    bool open{false};
    qint64 written{0}; // bytes handed to the file
};

TextFileWriter::TextFileWriter(const QString& path)
    : path_{ExistingPathNoCase(path)}, impl_{std::make_unique<Impl>()}
{
    impl_->file.setFileName(path_);
    impl_->file.setDirectWriteFallback(false);
    if (!QFileInfo(path_).absoluteDir().exists())
        throw VbError(vberr::PathNotFound);
    if (QFileInfo(path_).isDir() || !impl_->file.open(QIODevice::WriteOnly))
        throw VbError(vberr::PathFileAccessError);
    impl_->open = true;
}

TextFileWriter::~TextFileWriter()
{
    Abort();
}

void TextFileWriter::Put(const QByteArray& bytes)
{
    if (!impl_->open)
        throw VbError(vberr::BadFileNameOrNumber);
    if (impl_->file.write(bytes) != bytes.size())
        throw VbError(impl_->file.error() == QFileDevice::ResourceError ? vberr::DiskFull
                                                                        : vberr::DeviceIoError);
    impl_->written += bytes.size();
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

void TextFileWriter::Commit()
{
    if (!impl_->open)
        throw VbError(vberr::BadFileNameOrNumber);
    // A device that takes only part of the buffer (a full disk, a file-size
    // limit) may not report it as an error: the temporary file must hold
    // every byte before it replaces the target.
    if (!impl_->file.flush() || impl_->file.size() != impl_->written) {
        impl_->file.cancelWriting();
        impl_->file.commit(); // removes the temporary file, target untouched
        impl_->open = false;
        throw VbError(vberr::DiskFull);
    }
    impl_->open = false;
    if (!impl_->file.commit()) {
        const auto error = impl_->file.error();
        throw VbError(error == QFileDevice::ResourceError ? vberr::DiskFull
                      : error == QFileDevice::WriteError  ? vberr::DeviceIoError
                                                          : vberr::PathFileAccessError);
    }
}

void TextFileWriter::Abort()
{
    if (impl_ && impl_->open) {
        impl_->file.cancelWriting();
        impl_->file.commit(); // removes the temporary file, target untouched
        impl_->open = false;
    }
}

} // namespace vesdra
