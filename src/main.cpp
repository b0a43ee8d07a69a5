#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorlin Electronics Co. Ltd."));
    QApplication::setApplicationName(QStringLiteral("Tunelane"));
    QApplication::setApplicationVersion(QStringLiteral("1.08"));

    QLabel window(QObject::tr("Tunelane"));
    window.resize(640, 400);
    window.show();
    return app.exec();
}
