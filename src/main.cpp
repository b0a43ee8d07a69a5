#include "core/translations.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Organisation and application scope the settings store; the version names the settings group.
    QApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
    QApplication::setApplicationName(QStringLiteral("Tunelane"));
    QApplication::setApplicationVersion(QStringLiteral("1.08"));
    Translations::installEnglish();

    MainWindow window;
    // Shows the window and, when the setting asks for it, runs the welcome screen before the event loop.
    window.show();
    return app.exec();
}
