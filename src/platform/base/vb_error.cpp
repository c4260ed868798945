#include "platform/base/vb_error.h"

#include <new>

#include <utility>

namespace vesdra {

QString VbErrorDescription(int number)
{
    switch (number) {
    case 3:
        return QStringLiteral("Return without GoSub");
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 11:
        return QStringLiteral("Division by zero");
    case 13:
        return QStringLiteral("Type mismatch");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 55:
        return QStringLiteral("File already open");
    case 57:
        return QStringLiteral("Device I/O error");
    case 58:
        return QStringLiteral("File already exists");
    case 61:
        return QStringLiteral("Disk full");
    case 62:
        return QStringLiteral("Input past end of file");
    case 68:
        return QStringLiteral("Device unavailable");
    case 70:
        return QStringLiteral("Permission denied");
    case 71:
        return QStringLiteral("Disk not ready");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 91:
        return QStringLiteral("Object variable or With block variable not set");
    case 93:
        return QStringLiteral("Invalid pattern string");
    case 380:
        return QStringLiteral("Invalid property value");
    case 482:
        return QStringLiteral("Printer error");
    case 3044:
        return QStringLiteral("Not a valid path.");
    case 32755:
        return QStringLiteral("Cancel was selected.");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

VbError::VbError(int number) : VbError(number, VbErrorDescription(number)) {}

VbError::VbError(int number, QString description) : VbError(number, std::move(description), QString()) {}

VbError::VbError(int number, QString description, QString path)
    : Number{number},
      Description{std::move(description)}, Path{std::move(path)}, what_{ErrorBoxText(*this).toStdString()}
{
}

VbError FileError(int number, const QString& path)
{
    return {number, VbErrorDescription(number), path};
}

QString ErrorBoxText(const VbError& error)
{
    QString text = QStringLiteral("Error %1: %2").arg(error.Number).arg(error.Description);
    if (!error.Path.isEmpty())
        text += QLatin1Char('\n') + error.Path;
    return text;
}

VbError ComoVbError(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const VbError& v) {
        return v;
    } catch (const std::bad_alloc&) {
        return VbError(vberr::OutOfMemory);
    } catch (const std::exception& x) {
        return VbError(vberr::InternalError,
                       QStringLiteral("Internal error: ") + QString::fromLocal8Bit(x.what()));
    } catch (...) {
        return VbError(vberr::InternalError, QStringLiteral("Internal error"));
    }
}

} // namespace vesdra
