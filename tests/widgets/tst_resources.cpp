// Every picture the chrome's style sheets name must exist: a missing one is not reported by Qt, the widget is
// just drawn without it.
#include "widgets/customdialog.h"
#include "widgets/custommainwindow.h"
#include "widgets/customtitlebar.h"
#include "widgets/dialogtitlebar.h"
#include "widgets/styledspinbox.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT

    static QStringList urls(const QString &sheet) {
        QStringList found;
        static const QRegularExpression url(QStringLiteral("url\\((:/[^)]+)\\)"));
        for (auto it = url.globalMatch(sheet); it.hasNext();)
            found << it.next().captured(1);
        return found;
    }

    static QString applicationSheet() {
        QFile file(QStringLiteral(":/styles/styles"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // The style of a desktop whose dialog buttons carry icons (an X11 session), which offscreen runs lack.
    class ButtonIconsStyle : public QProxyStyle {
    public:
        using QProxyStyle::QProxyStyle;
        int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                      QStyleHintReturn *returnData) const override {
            if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
                return 1;
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    };

    static void verifyImages(const QStringList &paths) {
        for (const QString &path : paths)
            QVERIFY2(!QImage(path).isNull(), qPrintable(path));
    }

private slots:
    void sheetsNameExistingImages() {
        CustomDialog dialog(nullptr, QStringLiteral("t"), QDialogButtonBox::Ok);
        CustomMainWindow window;
        QStringList all = urls(dialog.styleSheet()) + urls(dialog.titleBar()->styleSheet()) +
                          urls(window.titleBar()->styleSheet()) + urls(StyledSpinBox::normalStyleSheet()) +
                          urls(StyledSpinBox::focusedStyleSheet());
        window.showMaximized();
        all += urls(window.titleBar()->maxButton()->styleSheet());
        QVERIFY(all.size() > 20);
        verifyImages(all);
    }

    void chromeSectionOfApplicationSheet() {
        QFile file(QStringLiteral(":/styles/styles"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString sheet = QString::fromUtf8(file.readAll());
        const int start = sheet.indexOf(QLatin1String("---- Window chrome"));
        QVERIFY(start >= 0);
        const int end = sheet.indexOf(QLatin1String("/* ----"), start + 10);
        verifyImages(urls(sheet.mid(start, end < 0 ? -1 : end - start)));
    }

    void picturesUsedByCallers() {
        verifyImages({QStringLiteral(":/img/dialogs/trashBin"), QStringLiteral(":/img/dialogs/critical"),
                      QStringLiteral(":/img/dialogs/information"),
                      QStringLiteral(":/img/dialogs/exclamation"), QStringLiteral(":/img/icons/icon-small"),
                      QStringLiteral(":/img/icons/icon-big"), QStringLiteral(":/img/welcomescreen/fileopen"),
                      QStringLiteral(":/img/editor/checkbox/selected"),
                      QStringLiteral(":/img/editor/checkbox/unselected"),
                      QStringLiteral(":/img/editor/checkbox/partiallySelected")});
        // The header's hot rectangle is a 13-pixel box.
        QCOMPARE(QImage(QStringLiteral(":/img/editor/checkbox/selected")).size(), QSize(13, 13));
    }

    void titleButtonsFitTheirButtons() {
        // Background images are not scaled: each must be exactly the size of its fixed-size button.
        const struct {
            const char *name;
            QSize size;
        } buttons[] = {{"closeSingle", {33, 18}},
                       {"close", {31, 18}},
                       {"minimize", {24, 18}},
                       {"maximize", {23, 18}},
                       {"unmaximize", {23, 18}}};
        for (const auto &b : buttons) {
            for (const char *state : {"default", "pressed"}) {
                const QString path =
                    QStringLiteral(":/img/TitleBar/%1/%2").arg(QLatin1String(state), QLatin1String(b.name));
                QCOMPARE(QImage(path).size(), b.size);
            }
        }
        QCOMPARE(QImage(QStringLiteral(":/img/TitleBar/default/background")).height(), 29);
    }

    void disabledWidgetsLookDisabled() {
        qApp->setStyleSheet(applicationSheet());
        CustomDialog dialog(nullptr, QStringLiteral("t"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QPushButton *ok = dialog.buttonBox()->button(QDialogButtonBox::Ok);
        QPushButton *cancel = dialog.buttonBox()->button(QDialogButtonBox::Cancel);
        ok->setEnabled(false);
        QListView enabledView, disabledView;
        disabledView.setEnabled(false);
        for (QWidget *w : {static_cast<QWidget *>(ok), static_cast<QWidget *>(cancel),
                           static_cast<QWidget *>(&enabledView), static_cast<QWidget *>(&disabledView)})
            w->ensurePolished();
        QVERIFY(ok->palette().color(QPalette::Disabled, QPalette::ButtonText) !=
                cancel->palette().color(QPalette::Active, QPalette::ButtonText));
        QVERIFY(disabledView.palette().color(QPalette::Disabled, QPalette::Text) !=
                enabledView.palette().color(QPalette::Active, QPalette::Text));
        qApp->setStyleSheet(QString());
    }

    void dialogButtonsCarryNoIcons() {
        const QString previousStyle = QApplication::style()->name();
        QApplication::setStyle(new ButtonIconsStyle(QStringLiteral("fusion")));
        qApp->setStyleSheet(applicationSheet());
        {
            CustomDialog dialog(nullptr, QStringLiteral("t"),
                                QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
            const QList<QAbstractButton *> buttons = dialog.buttonBox()->buttons();
            QCOMPARE(buttons.size(), 3);
            for (QAbstractButton *button : buttons)
                QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
        }
        qApp->setStyleSheet(QString());
        QApplication::setStyle(previousStyle);
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
