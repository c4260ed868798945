#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "platform/base/vb_error.h"

namespace vesdra {

bool SetToolkitLanguage(const QString& code)
{
    // The runtime's own texts (the error box's descriptions) go along.
    SetRuntimeSpanish(code == QLatin1String("es"));
    static QPointer<QTranslator> instalado;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (instalado) {
        QCoreApplication::removeTranslator(instalado);
        delete instalado;
    }
    if (code == QLatin1String("en"))
        return true;
    auto* traductor = new QTranslator(app);
    if (!traductor->load(QStringLiteral("qtbase_") + code,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traductor;
        return false;
    }
    QCoreApplication::installTranslator(traductor);
    instalado = traductor;
    return true;
}

} // namespace vesdra
