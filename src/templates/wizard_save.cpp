#include "templates/wizard_save.h"

#include <QFileInfo>

#include "platform/base/file_names.h"
#include "platform/base/vb_error.h"
#include "templates/template_file.h"
#include "templates/template_texts.h"

namespace vesdra {

QString RutaPlantillaNueva(const QString& carpeta, const QString& nombre)
{
    const QString fichero = nombre + QStringLiteral(".cnf");
    return carpeta.endsWith(QLatin1Char('/')) ? carpeta + fichero : carpeta + QLatin1Char('/') + fichero;
}

bool NombrePlantillaValido(const QString& nombre)
{
    if (nombre.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : nombre) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

QString NombreSinExtension(const QString& fichero)
{
    const qsizetype punto = fichero.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? fichero : fichero.left(punto);
}

SalidaPaso GuardarPlantillaNueva(const QString& carpeta, const QString& nombre,
                                 const std::function<bool()>& sustituir)
{
    if (nombre.isEmpty())
        return SalidaPaso::Quedando({243, vbOKOnly});
    // The name is a file's name in the folder shown, never a way elsewhere,
    // nor a pattern, nor a file the template dialog would not list.
    if (!NombrePlantillaValido(nombre))
        return SalidaPaso::Quedando({kTextoNombrePlantillaNoValido, vbCritical});
    QString ruta = RutaPlantillaNueva(carpeta, nombre);
    if (FileExistsNoCase(ruta)) {
        if (sustituir && !sustituir())
            return {};
        // The template there is replaced, whatever the case of its name.
        ruta = ExistingPathNoCase(ruta);
    }
    const ResultadoEscritura r = EscribirPlantilla(ruta);
    switch (r.Estado) {
    case EscrituraPlantilla::Escrita:
        return SalidaPaso::Saliendo();
    case EscrituraPlantilla::Rechazada: {
        // The refusal as the steps word it (200 names the character).
        const std::vector<AvisoPaso> a = AvisosTextoPlantilla(r.TextoRechazado);
        return SalidaPaso::Quedando(a.empty() ? AvisoPaso{r.Texto != 0 ? r.Texto : 124} : a.front());
    }
    case EscrituraPlantilla::Error:
        break;
    }
    return SalidaPaso::Fallando(r.Error.value_or(VbError(vberr::PathFileAccessError)));
}

} // namespace vesdra
