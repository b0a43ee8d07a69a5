// The header of the channel tables: the check-all box and its hot rectangle, clicks and double clicks that
// sort, the right-click sort entries, column configuration and minimum widths.
#include "testdocument.h"
#include "testgrid.h"

#include "dialogs/configuredialog.h"
#include "tables/headerview.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QtTest>

using namespace TestDocument;

class TstHeaderView : public QObject {
    Q_OBJECT

    ChannelList<AirChannel> list;

    std::unique_ptr<TestGrid> shownGrid() {
        auto grid = std::make_unique<TestGrid>(Grid::AIR_LIST);
        grid->resize(900, 400);
        uploadAll(list, *grid);
        grid->filter(Grid::ALL_CATEGORIES, 0, -1, Grid::CLEAR_CURRENT, true, false);
        grid->show();
        if (!QTest::qWaitForWindowExposed(grid.get()))
            return nullptr;
        return grid;
    }
    static QWidget *headerViewport(Grid &grid) { return grid.header()->viewport(); }
    // What a person's double click delivers: press, release, double click, release.
    static void doubleClick(QWidget *widget, Qt::MouseButton button, const QPoint &pos) {
        QTest::mousePress(widget, button, {}, pos);
        QTest::mouseRelease(widget, button, {}, pos);
        QTest::mouseDClick(widget, button, {}, pos);
        QTest::mouseRelease(widget, button, {}, pos);
    }
    static QPoint sectionCentre(Grid &grid, int id) {
        const HeaderView *header = grid.header();
        const int logical = grid.columnIndex(id);
        return QPoint(header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2,
                      header->height() / 2);
    }

private slots:
    void initTestCase() {
        Grid::initStatics(nullptr);
        for (int i = 1; i <= 6; ++i)
            list.append(air(QStringLiteral("c%1").arg(i), quint16(7 - i), 474.0f + i, i % 3 ? 1 : 2));
    }

