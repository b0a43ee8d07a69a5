#include "undofixture.h"

#include "tables/commands/renumbergroupcmd.h"

#include <QTest>

using namespace UndoFixture;

// The renumbering support of the main table: free numbers, drop checks and the renumbering of dragged
// rows, with and without a filter hiding channels of the same kind.
class TestUndoRenumbering : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    FakeContext context;
    ChannelList<AirChannel> air;
    std::unique_ptr<MainGrid> grid;

    // Channels of one kind with the given numbers; radio numbers become radio channels (for the filter).
    void build(std::initializer_list<int> numbers, int kind = Channel::DIGITAL, QList<int> radio = {}) {
        air.clear();
        for (int n : numbers) {
            const int type = radio.contains(n) ? 2 : 1;
            air.append(kind == Channel::ANALOGUE ? analogue(quint16(n), type)
                                                 : digital(quint16(n), QString(), type));
        }
        grid.reset(MainGrid::createAirGrid(false));
        fill(grid.get(), air);
        context.mainGrids[0] = grid.get();
    }

    int row(int number, int kind = Channel::DIGITAL) { return rowOfNumber(grid.get(), number, kind); }

    QList<int> numbers() {
        QList<int> result;
        for (const AirChannel &c : air)
            result << c.number();
        return result;
    }

    // A drop of the given rows after the anchor, as the drop does it: check, then renumber.
    bool drop(const QList<int> &rows, int dragRow, int anchorRow, int kind, int dropNumber, bool ascending) {
        int slack = 0;
        const int limit = MainGrid::highestNumber(kind);
        if (!grid->validateDrop(slack, kind, dropNumber, rows, dragRow, anchorRow, limit, false, ascending))
            return false;
        grid->moveDraggedRows(dragRow, anchorRow, kind, rows, ascending, dropNumber);
        return true;
    }

