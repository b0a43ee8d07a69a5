#include "widgets/combobox.h"
#include "widgets/customdialog.h"
#include "widgets/itemdelegate.h"
#include "widgets/styledspinbox.h"
#include "widgets/table.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTimer>
#include <QtTest>

class TestStyled : public QObject {
    Q_OBJECT

private slots:
    void comboStartsEmptyAndTakesFirstItem();
    void comboSetCurrentIndexAlwaysReports();
    void comboIgnoresOutOfRangeIndex();
    void comboVisibleCountKeepsCurrent();
    void comboMenuChoiceReportsEvenWhenUnchanged();
    void spinBoxLeavesReturnToDialog();
    void spinBoxSheetFollowsFocus();
    void tableDragKeepsPressedRow();
    void delegatePaintsWithoutFocusFrame();
};

static ComboBox *fiveItems(QWidget *parent = nullptr) {
    auto *box = new ComboBox(parent);
    for (int i = 0; i < 5; ++i)
        box->addItem(QStringLiteral("Item %1").arg(i));
    return box;
}

void TestStyled::comboStartsEmptyAndTakesFirstItem() {
    ComboBox box;
    QSignalSpy changed(&box, &ComboBox::currentIndexChanged);
    QCOMPARE(box.currentIndex(), -1);
    QVERIFY(box.menu());
    box.addItem(QStringLiteral("All"));
    QCOMPARE(box.currentIndex(), 0);
    QCOMPARE(box.text(), QStringLiteral("All"));
    box.addItem(QStringLiteral("TV"));
    box.addItem(QStringLiteral("Radio"));
    QCOMPARE(box.currentIndex(), 0);
    QCOMPARE(box.text(), QStringLiteral("All"));
    QCOMPARE(box.count(), 3);
    QCOMPARE(changed.count(), 0);
}

void TestStyled::comboSetCurrentIndexAlwaysReports() {
    QScopedPointer<ComboBox> box(fiveItems());
    QSignalSpy changed(box.data(), &ComboBox::currentIndexChanged);
    box->setCurrentIndex(3);
    QCOMPARE(box->currentIndex(), 3);
    QCOMPARE(box->text(), QStringLiteral("Item 3"));
    QCOMPARE(box->menu()->activeAction(), box->menu()->actions().at(3));
    box->setCurrentIndex(3);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 3);
}

void TestStyled::comboIgnoresOutOfRangeIndex() {
    ComboBox empty;
    QSignalSpy emptyChanged(&empty, &ComboBox::currentIndexChanged);
    empty.setCurrentIndex(0);
    QCOMPARE(empty.currentIndex(), -1);
    QCOMPARE(emptyChanged.count(), 0);

    QScopedPointer<ComboBox> box(fiveItems());
    box->setCurrentIndex(2);
    QSignalSpy changed(box.data(), &ComboBox::currentIndexChanged);
    box->setCurrentIndex(5);
    box->setCurrentIndex(-1);
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(box->text(), QStringLiteral("Item 2"));
    QCOMPARE(changed.count(), 0);
}

void TestStyled::comboVisibleCountKeepsCurrent() {
    QScopedPointer<ComboBox> box(fiveItems());
    box->setCurrentIndex(4);
    box->setVisibleCount(2);
    const QList<QAction *> actions = box->menu()->actions();
    QVERIFY(actions.at(0)->isVisible());
    QVERIFY(actions.at(1)->isVisible());
    QVERIFY(!actions.at(2)->isVisible());
    QVERIFY(!actions.at(3)->isVisible());
    QVERIFY(!actions.at(4)->isVisible());
    QCOMPARE(box->currentIndex(), 4);
    QCOMPARE(box->text(), QStringLiteral("Item 4"));
    box->setVisibleCount(5);
    for (QAction *action : actions)
        QVERIFY(action->isVisible());
}

