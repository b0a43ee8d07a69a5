#include "core/translations.h"

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

namespace Translations {

bool installEnglish() {
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return false;
    // The application owns the translator: it lives exactly as long as the object it is installed in.
    const QString name = QStringLiteral("tunelane_en");
    if (application->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return true;
    auto *translator = new QTranslator(application);
    translator->setObjectName(name);
    if (!translator->load(QStringLiteral(":/i18n/tunelane_en.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace Translations
