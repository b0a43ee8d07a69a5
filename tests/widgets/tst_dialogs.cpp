#include "widgets/customdialog.h"
#include "widgets/custommessagebox.h"
#include "widgets/dialogtitlebar.h"
#include "widgets/plaintextlabel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>

using SB = QDialogButtonBox::StandardButton;
Q_DECLARE_METATYPE(QDialogButtonBox::StandardButtons)

namespace {

// Runs `action` on the modal dialog once its event loop is running.
void whenModal(std::function<void(QWidget *)> action) {
    QTimer::singleShot(0, [action] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(modal);
    });
}

void clickStandard(QWidget *dialog, SB which) {
    auto *box = dialog->findChild<QDialogButtonBox *>();
    QVERIFY(box);
    QPushButton *button = box->button(which);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void dialogTree();
    void dialogWithoutButtonsIsRejectedByEscapeAndClose();
    void buttonBoxAcceptsAndRejects();
    void titleBarDragging();
    void messageBoxReturnsClickedButton_data();
    void messageBoxReturnsClickedButton();
    void messageBoxClosedWithoutClick_data();
    void messageBoxClosedWithoutClick();
    void messageBoxDefaultButton();
    void messageBoxIcons();
    void messageBoxTextIsPlain();
    void messageBoxListStaysOnTheScreen_data();
    void messageBoxListStaysOnTheScreen();
};