void TestStyled::comboMenuChoiceReportsEvenWhenUnchanged() {
    QScopedPointer<ComboBox> box(fiveItems());
    QSignalSpy changed(box.data(), &ComboBox::currentIndexChanged);
    box->menu()->actions().at(1)->trigger();
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(box->text(), QStringLiteral("Item 1"));
    box->menu()->actions().at(1)->trigger();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toInt(), 1);
    // Painting without the menu arrow or the focus frame must work with and without items.
    box->resize(120, 30);
    QVERIFY(!box->grab().isNull());
}

void TestStyled::spinBoxLeavesReturnToDialog() {
    CustomDialog dialog(nullptr, QStringLiteral("Move"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *layout = new QHBoxLayout;
    auto *spin = new StyledSpinBox;
    spin->setRange(1, 100);
    spin->setValue(5);
    layout->addWidget(spin);
    dialog.setContentLayout(layout);
    dialog.buttonBox()->button(QDialogButtonBox::Ok)->setDefault(true);
    QSignalSpy finished(spin, &QAbstractSpinBox::editingFinished);
    QTimer::singleShot(0, spin, [spin] {
        spin->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClick(spin, Qt::Key_7);
        QTest::keyClick(spin, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    // The spin box itself neither interpreted Return nor reported a finished edit for it.
    QCOMPARE(finished.count(), 0);

    StyledSpinBox alone;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
    enter.setAccepted(true);
    QApplication::sendEvent(&alone, &enter);
    QVERIFY(!enter.isAccepted());
}

void TestStyled::spinBoxSheetFollowsFocus() {
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *before = new QLineEdit;
    auto *spin = new StyledSpinBox;
    auto *after = new QLineEdit;
    spin->setRange(0, 999);
    spin->setValue(123);
    layout->addWidget(before);
    layout->addWidget(spin);
    layout->addWidget(after);
    QCOMPARE(spin->styleSheet(), StyledSpinBox::normalStyleSheet());
    QVERIFY(spin->hasMouseTracking());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(spin->hasFocus());
    QCOMPARE(spin->styleSheet(), StyledSpinBox::focusedStyleSheet());
    auto *edit = spin->findChild<QLineEdit *>();
    QVERIFY(edit);
    QCOMPARE(edit->selectedText(), QStringLiteral("123"));
    QTest::keyClick(spin, Qt::Key_Tab);
    QVERIFY(after->hasFocus());
    QCOMPARE(spin->styleSheet(), StyledSpinBox::normalStyleSheet());
}

void TestStyled::tableDragKeepsPressedRow() {
    Table table(6, 1);
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int r = 0; r < 6; ++r)
        table.setItem(r, 0, new QTableWidgetItem(QString::number(r)));
    table.resize(200, 300);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QWidget *viewport = table.viewport();
    const QPoint first = table.visualItemRect(table.item(1, 0)).center();
    const QPoint last = table.visualItemRect(table.item(4, 0)).center();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, first);
    QMouseEvent drag(QEvent::MouseMove, QPointF(last), viewport->mapToGlobal(QPointF(last)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drag);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, last);
    const QList<QTableWidgetItem *> selected = table.selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first()->row(), 1);
}

namespace {
// Records the state that the styled delegate paints with.
class RecordingDelegate : public ItemDelegate {
public:
    mutable QStyle::State painted;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
        ItemDelegate::initStyleOption(option, index);
        painted = option->state;
    }
};
} // namespace

void TestStyled::delegatePaintsWithoutFocusFrame() {
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QStringLiteral("cell"));
    RecordingDelegate delegate;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 80, 20);
    option.state = QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_Enabled;
    QImage image(80, 20, QImage::Format_ARGB32);
    QPainter painter(&image);
    delegate.paint(&painter, option, model.index(0, 0));
    QVERIFY(!(delegate.painted & QStyle::State_HasFocus));
    QVERIFY(delegate.painted & QStyle::State_Selected);
    QVERIFY(option.state & QStyle::State_HasFocus); // the caller's option is untouched
}

QTEST_MAIN(TestStyled)
#include "tst_styled.moc"
