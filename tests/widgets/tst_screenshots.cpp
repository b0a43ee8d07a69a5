// Renders the message boxes and the main-window frame with the application style sheet and checks that they
// draw something. With TUNELANE_SCREENSHOT_DIR set, the pictures are kept there for a person to look at.
#include "widgets/combobox.h"
#include "widgets/customdialog.h"
#include "widgets/custommainwindow.h"
#include "widgets/custommessagebox.h"
#include "widgets/customtitlebar.h"
#include "widgets/styledspinbox.h"
#include "widgets/table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

class TestScreenshots : public QObject {
    Q_OBJECT

    QString target;

    QImage shoot(QWidget *widget, const QString &name) {
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget))
            return QImage();
        QApplication::processEvents();
        const QImage image = widget->grab().toImage();
        if (!target.isEmpty())
            image.save(QDir(target).filePath(name + QStringLiteral(".png")));
        widget->hide();
        return image;
    }

    static int opaqueSamples(const QImage &image) {
        int opaque = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                opaque += qAlpha(image.pixel(x, y)) > 200;
        return opaque;
    }

private slots:
    void initTestCase() {
        QFile sheet(QStringLiteral(":/styles/styles"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        target = qEnvironmentVariable("TUNELANE_SCREENSHOT_DIR");
        if (!target.isEmpty())
            QVERIFY(QDir().mkpath(target));
    }

    void messageBoxes() {
        const struct {
            const char *name;
            const char *icon;
            const char *title;
            const char *text;
            QDialogButtonBox::StandardButtons buttons;
            QDialogButtonBox::StandardButton defaultButton;
        } boxes[] = {
            {"critical", ":/img/dialogs/critical", "Open file",
             "Astra 19.2E.rvl: Checksum verification failed.", QDialogButtonBox::Ok, QDialogButtonBox::Ok},
            {"information", ":/img/dialogs/information", "Invalid channel number",
             "Input channel number is outside of the possible range (1-9999).", QDialogButtonBox::Ok,
             QDialogButtonBox::NoButton},
            {"exclamation", ":/img/dialogs/exclamation", "Tunelane - Kabel.rvl",
             "Do you want to save changes?",
             QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel,
             QDialogButtonBox::Cancel},
        };
        for (const auto &b : boxes) {
            CustomMessageBox box(nullptr, QLatin1String(b.title), QLatin1String(b.text),
                                 QLatin1String(b.icon), b.buttons, b.defaultButton);
            const QImage image = shoot(&box, QStringLiteral("widgets-messagebox-") + QLatin1String(b.name));
            QCOMPARE(image.size() / image.devicePixelRatio(), QSize(365, 180));
            QVERIFY(opaqueSamples(image) > 1000);
            // The rounded top corners are left translucent.
            QVERIFY(qAlpha(image.pixel(0, 0)) < 50);
        }
    }

    void styledWidgets() {
        CustomDialog dialog(nullptr, QStringLiteral("Styled widgets"),
                            QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        dialog.resize(420, 260);
        auto *layout = new QVBoxLayout;
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("Move to number:")), 100);
        auto *spin = new StyledSpinBox;
        spin->setRange(1, 9999);
        spin->setValue(42);
        row->addWidget(spin);
        auto *focused = new StyledSpinBox;
        focused->setRange(1, 9999);
        focused->setValue(7);
        focused->setStyleSheet(StyledSpinBox::focusedStyleSheet());
        row->addWidget(focused);
        layout->addLayout(row);
        auto *combo = new ComboBox;
        for (const char *text : {"My Favourites 1", "My Favourites 2", "My Favourites 3"})
            combo->addItem(QLatin1String(text));
        layout->addWidget(combo);
        auto *table = new Table(3, 1);
        table->setObjectName(QStringLiteral("customtable"));
        table->horizontalHeader()->hide();
        table->verticalHeader()->hide();
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table->setAlternatingRowColors(true);
        int r = 0;
        for (const char *text : {"Number", "Name", "Locked"}) {
            auto *item = new QTableWidgetItem(QLatin1String(text));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(r == 2 ? Qt::Unchecked : Qt::Checked);
            table->setItem(r++, 0, item);
        }
        table->selectRow(1);
        layout->addWidget(table);
        auto *steel = new QPushButton(QStringLiteral("Move Up"));
        steel->setObjectName(QStringLiteral("steelStyle"));
        layout->addWidget(steel, 0, Qt::AlignLeft);
        dialog.setContentLayout(layout);
        QVERIFY(opaqueSamples(shoot(&dialog, QStringLiteral("widgets-styled"))) > 1000);
    }

    void frame() {
        CustomMainWindow window;
        window.titleBar()->titleLabel()->setText(QStringLiteral("Kabel.rvl - Tunelane"));
        window.setWindowTitle(QStringLiteral("Kabel.rvl - Tunelane"));
        auto *menu = new QLabel(QStringLiteral("  File   Edit   Help"));
        menu->setFixedHeight(24);
        menu->setStyleSheet(QStringLiteral("background: #1b1c1e; color: white;"));
        window.insertMenuBarWidget(menu);
        auto *area = new QVBoxLayout;
        area->addStretch(1);
        window.insertLayout(area);
        window.resize(640, 360);
        QImage image = shoot(&window, QStringLiteral("widgets-frame"));
        QVERIFY(opaqueSamples(image) > 5000);

        window.move(0, 0);
        window.titleBar()->maxButton()->click();
        image = shoot(&window, QStringLiteral("widgets-frame-maximized"));
        QVERIFY(!image.isNull());
    }
};

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