    void checkBoxHotRectangle() {
        auto grid = shownGrid();
        QVERIFY(grid);
        QVERIFY(grid->header()->isInCheckBox(QPoint(13, 8)));
        QVERIFY(grid->header()->isInCheckBox(QPoint(25, 20)));
        QVERIFY(!grid->header()->isInCheckBox(QPoint(12, 8)));
        QVERIFY(!grid->header()->isInCheckBox(QPoint(26, 20)));
        QVERIFY(!grid->header()->isInCheckBox(QPoint(13, 21)));

        const int sortedBefore = grid->header()->sortIndicatorSection();
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, QPoint(13, 8));
        QCOMPARE(grid->checkedCount(), 6);
        QCOMPARE(grid->header()->checkState(), 2);
        // The press was consumed: no sorting by the check column.
        QCOMPARE(grid->header()->sortIndicatorSection(), sortedBefore);
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, QPoint(25, 20));
        QCOMPARE(grid->checkedCount(), 0);
        QCOMPARE(grid->header()->checkState(), 0);

        // Just outside the box: a plain click on the first section, which sorts by the check column.
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, QPoint(12, 8));
        QCOMPARE(grid->checkedCount(), 0);
        QCOMPARE(grid->header()->sortIndicatorSection(), 0);
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, QPoint(26, 20));
        QCOMPARE(grid->checkedCount(), 0);
    }

    void doubleClicks() {
        auto grid = shownGrid();
        QVERIFY(grid);
        // On the box: two toggles, one per click.
        doubleClick(headerViewport(*grid), Qt::LeftButton, QPoint(20, 14));
        QCOMPARE(grid->checkedCount(), 0);
        QCOMPARE(grid->header()->checkState(), 0);

        // On a section: two clicks, the second reversing the order the first set.
        const QPoint name = sectionCentre(*grid, Grid::NAME_COLUMN);
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, name);
        QCOMPARE(grid->header()->sortIndicatorSection(), grid->columnIndex(Grid::NAME_COLUMN));
        const Qt::SortOrder first = grid->header()->sortIndicatorOrder();
        const QStringList firstOrder = rowNames(*grid);
        doubleClick(headerViewport(*grid), Qt::LeftButton, name);
        QCOMPARE(grid->header()->sortIndicatorOrder(), first);
        QCOMPARE(rowNames(*grid), firstOrder);
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {}, name);
        QVERIFY(grid->header()->sortIndicatorOrder() != first);

        // A right double click does nothing at all.
        doubleClick(headerViewport(*grid), Qt::RightButton, QPoint(20, 14));
        QCOMPARE(grid->checkedCount(), 0);
    }

    void clickingASectionKeepsHiddenRowsHidden() {
        auto grid = shownGrid();
        QVERIFY(grid);
        grid->filter(Channel::CATEGORY_TV, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QCOMPARE(grid->visibleCount(), 4);
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {},
                          sectionCentre(*grid, Grid::FREQUENCY_COLUMN));
        QTest::mouseClick(headerViewport(*grid), Qt::LeftButton, {},
                          sectionCentre(*grid, Grid::FREQUENCY_COLUMN));
        for (int row = 0; row < grid->rowCount(); ++row)
            QCOMPARE(grid->rowHeight(row), grid->isRowVisible(row) ? Grid::SHOWN_ROW_HEIGHT : 0);
    }

    void menuSortEntries() {
        auto grid = shownGrid();
        QVERIFY(grid);
        HeaderView *header = grid->header();
        const QList<QAction *> actions = header->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Configure Items"));
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(actions.at(2)->text(), QStringLiteral("Ascending Sort"));
        QCOMPARE(actions.at(3)->text(), QStringLiteral("Descending Sort"));
        QCOMPARE(header->contextMenuPolicy(), Qt::ActionsContextMenu);

        grid->filter(Channel::CATEGORY_RADIO, 0, -1, Grid::CLEAR_CURRENT, true, false);
        // A right press only remembers the section; it neither sorts nor toggles.
        QTest::mousePress(headerViewport(*grid), Qt::RightButton, {},
                          sectionCentre(*grid, Grid::NAME_COLUMN));
        QTest::mouseRelease(headerViewport(*grid), Qt::RightButton, {},
                            sectionCentre(*grid, Grid::NAME_COLUMN));
        QCOMPARE(header->menuSection(), grid->columnIndex(Grid::NAME_COLUMN));
        QCOMPARE(header->sortIndicatorSection(), grid->columnIndex(Grid::NUMBER_COLUMN));

        header->descendingAction()->trigger();
        QCOMPARE(header->sortIndicatorSection(), grid->columnIndex(Grid::NAME_COLUMN));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(rowNames(*grid).first(), QStringLiteral("c6"));
        header->ascendingAction()->trigger();
        QCOMPARE(rowNames(*grid).first(), QStringLiteral("c1"));
        // The filtered rows stay hidden after the sort.
        for (int row = 0; row < grid->rowCount(); ++row) {
            const bool radio = grid->channelAt(row)->category() == Channel::CATEGORY_RADIO;
            QCOMPARE(grid->rowHeight(row), radio ? Grid::SHOWN_ROW_HEIGHT : 0);
        }
    }

    void minimumWidths() {
        auto grid = shownGrid();
        QVERIFY(grid);
        HeaderView *header = grid->header();
        const int name = grid->columnIndex(Grid::NAME_COLUMN);
        const int minimum =
            Grid::tableFontMetrics().horizontalAdvance(QStringLiteral("Name")) + Grid::TITLE_MARGIN;
        QCOMPARE(header->sectionMinimumSize(name), minimum);
        header->resizeSection(name, minimum - 10);
        QCOMPARE(header->sectionSize(name), minimum);
        header->resizeSection(name, minimum + 50);
        QCOMPARE(header->sectionSize(name), minimum + 50);
        // Recording a smaller minimum than the width shrinks the section to it.
        header->setSectionMinimumSize(name, minimum + 10);
        QCOMPARE(header->sectionSize(name), minimum + 10);
        QCOMPARE(header->sectionMinimumSize(0), 0);
    }

    void configurationChoices() {
        auto grid = shownGrid();
        QVERIFY(grid);
        HeaderView *header = grid->header();
        header->setSortIndicator(grid->columnIndex(Grid::NAME_COLUMN), Qt::DescendingOrder);
        // Move Frequency first and hide Name, the sorted column.
        header->applyColumnChoices({{Grid::FREQUENCY_COLUMN, true},
                                    {Grid::NUMBER_COLUMN, true},
                                    {Grid::NAME_COLUMN, false},
                                    {Grid::FAVOURITES_COLUMN, true},
                                    {Grid::LOCKED_COLUMN, true}});
        QCOMPARE(header->visualIndex(grid->columnIndex(Grid::FREQUENCY_COLUMN)), 1);
        QCOMPARE(header->visualIndex(grid->columnIndex(Grid::NUMBER_COLUMN)), 2);
        QCOMPARE(header->visualIndex(0), 0);
        QVERIFY(header->isSectionHidden(grid->columnIndex(Grid::NAME_COLUMN)));
        // The sort indicator moves to the first visible column, ascending.
        QCOMPARE(header->sortIndicatorSection(), grid->columnIndex(Grid::FREQUENCY_COLUMN));
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(rowNames(*grid).first(), QStringLiteral("c1"));
        // Every column is back at its minimum width.
        const int frequency = grid->columnIndex(Grid::FREQUENCY_COLUMN);
        QCOMPARE(header->sectionSize(frequency), header->sectionMinimumSize(frequency));
    }

    void configureDialogCancelledChangesNothing() {
        auto grid = shownGrid();
        QVERIFY(grid);
        HeaderView *header = grid->header();
        const int name = grid->columnIndex(Grid::NAME_COLUMN);
        header->resizeSection(name, 200);
        QStringList offered;
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<ConfigureDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            for (int row = 0; row < dialog->count(); ++row)
                offered << QString::number(dialog->columnIdAt(row));
            dialog->reject();
        });
        header->configureAction()->trigger();
        QVERIFY(seen);
        QCOMPARE(offered, (QStringList{"1001", "1002", "1003", "1004", "1007"}));
        QCOMPARE(header->sectionSize(name), 200);
        for (int logical = 0; logical < header->count(); ++logical) {
            QCOMPARE(header->visualIndex(logical), logical);
            QVERIFY(!header->isSectionHidden(logical));
        }
    }
};

QTEST_MAIN(TstHeaderView)
#include "tst_headerview.moc"
