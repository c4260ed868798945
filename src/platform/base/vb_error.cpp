#include "platform/base/vb_error.h"

#include <new>

#include <utility>

namespace vesdra {

namespace {

bool& Espanol()
{
    static bool espanol = false;
    return espanol;
}

struct Textos {
    int Numero;
    const char* Ingles;
    const char* Espanol;
};

// The runtime's descriptions of the errors the program raises or meets.
constexpr Textos kTextos[] = {
    {3, "Return without GoSub", "Return sin GoSub"},
    {5, "Invalid procedure call or argument", "Llamada a procedimiento o argumento no válidos"},
    {6, "Overflow", "Desbordamiento"},
    {7, "Out of memory", "Memoria insuficiente"},
    {9, "Subscript out of range", "Subíndice fuera del intervalo"},
    {11, "Division by zero", "División por cero"},
    {13, "Type mismatch", "No coinciden los tipos"},
    {51, "Internal error", "Error interno"},
    {52, "Bad file name or number", "Nombre o número de archivo incorrecto"},
    {53, "File not found", "No se encuentra el archivo"},
    {55, "File already open", "El archivo ya está abierto"},
    {57, "Device I/O error", "Error de entrada/salida en el dispositivo"},
    {58, "File already exists", "El archivo ya existe"},
    {61, "Disk full", "Disco lleno"},
    {62, "Input past end of file", "Lectura más allá del final del archivo"},
    {68, "Device unavailable", "Dispositivo no disponible"},
    {70, "Permission denied", "Permiso denegado"},
    {71, "Disk not ready", "El disco no está preparado"},
    {75, "Path/File access error", "Error de acceso a la ruta o al archivo"},
    {76, "Path not found", "No se encuentra la ruta de acceso"},
    {91, "Object variable or With block variable not set",
     "La variable de objeto o de bloque With no está establecida"},
    {93, "Invalid pattern string", "Cadena de patrón no válida"},
    {94, "Invalid use of Null", "Uso no válido de Null"},
    {380, "Invalid property value", "Valor de propiedad no válido"},
    {482, "Printer error", "Error de impresora"},
    {3021, "No current record.", "No hay ningún registro activo."},
    {3024, "Could not find file.", "No se encuentra el archivo."},
    {3044, "Not a valid path.", "La ruta de acceso no es válida."},
    {3049, "Cannot open database. It may be damaged.",
     "No se puede abrir la base de datos; puede estar dañada."},
    {3078, "The database engine cannot find the input table.",
     "El motor de base de datos no encuentra la tabla de entrada."},
    {3265, "Item not found in this collection.", "No se encuentra el elemento en esta colección."},
    {3343, "Unrecognized database format.", "Formato de base de datos no reconocido."},
    {32755, "Cancel was selected.", "Se ha elegido Cancelar."},
    {35752, "Unable to open AVI file", "No se puede abrir el archivo AVI"},
};

// "Error " & number & ": " & description, and the path on a second line.
QString Componer(int number, const QString& description, const QString& path)
{
    QString text = QStringLiteral("Error %1: %2").arg(number).arg(description);
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    return text;
}

const Textos* TextosDe(int number)
{
    for (const Textos& t : kTextos) {
        if (t.Numero == number)
            return &t;
    }
    return nullptr;
}

} // namespace

void SetRuntimeSpanish(bool spanish)
{
    Espanol() = spanish;
}

bool RuntimeSpanish()
{
    return Espanol();
}

QString VbErrorDescription(int number, bool spanish)
{
    if (const Textos* t = TextosDe(number))
        return QString::fromUtf8(spanish ? t->Espanol : t->Ingles);
    return spanish ? QStringLiteral("Error definido por la aplicación o por el objeto")
                   : QStringLiteral("Application-defined or object-defined error");
}

VbError::VbError(int number) : VbError(number, VbErrorDescription(number, false)) {}

VbError::VbError(int number, QString description) : VbError(number, std::move(description), QString()) {}

VbError::VbError(int number, QString description, QString path)
    : Number{number}, Description{std::move(description)}, Path{std::move(path)}
{
    if (Description == VbErrorDescription(number, false))
        SpanishDescription = VbErrorDescription(number, true);
    Recomponer();
}

void VbError::Recomponer()
{
    what_ = Componer(Number, Description, Path).toStdString();
}

VbError VbError::Bilingual(int number, QString english, QString spanish, QString path)
{
    VbError e(number, std::move(english), std::move(path));
    e.SpanishDescription = std::move(spanish);
    return e;
}

VbError VbError::WithPath(QString path) const
{
    VbError e = *this;
    e.Path = std::move(path);
    e.Recomponer();
    return e;
}

QString VbError::LocalDescription() const
{
    return RuntimeSpanish() && !SpanishDescription.isEmpty() ? SpanishDescription : Description;
}

VbError FileError(int number, const QString& path)
{
    return {number, VbErrorDescription(number, false), path};
}

QString ErrorBoxText(const VbError& error)
{
    return Componer(error.Number, error.LocalDescription(), error.Path);
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
        const QString que = QString::fromLocal8Bit(x.what());
        return VbError::Bilingual(vberr::InternalError, QStringLiteral("Internal error: ") + que,
                                  QStringLiteral("Error interno: ") + que);
    } catch (...) {
        return VbError(vberr::InternalError);
    }
}

} // namespace vesdra
