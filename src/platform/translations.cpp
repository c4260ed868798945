#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace vesdra {

bool SetToolkitLanguage(const QString& code)
{
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