void TestDialogs::dialogTree() {
    CustomDialog dialog(nullptr, QStringLiteral("Title"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(dialog.size(), QSize(365, 180));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Title"));
    for (const char *name : {"backgroundFrame", "borderFrame", "contentsFrame"})
        QVERIFY2(dialog.findChild<QFrame *>(QLatin1String(name)), name);
    auto *title = dialog.findChild<QLabel *>(QStringLiteral("winTitle"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Title"));
    auto *close = dialog.findChild<QPushButton *>(QStringLiteral("closeButton"));
    QVERIFY(close);
    QCOMPARE(close->focusPolicy(), Qt::NoFocus);
    QCOMPARE(close->minimumSize(), QSize(33, 18));
    QVERIFY(dialog.buttonBox());
    QVERIFY(dialog.buttonBox()->centerButtons());
    // The contents frame holds whatever layout the subclass installs.
    auto *layout = new QHBoxLayout;
    dialog.setContentLayout(layout);
    QCOMPARE(dialog.findChild<QFrame *>(QStringLiteral("contentsFrame"))->layout(), layout);
}

void TestDialogs::dialogWithoutButtonsIsRejectedByEscapeAndClose() {
    {
        CustomDialog dialog(nullptr, QStringLiteral("No buttons"), QDialogButtonBox::NoButton);
        QVERIFY(!dialog.buttonBox());
        QVERIFY(!dialog.findChild<QDialogButtonBox *>());
        whenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
    {
        CustomDialog dialog(nullptr, QStringLiteral("No buttons"), QDialogButtonBox::NoButton);
        whenModal([](QWidget *w) {
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
}

void TestDialogs::buttonBoxAcceptsAndRejects() {
    {
        CustomDialog dialog(nullptr, QStringLiteral("t"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        whenModal([](QWidget *w) { clickStandard(w, QDialogButtonBox::Ok); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
    {
        CustomDialog dialog(nullptr, QStringLiteral("t"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        whenModal([](QWidget *w) { clickStandard(w, QDialogButtonBox::Cancel); });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }
}

void TestDialogs::titleBarDragging() {
    CustomDialog dialog(nullptr, QStringLiteral("Drag me"));
    dialog.move(100, 100);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    DialogTitleBar *bar = dialog.titleBar();
    QSignalSpy moved(bar, &DialogTitleBar::positionChanged);
    const QPoint start = dialog.pos();

    // A move without the left button emits nothing; a right press starts nothing.
    QMouseEvent hover(QEvent::MouseMove, QPointF(50, 10), bar->mapToGlobal(QPointF(50, 10)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &hover);
    QTest::mousePress(bar, Qt::RightButton, Qt::NoModifier, QPoint(50, 10));
    QVERIFY(!bar->isDragging());
    QMouseEvent rightDrag(QEvent::MouseMove, QPointF(70, 10), bar->mapToGlobal(QPointF(70, 10)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &rightDrag);
    QTest::mouseRelease(bar, Qt::RightButton, Qt::NoModifier, QPoint(70, 10));
    QCOMPARE(moved.count(), 0);

    // A left drag reports the movement since the press and moves the dialog by it.
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    QVERIFY(bar->isDragging());
    QMouseEvent drag(QEvent::MouseMove, QPointF(80, 25), bar->mapToGlobal(QPointF(80, 25)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &drag);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).toPoint(), QPoint(30, 15));
    QCOMPARE(dialog.pos(), start + QPoint(30, 15));
    // The dialog moved under the cursor, so the release is at the press point again: no further movement.
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    QVERIFY(!bar->isDragging());
    QCOMPARE(moved.count(), 2);
    QCOMPARE(dialog.pos(), start + QPoint(30, 15));
}

void TestDialogs::messageBoxReturnsClickedButton_data() {
    QTest::addColumn<QDialogButtonBox::StandardButtons>("buttons");
    QTest::addColumn<int>("click");
    QTest::newRow("ok") << QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok)
                        << int(QDialogButtonBox::Ok);
    const QDialogButtonBox::StandardButtons ync =
        QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel;
    QTest::newRow("yes of yes/no/cancel") << ync << int(QDialogButtonBox::Yes);
    QTest::newRow("no of yes/no/cancel") << ync << int(QDialogButtonBox::No);
    QTest::newRow("cancel of yes/no/cancel") << ync << int(QDialogButtonBox::Cancel);
    const QDialogButtonBox::StandardButtons oc = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    QTest::newRow("ok of ok/cancel") << oc << int(QDialogButtonBox::Ok);
    QTest::newRow("cancel of ok/cancel") << oc << int(QDialogButtonBox::Cancel);
    const QDialogButtonBox::StandardButtons yn = QDialogButtonBox::Yes | QDialogButtonBox::No;
    QTest::newRow("yes of yes/no") << yn << int(QDialogButtonBox::Yes);
    QTest::newRow("no of yes/no") << yn << int(QDialogButtonBox::No);
}

void TestDialogs::messageBoxReturnsClickedButton() {
    QFETCH(QDialogButtonBox::StandardButtons, buttons);
    QFETCH(int, click);
    using Fn = SB (*)(QWidget *, const QString &, const QString &, QDialogButtonBox::StandardButtons, SB);
    for (Fn fn : {Fn(&CustomMessageBox::critical), Fn(&CustomMessageBox::information),
                  Fn(&CustomMessageBox::exclamation)}) {
        whenModal([click](QWidget *w) { clickStandard(w, SB(click)); });
        QCOMPARE(int(fn(nullptr, QStringLiteral("t"), QStringLiteral("text"), buttons,
                        QDialogButtonBox::NoButton)),
                 click);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

void TestDialogs::messageBoxClosedWithoutClick_data() {
    QTest::addColumn<QDialogButtonBox::StandardButtons>("buttons");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("escape");
    struct Case {
        const char *name;
        QDialogButtonBox::StandardButtons buttons;
        SB expected;
    };
    const Case cases[] = {
        {"yes/no/cancel", QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel,
         QDialogButtonBox::Cancel},
        {"ok/cancel", QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Cancel},
        {"yes/no", QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::No},
        {"ok", QDialogButtonBox::Ok, QDialogButtonBox::NoButton},
    };
    for (const Case &c : cases) {
        QTest::addRow("%s, escape", c.name) << c.buttons << int(c.expected) << true;
        QTest::addRow("%s, close button", c.name) << c.buttons << int(c.expected) << false;
    }
}

void TestDialogs::messageBoxClosedWithoutClick() {
    QFETCH(QDialogButtonBox::StandardButtons, buttons);
    QFETCH(int, expected);
    QFETCH(bool, escape);
    // Even with the consenting button as default, closing the box is not consent.
    const SB defaultButton = (buttons & QDialogButtonBox::Yes) ? QDialogButtonBox::Yes : QDialogButtonBox::Ok;
    whenModal([escape](QWidget *w) {
        if (escape)
            QTest::keyClick(w, Qt::Key_Escape);
        else
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("closeButton")), Qt::LeftButton);
    });
    const SB answer = CustomMessageBox::exclamation(nullptr, QStringLiteral("Save?"),
                                                    QStringLiteral("Save changes?"), buttons, defaultButton);
    QCOMPARE(int(answer), expected);
    QVERIFY(!(buttons & answer) || answer == QDialogButtonBox::Cancel || answer == QDialogButtonBox::No);
}

void TestDialogs::messageBoxDefaultButton() {
    // Return presses the default button.
    whenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Return); });
    QCOMPARE(CustomMessageBox::exclamation(nullptr, QStringLiteral("t"), QStringLiteral("q"),
                                           QDialogButtonBox::Yes | QDialogButtonBox::No,
                                           QDialogButtonBox::No),
             QDialogButtonBox::No);
    whenModal([](QWidget *w) { clickStandard(w, QDialogButtonBox::Yes); });
    QCOMPARE(CustomMessageBox::exclamation(nullptr, QStringLiteral("t"), QStringLiteral("q"),
                                           QDialogButtonBox::Yes | QDialogButtonBox::No,
                                           QDialogButtonBox::No),
             QDialogButtonBox::Yes);

    // A default the box does not hold makes no button the default.
    CustomMessageBox box(nullptr, QStringLiteral("t"), QStringLiteral("q"),
                         QStringLiteral(":/img/dialogs/critical"), QDialogButtonBox::Ok,
                         QDialogButtonBox::Yes);
    for (QAbstractButton *b : box.buttonBox()->buttons())
        QVERIFY(!static_cast<QPushButton *>(b)->isDefault());
    CustomMessageBox withDefault(nullptr, QStringLiteral("t"), QStringLiteral("q"),
                                 QStringLiteral(":/img/dialogs/critical"),
                                 QDialogButtonBox::Ok | QDialogButtonBox::Cancel, QDialogButtonBox::Cancel);
    QVERIFY(withDefault.buttonBox()->button(QDialogButtonBox::Cancel)->isDefault());
    QVERIFY(!withDefault.buttonBox()->button(QDialogButtonBox::Ok)->isDefault());
}

void TestDialogs::messageBoxIcons() {
    struct Case {
        SB (*fn)(QWidget *, const QString &, const QString &, QDialogButtonBox::StandardButtons, SB);
        const char *path;
    };
    const Case cases[] = {{&CustomMessageBox::critical, ":/img/dialogs/critical"},
                          {&CustomMessageBox::information, ":/img/dialogs/information"},
                          {&CustomMessageBox::exclamation, ":/img/dialogs/exclamation"}};
    for (const Case &c : cases) {
        const QImage expected(QString::fromLatin1(c.path));
        QVERIFY2(!expected.isNull(), c.path);
        QImage shown;
        QString title;
        whenModal([&shown, &title](QWidget *w) {
            auto *icon = w->findChild<QLabel *>(QStringLiteral("iconLabel"));
            QVERIFY(icon);
            shown = icon->pixmap().toImage();
            title = w->findChild<QLabel *>(QStringLiteral("winTitle"))->text();
            clickStandard(w, QDialogButtonBox::Ok);
        });
        c.fn(nullptr, QStringLiteral("Title"), QStringLiteral("Text"), QDialogButtonBox::Ok,
             QDialogButtonBox::Ok);
        QCOMPARE(title, QStringLiteral("Title"));
        // Compared as a pixmap holds it: a pixmap may keep its pixels premultiplied, which rounds the
        // colour of half-transparent pixels.
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32),
                 QPixmap::fromImage(expected).toImage().convertToFormat(QImage::Format_ARGB32));
    }
    // A missing picture leaves the label empty.
    CustomMessageBox box(nullptr, QStringLiteral("t"), QStringLiteral("q"), QStringLiteral(":/img/none"),
                         QDialogButtonBox::Ok);
    QVERIFY(box.findChild<QLabel *>(QStringLiteral("iconLabel"))->pixmap().isNull());
}

void TestDialogs::messageBoxTextIsPlain() {
    const QString name = QStringLiteral("<b>News</b> <img src=\"x\"> & <a href=\"y\">more</a>\nsecond line");
    CustomMessageBox box(nullptr, name, name, QStringLiteral(":/img/dialogs/critical"), QDialogButtonBox::Ok);
    QCOMPARE(box.textLabel()->textFormat(), Qt::PlainText);
    QCOMPARE(box.textLabel()->text(), name);
    QVERIFY(box.textLabel()->wordWrap());
    QCOMPARE(box.titleBar()->titleLabel()->textFormat(), Qt::PlainText);

    QLabel other;
    PlainTextLabel::setPlainText(&other, name);
    QCOMPARE(other.textFormat(), Qt::PlainText);
    QCOMPARE(other.text(), name);
    PlainTextLabel own(name);
    QCOMPARE(own.textFormat(), Qt::PlainText);
}

void TestDialogs::messageBoxListStaysOnTheScreen_data() {
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<bool>("scrolls");
    // The list's font and scroll bar, as the box styles them.
    CustomMessageBox sample(nullptr, QString(), QString(), QString(), QDialogButtonBox::Ok);
    sample.setList(QString(), QString());
    sample.listLabel()->ensurePolished();
    sample.listArea()->verticalScrollBar()->ensurePolished();
    const QFontMetrics metrics(sample.listLabel()->font());

    // A list taller than any screen, in its tightest form too.
    QStringList items;
    for (int i = 1; i <= 200; ++i)
        items << QStringLiteral("\u2022 Item %1 of a list that goes on and on").arg(i);
    QTest::newRow("taller than the screen")
        << QStringList{items.join(QLatin1String("\n\n")), items.join(QLatin1Char('\n'))} << true;

    // Lines that just fit the narrowest list, so beside a scroll bar each would wrap onto a second line. A
    // paragraph apart, they are too tall for the box; one under the other they take 336 px, well within it.
    const int listWidth = 400;
    const int barWidth = sample.listArea()->verticalScrollBar()->sizeHint().width();
    QString line = QStringLiteral("\u2022");
    for (int i = 1;
         metrics.horizontalAdvance(line + QStringLiteral(" Channel%1").arg(i)) < listWidth - barWidth; ++i)
        line += QStringLiteral(" Channel%1").arg(i);
    while (metrics.horizontalAdvance(line + QLatin1Char('i')) <= listWidth)
        line += QLatin1Char('i');
    const QStringList lines(336 / metrics.height(), line);
    QTest::newRow("lines as wide as the list")
        << QStringList{lines.join(QLatin1String("\n\n")), lines.join(QLatin1Char('\n'))} << false;

    // A few lines of ten lines each at a width of 720: too tall for the box at the widths the 800 px wide
    // offscreen screen holds, short enough at the wider ones it does not.
    QString longLine;
    for (int i = 1; metrics.horizontalAdvance(longLine) < 10 * 720; ++i)
        longLine += QStringLiteral("Channel %1, ").arg(i);
    QTest::newRow("a few very long lines")
        << QStringList{QStringList(3, longLine).join(QLatin1Char('\n'))} << false;
}

void TestDialogs::messageBoxListStaysOnTheScreen() {
    QFETCH(QStringList, forms);
    QFETCH(bool, scrolls);
    QWidget window;
    window.show();
    CustomMessageBox box(&window, QStringLiteral("Save As"), QStringLiteral("The file will not keep:"),
                         QStringLiteral(":/img/dialogs/exclamation"),
                         QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::No);
    box.setList(forms.first(), QStringLiteral("Save anyway?\n\nNo saves nothing."));
    box.fitToScreen(forms);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.screen()->availableGeometry().contains(box.frameGeometry()));
    // Only a list the screen cannot hold scrolls: the text, the closing text and both buttons are in view,
    // No still the default.
    QCOMPARE(box.listLabel()->text(), forms.last());
    QCOMPARE(box.listArea()->verticalScrollBar()->maximum() > 0, scrolls);
    QCOMPARE(box.listArea()->verticalScrollBar()->isVisible(), scrolls);
    QPushButton *no = box.buttonBox()->button(QDialogButtonBox::No);
    for (QWidget *part : std::initializer_list<QWidget *>{
             box.textLabel(), box.closingLabel(), box.buttonBox()->button(QDialogButtonBox::Yes), no}) {
        QVERIFY(part->isVisible());
        QVERIFY(box.rect().contains(QRect(part->mapTo(&box, QPoint()), part->size())));
    }
    QVERIFY(no->isDefault());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
