#include "dialogs/configuredialog.h"
#include "dialogs/deletedialog.h"
#include "dialogs/movedialog.h"
#include "dialogs/renumberdialog.h"
#include "support/modalhelper.h"
#include "widgets/custommessagebox.h"
#include "widgets/styledspinbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {
QPushButton *button(CustomDialog &dialog, QDialogButtonBox::StandardButton which) {
    return dialog.buttonBox() ? dialog.buttonBox()->button(which) : nullptr;
}

QTableWidget *columnList(ConfigureDialog &dialog) {
    return dialog.findChild<QTableWidget *>(QStringLiteral("customtable"));
}

QPushButton *moveButton(ConfigureDialog &dialog, const QString &text) {
    for (QPushButton *b : dialog.findChildren<QPushButton *>(QStringLiteral("steelStyle")))
        if (b->text() == text)
            return b;
    return nullptr;
}

QString question(CustomDialog &dialog) {
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("questionLabel"));
    return label ? label->text() : QString();
}
} // namespace

class TestEditingDialogs : public QObject {
    Q_OBJECT

private slots:
    void configureDialogReturnsOrderAndVisibility() {
        ConfigureDialog dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Configure table"));
        dialog.addColumn(QStringLiteral("Number"), 0, true);
        dialog.addColumn(QStringLiteral("Name"), 1, true);
        dialog.addColumn(QStringLiteral("Frequency"), 4, false);
        QCOMPARE(dialog.count(), 3);
        QCOMPARE(dialog.columnIdAt(2), 4);
        QVERIFY(dialog.isColumnVisible(0));
        QVERIFY(!dialog.isColumnVisible(2));

        QTableWidget *list = columnList(dialog);
        QPushButton *up = moveButton(dialog, QStringLiteral("Move Up"));
        QPushButton *down = moveButton(dialog, QStringLiteral("Move Down"));
        QVERIFY(list && up && down);
        QVERIFY(!up->isEnabled() && !down->isEnabled());

        list->selectRow(0);
        QVERIFY(!up->isEnabled());
        QVERIFY(down->isEnabled());
        // Moving "Number" down twice carries its title and check mark and keeps it selected.
        down->click();
        down->click();
        QCOMPARE(list->currentRow(), 2);
        QVERIFY(up->isEnabled());
        QVERIFY(!down->isEnabled());
        QCOMPARE(list->item(2, 0)->text(), QStringLiteral("Number"));
        QCOMPARE(QList<int>({dialog.columnIdAt(0), dialog.columnIdAt(1), dialog.columnIdAt(2)}),
                 QList<int>({1, 4, 0}));
        QCOMPARE(
            QList<bool>({dialog.isColumnVisible(0), dialog.isColumnVisible(1), dialog.isColumnVisible(2)}),
            QList<bool>({true, false, true}));
        up->click();
        QCOMPARE(dialog.columnIdAt(1), 0);
        QCOMPARE(list->currentRow(), 1);

        button(dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void configureDialogCancelIsRejected() {
        ConfigureDialog dialog(nullptr);
        dialog.addColumn(QStringLiteral("Name"), 1, true);
        dialog.show();
        button(dialog, QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void lastVisibleColumnIsLocked() {
        ConfigureDialog single(nullptr);
        single.addColumn(QStringLiteral("Name"), 1, true);
        QVERIFY(!(columnList(single)->item(0, 0)->flags() & Qt::ItemIsEnabled));

        ConfigureDialog dialog(nullptr);
        dialog.addColumn(QStringLiteral("Number"), 0, true);
        dialog.addColumn(QStringLiteral("Name"), 1, true);
        dialog.addColumn(QStringLiteral("Type"), 2, true);
        QTableWidget *list = columnList(dialog);
        for (int row = 0; row < 3; ++row)
            QVERIFY(list->item(row, 0)->flags() & Qt::ItemIsEnabled);
        list->item(0, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(list->item(2, 0)->flags() & Qt::ItemIsEnabled);
        list->item(1, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(!(list->item(2, 0)->flags() & Qt::ItemIsEnabled));
        // Still selectable and checkable once unlocked; unchecked rows stay usable all along.
        QVERIFY(list->item(0, 0)->flags() & Qt::ItemIsEnabled);
        list->item(0, 0)->setCheckState(Qt::Checked);
        QVERIFY(list->item(2, 0)->flags() & Qt::ItemIsEnabled);
        QVERIFY(list->item(0, 0)->flags() & Qt::ItemIsEnabled);
        QVERIFY(list->item(2, 0)->flags() & Qt::ItemIsUserCheckable);
    }

    void deleteDialogNamesTheChannelAsPlainText() {
        DeleteDialog dialog(QStringLiteral("<b>Das Erste</b>"), nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Confirm channel delete"));
        QCOMPARE(question(dialog),
                 QStringLiteral(
                     "Delete selected channel completely from the channel list?\nChannel: <b>Das Erste</b>"));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("questionLabel"))->textFormat(), Qt::PlainText);
        QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("pictureLabel"))->pixmap().isNull());
        button(dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void deleteDialogFitsALongChannelName() {
        // Names in universal files run to hundreds of characters, often without a space.
        const QString name = QString(200, QLatin1Char('W'));
        DeleteDialog dialog(name, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(dialog.width() <= 1024, qPrintable(QString::number(dialog.width())));
        QVERIFY(dialog.minimumSizeHint().width() <= 1024);
        // The name is wrapped, not cut: the question still holds all of it, and the label is tall enough.
        QVERIFY(question(dialog).endsWith(name));
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("questionLabel"));
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        // Broken anywhere, the name takes at least as many lines as its width asks for, after the question's.
        const QFontMetrics metrics = label->fontMetrics();
        const int nameLines = metrics.horizontalAdvance(name) / label->width();
        QVERIFY(nameLines >= 2);
        QVERIFY(label->heightForWidth(label->width()) > (nameLines + 1) * metrics.height());
    }

    void deleteDialogCountsChannels() {
        DeleteDialog dialog(3, nullptr);
        QCOMPARE(question(dialog),
                 QStringLiteral(
                     "Delete selected channels completely from the channel list?\n3 channels selected."));
        dialog.show();
        button(dialog, QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void renumberDialogNamesTheNumber() {
        RenumberDialog dialog(17, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Channel number collision"));
        QCOMPARE(question(dialog),
                 QStringLiteral("Number 17 is already used by another channel.\nDo you want to "
                                "continue (channel numbers will be swapped)?"));
        button(dialog, QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void moveDialogStartsWithItsRange() {
        MoveDialog dialog(1, 7, 100, nullptr, QStringLiteral("Move Dialog"),
                          QStringLiteral("Move first channel to number:"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Move Dialog"));
        StyledSpinBox *spin = dialog.spinBox();
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 100);
        QCOMPARE(spin->value(), 7);
        QVERIFY(spin->wrapping());
        QVERIFY(spin->isAccelerated());
        // A value beyond the constructor's old default range survives: the range is set first.
        MoveDialog high(500, 9000, 9999, nullptr, QString(), QString());
        QCOMPARE(high.spinBox()->value(), 9000);
    }

    void moveDialogAcceptsOnlyNumbersInRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lowest") << "1" << true;
        QTest::newRow("highest") << "100" << true;
        QTest::newRow("inside") << "42" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("below") << "0" << false;
        QTest::newRow("above") << "101" << false;
        QTest::newRow("not a number") << "abc" << false;
    }
    void moveDialogAcceptsOnlyNumbersInRange() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        MoveDialog dialog(1, 50, 100, nullptr, QStringLiteral("Move Dialog"),
                          QStringLiteral("Move first channel to number:"));
        dialog.show();
        auto *edit = dialog.spinBox()->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->setText(typed); // bypasses the validator, like a paste would not
        QString title, text;
        bool sawBox = false;
        qreal opacityWhileShown = -1;
        if (!accepted) {
            onNextModal(
                [&](QWidget *modal) {
                    auto *box = qobject_cast<CustomMessageBox *>(modal);
                    if (!box) {
                        modal->close();
                        return;
                    }
                    sawBox = true;
                    title = box->windowTitle();
                    text = box->textLabel()->text();
                    opacityWhileShown = dialog.windowOpacity();
                    box->buttonBox()->button(QDialogButtonBox::Ok)->click();
                },
                &dialog);
        }
        dialog.accept();
        if (accepted) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.spinBox()->value(), typed.toInt());
        } else {
            QVERIFY(sawBox);
            QCOMPARE(title, QStringLiteral("Invalid channel number"));
            QCOMPARE(text, QStringLiteral("Input channel number is outside of the possible range (1-100)."));
            QCOMPARE(opacityWhileShown, 0.0);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.result(), 0);
            QCOMPARE(dialog.windowOpacity(), 1.0);
        }
    }

    void moveDialogReturnPressesOk() {
        MoveDialog dialog(1, 5, 100, nullptr, QStringLiteral("Move Dialog"),
                          QStringLiteral("Move first channel to number:"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *edit = dialog.spinBox()->findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClicks(dialog.spinBox(), QStringLiteral("64"));
        QTest::keyClick(dialog.spinBox(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.spinBox()->value(), 64);
    }

    void moveDialogCancelIsRejected() {
        MoveDialog dialog(1, 5, 100, nullptr, QString(), QString());
        dialog.show();
        button(dialog, QDialogButtonBox::Cancel)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestEditingDialogs)
#include "tst_editingdialogs.moc"