private slots:
    void init() {
        grid.reset();
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
        context = FakeContext();
        stack->setOwner(&context);
        stack->setState(UndoState(0, 7, 0, 0, -1));
    }

    void cleanup() {
        stack->clear();
        grid.reset();
        stack.reset();
    }

    void rowsToMoveFollowsTheDraggedRow() {
        build({1, 2, 3, 4});
        checkNumbers(grid.get(), {2, 4});
        QList<int> rows;
        grid->rowsToMove(rows, row(4));
        QCOMPARE(rows, (QList<int>{row(2), row(4)}));
        rows.clear();
        grid->rowsToMove(rows, row(3));
        QCOMPARE(rows, (QList<int>{row(3)}));
    }

    void dropBeyondTheRangeIsRefused() {
        build({1, 2, 3});
        checkNumbers(grid.get(), {1, 2, 3});
        QList<int> rows;
        grid->rowsToMove(rows, row(1));
        int slack = 0;
        QVERIFY(!grid->validateDrop(slack, Channel::DIGITAL, 9998, rows, row(1), row(3), 9999, false, true));
    }

    void analogueDropNearTheTop() {
        build({10, 98, 99}, Channel::ANALOGUE);
        int slack = 0;
        const QList<int> rows{row(10, Channel::ANALOGUE)};
        QVERIFY(!grid->validateDrop(slack, Channel::ANALOGUE, 98, rows, rows.first(), rows.first(), 99, false,
                                    true));
        QCOMPARE(slack, -1);

        build({10, 98}, Channel::ANALOGUE);
        const QList<int> one{row(10, Channel::ANALOGUE)};
        QVERIFY(
            grid->validateDrop(slack, Channel::ANALOGUE, 98, one, one.first(), one.first(), 99, false, true));
        QCOMPARE(slack, 0);
        grid->moveDraggedRows(one.first(), one.first(), Channel::ANALOGUE, one, true, 98);
        QCOMPARE(numbers(), (QList<int>{98, 99}));
    }

    void ascendingDropPushesUpToTheFirstGap() {
        build({3, 9, 10, 11, 13});
        const ChannelList<AirChannel> before = air;
        QVERIFY(drop({row(3)}, row(3), row(9), Channel::DIGITAL, 10, true));
        QCOMPARE(numbers(), (QList<int>{10, 9, 11, 12, 13}));
        QCOMPARE(stack->count(), 1);
        stack->undo();
        QCOMPARE(air, before);
    }

    void descendingDropStopsAtTheKindsLowestNumber() {
        build({7, 5, 4, 3, 2, 1});
        int slack = 0;
        const QList<int> rows{row(7)};
        QVERIFY(!grid->validateDrop(slack, Channel::DIGITAL, 4, rows, row(7), row(5), 9999, false, false));
        QCOMPARE(slack, -1);

        build({7, 5, 4, 3, 2, 1}, Channel::ANALOGUE);
        const QList<int> analogueRows{row(7, Channel::ANALOGUE)};
        QVERIFY(
            drop(analogueRows, analogueRows.first(), row(5, Channel::ANALOGUE), Channel::ANALOGUE, 4, false));
        QCOMPARE(numbers(), (QList<int>{4, 5, 3, 2, 1, 0}));
        QVERIFY(numbersUnique(air));
    }

    void dropPushesChannelsHiddenByTheFilter() {
        // Channel 11 is a radio channel and the filter shows TV only: it still holds its number, so the
        // channels pushed along must not land on it, and it is pushed on like a shown one.
        build({3, 10, 11, 12, 20}, Channel::DIGITAL, {11});
        grid->filter(1, 0, -1, 1, true, false);
        QVERIFY(!grid->isRowVisible(row(11)));
        const ChannelList<AirChannel> before = air;
        QVERIFY(drop({row(3)}, row(3), row(10), Channel::DIGITAL, 10, true));
        QVERIFY(numbersUnique(air));
        QCOMPARE(numbers(), (QList<int>{10, 11, 12, 13, 20}));
        // The pushed channels, shown or hidden, are not marked; the hidden one stays unchecked.
        QVERIFY(!grid->isRowChecked(grid->rowOfChannel(air.channelAt(2))));
        stack->undo();
        QCOMPARE(air, before);
        QVERIFY(!grid->isRowChecked(grid->rowOfChannel(air.channelAt(2))));
        stack->redo();
        QVERIFY(numbersUnique(air));
    }

    void dropBeforeTheFirstShownRowSeesHiddenChannelsAbove() {
        // The lowest digital channel (1) is hidden; dropping before the first shown one gives the dragged
        // channel number 1 and pushes the hidden channel along.
        build({1, 5, 6, 9}, Channel::DIGITAL, {1});
        grid->filter(1, 0, -1, 1, true, false);
        QVERIFY(drop({row(9)}, row(9), row(5) - 1, Channel::DIGITAL, 1, true));
        QVERIFY(numbersUnique(air));
        QCOMPARE(numbers(), (QList<int>{2, 5, 6, 1}));
    }

    void dropCheckCountsHiddenChannels() {
        build({1, 2, 3, 4, 97, 98, 99}, Channel::ANALOGUE, {99});
        grid->filter(1, 0, -1, 1, true, false);
        int slack = 0;
        const QList<int> rows{row(1, Channel::ANALOGUE)};
        // 97 and 98 shown, 99 hidden: three channels to push into the three numbers 97..99 with one more.
        QVERIFY(!grid->validateDrop(slack, Channel::ANALOGUE, 97, rows, rows.first(),
                                    row(4, Channel::ANALOGUE), 99, false, true));
        QCOMPARE(slack, -1);
    }

    void blockRangeOfCheckedChannels() {
        build({5, 7, 20, 30}, Channel::ANALOGUE);
        checkNumbers(grid.get(), {5, 7, 20}, Channel::ANALOGUE);
        int lowest = -1;
        int highestStart = -1;
        QVERIFY(grid->checkedNumberRange(lowest, highestStart));
        QCOMPARE(lowest, 5);
        QCOMPARE(highestStart, 84);
    }

    void blockRangeNeedsOneKind() {
        air.clear();
        air.append(digital(5));
        air.append(analogue(6));
        grid.reset(MainGrid::createAirGrid(false));
        fill(grid.get(), air);
        grid->setRowChecked(0, true);
        grid->setRowChecked(1, true);
        int lowest = -1;
        int highestStart = -1;
        QVERIFY(!grid->checkedNumberRange(lowest, highestStart));
        QCOMPARE(lowest, -1);
        grid->setRowChecked(0, false);
        grid->setRowChecked(1, false);
        QVERIFY(!grid->checkedNumberRange(lowest, highestStart));
    }

    void freeNumbersForAnInsertion() {
        build({1, 2, 3, 97, 98}, Channel::ANALOGUE);
        checkNumbers(grid.get(), {1, 2, 3}, Channel::ANALOGUE);
        QCOMPARE(grid->countFreeNumbers(Channel::ANALOGUE, true), 95);
        grid->deselectAll(true);
        grid->selectRowOrClear(row(1, Channel::ANALOGUE));
        QCOMPARE(grid->countFreeNumbers(Channel::ANALOGUE, false), 99);
    }

    void freeNumbersCountHiddenChannels() {
        build({1, 2, 3, 97, 98}, Channel::ANALOGUE, {98});
        grid->filter(1, 0, -1, 1, true, false);
        checkNumbers(grid.get(), {1, 2, 3}, Channel::ANALOGUE);
        QCOMPARE(grid->countFreeNumbers(Channel::ANALOGUE, true), 95);
    }

    void freeNumbersOfAnEmptyTableStayInRange() {
        air.clear();
        grid.reset(MainGrid::createAirGrid(false));
        fill(grid.get(), air);
        QCOMPARE(grid->countFreeNumbers(Channel::ANALOGUE, true), 99);
        QCOMPARE(grid->countFreeNumbers(Channel::DIGITAL, true), 9999);
        // A table without a channel of the kind is no different.
        build({1, 2});
        QCOMPARE(grid->countFreeNumbers(Channel::ANALOGUE, true), 99);
    }

    void swapIsOneUndoStep() {
        build({4, 8});
        const ChannelList<AirChannel> before = air;
        grid->swapNumbers(row(4), row(8), nullptr);
        QCOMPARE(stack->count(), 1);
        QCOMPARE(numbers(), (QList<int>{8, 4}));
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(numbers(), (QList<int>{8, 4}));
    }

    void swapIntoAGivenGroupPushesNothing() {
        build({4, 8, 9});
        RenumberGroupCmd *group = nullptr;
        grid->ensureRenumberGroup(group);
        QVERIFY(group);
        RenumberGroupCmd *same = group;
        grid->ensureRenumberGroup(group);
        QCOMPARE(group, same);
        grid->swapNumbers(row(4), row(9), group);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(numbers(), (QList<int>{9, 8, 4}));
        stack->push(group);
        stack->undo();
        QCOMPARE(numbers(), (QList<int>{4, 8, 9}));
    }

    void confirmSwapAsks() {
        build({1});
        answerNextDialog(true);
        QVERIFY(grid->confirmSwap(5));
        answerNextDialog(false);
        QVERIFY(!grid->confirmSwap(5));
    }
};

QTEST_MAIN(TestUndoRenumbering)
#include "tst_undorenumbering.moc"
