#include "undofixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace UndoFixture;

// The lock, favourites and delete edits of the main table, each one undo step whose undo gives back the
// channels of before the edit exactly.
class TestUndoEdits : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    FakeContext context;
    ChannelList<AirChannel> air;
    std::unique_ptr<MainGrid> grid;

    // Digital 1..8, analogue 1..2; orderedFavourites as the document's format says.
    void build(bool ordered) {
        air.clear();
        for (quint16 n = 1; n <= 8; ++n)
            air.append(digital(n));
        air.append(analogue(1));
        air.append(analogue(2));
        grid.reset(MainGrid::createAirGrid(ordered));
        fill(grid.get(), air);
        context.mainGrids[0] = grid.get();
    }

    int row(int number, int kind = Channel::DIGITAL) { return rowOfNumber(grid.get(), number, kind); }
    AirChannel &ch(int number) { return air[number - 1]; }

    void checkUndoRedo(const ChannelList<AirChannel> &before) {
        const ChannelList<AirChannel> edited = air;
        QVERIFY(stack->canUndo());
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(air, edited);
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

    void lockCheckedRowsCountsAndEnabling() {
        build(false);
        ch(3).setLocked(true);
        ch(3).setModified(false);
        const ChannelList<AirChannel> before = air;
        checkNumbers(grid.get(), {2, 3});
        QCOMPARE(grid->lockedCheckedCount(), 1);
        QCOMPARE(grid->childLockStatus(), MainGrid::PartiallyLocked);
        QVERIFY(grid->isLockEnabled() && grid->isUnlockEnabled());

        QSignalSpy status(grid.get(), &MainGrid::childLockStateChanged);
        grid->actionLock();
        QCOMPARE(stack->count(), 1);
        QVERIFY(ch(2).isLocked() && ch(3).isLocked());
        QCOMPARE(grid->lockedCheckedCount(), 2);
        QCOMPARE(grid->childLockStatus(), MainGrid::AllLocked);
        QCOMPARE(status.count(), 1);
        QVERIFY(!grid->isLockEnabled());
        QVERIFY(grid->isUnlockEnabled());
        // The user's check marks stay after the push; the first checked row became current.
        QCOMPARE(grid->checkedCount(), 2);
        QCOMPARE(grid->currentVisibleRow(), row(2));

        checkUndoRedo(before);
        QCOMPARE(grid->childLockStatus(), MainGrid::AllLocked);
        stack->undo();
        QCOMPARE(grid->lockedCheckedCount(), 1);
        QCOMPARE(grid->childLockStatus(), MainGrid::PartiallyLocked);

        stack->redo();
        grid->actionUnlock();
        QVERIFY(!ch(2).isLocked() && !ch(3).isLocked());
        QCOMPARE(grid->lockedCheckedCount(), 0);
        QCOMPARE(grid->childLockStatus(), MainGrid::NoneLocked);
        QVERIFY(grid->isLockEnabled() && !grid->isUnlockEnabled());
    }

    void lockCurrentRowOnly() {
        build(false);
        const ChannelList<AirChannel> before = air;
        grid->selectRowOrClear(row(5));
        grid->setChildLock(true);
        QVERIFY(ch(5).isLocked());
        QCOMPARE(grid->checkedCount(), 0);
        QCOMPARE(grid->currentVisibleRow(), row(5));
        QCOMPARE(grid->childLockStatus(), MainGrid::AllLocked);
        stack->undo();
        QCOMPARE(air, before);
        // From the first undo on the row is check-marked instead of selected.
        QVERIFY(grid->isRowChecked(row(5)));
        QCOMPARE(grid->childLockStatus(), MainGrid::NoneLocked);
        stack->redo();
        QVERIFY(ch(5).isLocked());
        QVERIFY(grid->isRowChecked(row(5)));
    }

    void unlockWithoutSelectionPushesNothing() {
        build(false);
        grid->clearCurrent();
        QSignalSpy status(grid.get(), &MainGrid::childLockStateChanged);
        grid->setChildLock(false);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(grid->childLockStatus(), MainGrid::NothingSelected);
    }

    void membershipOnlyFavourites() {
        // A 2010-01 / 2011-01 document: -2 marks a member, -1 a non-member; nothing is renumbered.
        build(false);
        ch(1).setFavouritePosition(4, -2);
        const ChannelList<AirChannel> before = air;
        checkNumbers(grid.get(), {1, 2, 3});
        grid->actionSetFav4(true);
        for (int n : {1, 2, 3})
            QCOMPARE(ch(n).favouritePosition(4), -2);
        QCOMPARE(ch(4).favouritePosition(4), -1);
        // Every handled row gets a command, also the one already a member.
        QCOMPARE(stack->command(0)->childCount(), 3);
        checkUndoRedo(before);

        const ChannelList<AirChannel> added = air;
        grid->setFavourite(4, false);
        for (int n : {1, 2, 3})
            QCOMPARE(ch(n).favouritePosition(4), -1);
        checkUndoRedo(added);
        stack->undo();
        stack->undo();
        QCOMPARE(air, before);
    }

    void fifthListWorksLikeTheOthers() {
        build(false);
        const ChannelList<AirChannel> before = air;
        grid->selectRowOrClear(row(6));
        grid->actionSetFav5(true);
        QCOMPARE(ch(6).favouritePosition(5), -2);
        QVERIFY(grid->favouritesMaskOfSelection() & (1 << 4));
        checkUndoRedo(before);
    }

    void orderedAddAppendsAfterTheLastPosition() {
        build(true);
        for (int n = 1; n <= 7; ++n)
            ch(n).setFavouritePosition(1, n);
        // A deleted channel's position is not counted.
        ch(8).setFavouritePosition(1, 9);
        ch(8).setDeleted(true);
        grid->setRowVisible(row(8), false);
        const ChannelList<AirChannel> before = air;
        grid->setRowChecked(row(2, Channel::ANALOGUE), true);
        grid->setRowChecked(row(1, Channel::ANALOGUE), true);
        grid->setRowChecked(row(3), true); // already a member: no command
        grid->setFavourite(1, true);
        QCOMPARE(stack->command(0)->childCount(), 2);
        // Screen order: analogue 1 is above analogue 2.
        QCOMPARE(air[8].favouritePosition(1), 8);
        QCOMPARE(air[9].favouritePosition(1), 9);
        QCOMPARE(ch(3).favouritePosition(1), 3);
        checkUndoRedo(before);
    }

    void orderedAddPacksTheListBeforeThePositionsRunOut() {
        // A file keeps positions up to 65535; the next one would not be kept.
        build(true);
        ch(1).setFavouritePosition(1, 65535);
        ch(2).setFavouritePosition(1, 7);
        const ChannelList<AirChannel> before = air;
        grid->setRowChecked(row(3), true);
        grid->setFavourite(1, true);
        QCOMPARE(ch(2).favouritePosition(1), 1);
        QCOMPARE(ch(1).favouritePosition(1), 2);
        QCOMPARE(ch(3).favouritePosition(1), 3);
        checkUndoRedo(before);
        // The packed members are no rows of the edit: only the added one is check-marked.
        QCOMPARE(grid->checkedCount(), 1);
    }

    void orderedRemovalPacksTheRest() {
        build(true);
        for (int n = 1; n <= 4; ++n)
            ch(n).setFavouritePosition(2, n);
        const ChannelList<AirChannel> before = air;
        checkNumbers(grid.get(), {2, 3});
        grid->setFavourite(2, false);
        QCOMPARE(ch(1).favouritePosition(2), 1);
        QCOMPARE(ch(2).favouritePosition(2), -1);
        QCOMPARE(ch(3).favouritePosition(2), -1);
        QCOMPARE(ch(4).favouritePosition(2), 2);
        checkUndoRedo(before);
    }

    void orderedRemovalOfNonMembersChangesNothing() {
        build(true);
        ch(1).setFavouritePosition(2, 1);
        const ChannelList<AirChannel> before = air;
        checkNumbers(grid.get(), {5, 6});
        grid->setFavourite(2, false);
        QCOMPARE(stack->count(), 1);
        QCOMPARE(stack->command(0)->childCount(), 0);
        QCOMPARE(air, before);
    }

    void orderedRemovalWithRepeatedPositionsLeavesNoDuplicates() {
        // A file may hold two members at one position, or members without a position: the remaining
        // members are told from the removed ones by identity, and all get distinct positions.
        build(true);
        ch(1).setFavouritePosition(3, 1);
        ch(2).setFavouritePosition(3, 2);
        ch(3).setFavouritePosition(3, 2);
        ch(4).setFavouritePosition(3, -2);
        ch(5).setFavouritePosition(3, -2);
        ch(6).setFavouritePosition(3, 3);
        const ChannelList<AirChannel> before = air;
        checkNumbers(grid.get(), {2});
        grid->setFavourite(3, false);
        QCOMPARE(ch(2).favouritePosition(3), -1);
        QList<int> positions;
        for (int n : {1, 3, 4, 5, 6})
            positions << ch(n).favouritePosition(3);
        std::sort(positions.begin(), positions.end());
        QCOMPARE(positions, (QList<int>{1, 2, 3, 4, 5}));
        // Positioned members keep their order; the position-less ones follow them.
        QCOMPARE(ch(1).favouritePosition(3), 1);
        QCOMPARE(ch(3).favouritePosition(3), 2);
        QCOMPARE(ch(6).favouritePosition(3), 3);
        checkUndoRedo(before);
    }

    void orderedRemovalPacksMembersHiddenByTheFilter() {
        build(true);
        for (int n = 1; n <= 4; ++n)
            ch(n).setFavouritePosition(1, n);
        ch(4) = AirChannel(digital(4, QStringLiteral("Radio"), 2));
        ch(4).setFavouritePosition(1, 4);
        grid->filter(1, 0, -1, 1, true, false); // TV only: the radio channel is hidden
        QVERIFY(!grid->isRowVisible(row(4)));
        checkNumbers(grid.get(), {1});
        const ChannelList<AirChannel> before = air;
        grid->setFavourite(1, false);
        QCOMPARE(ch(4).favouritePosition(1), 3);
        // A hidden row is never check-marked by the edit.
        QVERIFY(!grid->isRowChecked(row(4)));
        stack->undo();
        QCOMPARE(air, before);
        QVERIFY(!grid->isRowChecked(row(4)));
        stack->redo();
        QVERIFY(!grid->isRowChecked(row(4)));
    }

    void toggleFavouriteDecidesFromTheSelection() {
        build(true);
        ch(1).setFavouritePosition(1, 1);
        ch(2).setFavouritePosition(1, 2);
        checkNumbers(grid.get(), {1, 2});
        grid->toggleFavourite(1);
        QCOMPARE(ch(1).favouritePosition(1), -1);
        QCOMPARE(ch(2).favouritePosition(1), -1);
        stack->undo();
        checkNumbers(grid.get(), {3});
        grid->toggleFavourite(1);
        // One non-member among them: the non-members are added, members keep their positions.
        QCOMPARE(ch(1).favouritePosition(1), 1);
        QCOMPARE(ch(2).favouritePosition(1), 2);
        QCOMPARE(ch(3).favouritePosition(1), 3);
    }

    void deleteCheckedRowsAndUndo() {
        build(false);
        const ChannelList<AirChannel> before = air;
        const int visible = grid->visibleCount();
        checkNumbers(grid.get(), {2, 4, 6});
        grid->deleteChannels();
        QCOMPARE(stack->count(), 1);
        QVERIFY(ch(2).isDeleted() && ch(4).isDeleted() && ch(6).isDeleted());
        QCOMPARE(grid->visibleCount(), visible - 3);
        QCOMPARE(grid->checkedCount(), 0);
        // A plain delete keeps the channels' favourites positions: undo only clears the mark.
        checkUndoRedo(before);
        stack->undo();
        QCOMPARE(grid->visibleCount(), visible);
        QCOMPARE(grid->checkedCount(), 3);
        for (int n : {2, 4, 6})
            QVERIFY(grid->isRowChecked(row(n)));
    }

    void deletingTheLastRowReportsNoChannels() {
        air.clear();
        air.append(digital(1));
        grid.reset(MainGrid::createAirGrid(false));
        fill(grid.get(), air);
        context.mainGrids[0] = grid.get();
        QSignalSpy none(grid.get(), &Grid::hasChannelsChanged);
        grid->selectRowOrClear(0);
        grid->deleteChannels();
        QCOMPARE(none.count(), 1);
        QCOMPARE(grid->visibleCount(), 0);
        // A table that shows nothing deletes nothing more.
        grid->deleteChannels();
        QCOMPARE(stack->count(), 1);
    }

    void deleteActionAsksFirst() {
        build(false);
        const ChannelList<AirChannel> before = air;
        grid->selectRowOrClear(row(7));
        answerNextDialog(false);
        grid->actionDelete();
        QCOMPARE(air, before);
        QCOMPARE(stack->count(), 0);

        answerNextDialog(true);
        grid->actionDelete();
        QVERIFY(ch(7).isDeleted());
        // The current row alone comes back check-marked.
        stack->undo();
        QCOMPARE(air, before);
        QVERIFY(grid->isRowChecked(row(7)));

        checkNumbers(grid.get(), {1, 2});
        answerNextDialog(true);
        grid->actionDelete();
        QVERIFY(ch(1).isDeleted() && ch(2).isDeleted());
    }

    void nextFavouritesForACopy() {
        AirChannel channel = digital(1);
        channel.setFavouritePosition(1, 4);
        channel.setFavouritePosition(3, -2);
        QVector<int> current{10, 0, 5, 0, 0};
        QVector<int> next{99};
        MainGrid::getNextFavourites(current, next, &channel);
        QCOMPARE(next, (QVector<int>{11, -1, -2, -1, -1}));
        QCOMPARE(current, (QVector<int>{11, 0, 5, 0, 0}));
    }
};

QTEST_MAIN(TestUndoEdits)
#include "tst_undoedits.moc"
