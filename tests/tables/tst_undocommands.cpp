#include "undofixture.h"

#include "tables/checkboxitem.h"
#include "tables/commands/astrahdcopycmd.h"
#include "tables/commands/astrahdcopygrpcmd.h"
#include "tables/commands/childlockgroupcmd.h"
#include "tables/commands/deletegroupcmd.h"
#include "tables/commands/favcmd.h"
#include "tables/commands/favgroupcmd.h"
#include "tables/commands/mychangroupcmd.h"
#include "tables/commands/renumbercmd.h"
#include "tables/commands/renumbergroupcmd.h"

#include <QSignalSpy>
#include <QTest>

using namespace UndoFixture;

// The commands on their own: each kind undone gives back exactly the channels of before the edit, redo
// gives the edited channels again, and the view and table rules around them hold.
class TestUndoCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    FakeContext context;
    ChannelList<AirChannel> air;
    ChannelList<AstraHDChannel> astraHD;
    std::unique_ptr<MainGrid> airGrid;
    std::unique_ptr<MainGrid> astraGrid;

    void build() {
        air.clear();
        for (quint16 n = 1; n <= 6; ++n)
            air.append(digital(n));
        air.append(analogue(3));
        airGrid.reset(MainGrid::createAirGrid(true));
        fill(airGrid.get(), air);

        astraHD.clear();
        astraHD.append(astra(1, QStringLiteral("One")));
        astraHD.append(astra(2, QStringLiteral("Two")));
        astraHD.append(astra(120, QStringLiteral("Far")));
        astraGrid.reset(MainGrid::createAstraHDGrid(true));
        fill(astraGrid.get(), astraHD);

        context = FakeContext();
        context.mainGrids[0] = airGrid.get();
        context.mainGrids[3] = astraGrid.get();
        context.shownList = 0;
        stack->setState(UndoState(0, 7, 0, 0, -1));
    }

    CheckBoxItem *itemOf(int number, int kind = Channel::DIGITAL) {
        return airGrid->checkBoxItem(rowOfNumber(airGrid.get(), number, kind));
    }

private slots:
    void init() {
        airGrid.reset();
        astraGrid.reset();
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
        stack->setOwner(&context);
        build();
    }

    void cleanup() {
        stack->clear();
        airGrid.reset();
        astraGrid.reset();
        stack.reset();
    }

    void stackIsTheInstanceWithLimitFifty() {
        QCOMPARE(UndoStack::instance(), stack.get());
        QCOMPARE(stack->undoLimit(), 50);
        QVERIFY(QMetaType::fromName("UndoState").isValid());
        QVERIFY(QMetaType::fromName("MainGrid::ChildLockSelStatus").isValid());
    }

    void renumberGroupAppliesWhileBuiltAndUndoesExactly() {
        const ChannelList<AirChannel> before = air;
        CheckBoxItem *two = itemOf(2);
        CheckBoxItem *five = itemOf(5);
        RenumberGroupCmd *group = stack->createRenumberGroupCmd(false, nullptr);
        // A swap: both numbers change at once, before the push.
        stack->addRenumberCmd(two, 5, true, group);
        stack->addRenumberCmd(five, 2, false, group);
        QVERIFY(air != before);
        const ChannelList<AirChannel> edited = air;
        stack->push(group);
        QCOMPARE(air, edited);
        QCOMPARE(airGrid->checkedCount(), 0);

        stack->undo();
        QCOMPARE(air, before);
        // From the first undo on, the rows with showRow are check-marked.
        QCOMPARE(airGrid->checkedCount(), 1);
        stack->redo();
        QCOMPARE(air, edited);
        stack->undo();
        QCOMPARE(air, before);
    }

    void renumberFactoriesNeedARenumberGroup() {
        ChildLockGroupCmd *wrong = stack->createChildLockGroupCmd(false, true);
        QVERIFY(!stack->createRenumberCmd(itemOf(1), 9, true, wrong));
        QVERIFY(!stack->addRenumberCmd(itemOf(1), 9, true, wrong));
        QVERIFY(!stack->addRenumberCmd(itemOf(1), 9, true, nullptr));
        QCOMPARE(air[0].number(), quint16(1));
        delete wrong;
    }

    void forcedRenumberGroupRunsOnPush() {
        const ChannelList<AirChannel> before = air;
        RenumberGroupCmd *group = stack->createRenumberGroupCmd(false, nullptr, true);
        stack->createRenumberCmd(itemOf(6), 9, false, group);
        QCOMPARE(air, before);
        stack->push(group);
        QCOMPARE(air[5].number(), quint16(9));
        // showRow false: nothing is marked or selected by the children.
        QCOMPARE(airGrid->checkedCount(), 0);
        stack->undo();
        QCOMPARE(air, before);
    }

    void lockGroupUndoRedo() {
        const ChannelList<AirChannel> before = air;
        ChildLockGroupCmd *group = stack->createChildLockGroupCmd(false, true);
        stack->createChildLockCmd(itemOf(1), group);
        stack->createChildLockCmd(itemOf(3, Channel::ANALOGUE), group);
        stack->push(group);
        QVERIFY(air[0].isLocked());
        QVERIFY(air[6].isLocked());
        const ChannelList<AirChannel> edited = air;
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(air, edited);
    }

    void myChanGroupUndoRedo() {
        air[1].setFavouritePosition(2, 1);
        air[1].setModified(false);
        const ChannelList<AirChannel> before = air;
        MyChanGroupCmd *group = stack->createMyChanGroupCmd(false, 2, nullptr);
        stack->createMyChanCmd(itemOf(2), -1, group);
        stack->createMyChanCmd(itemOf(4), 1, group);
        stack->push(group);
        QCOMPARE(air[1].favouritePosition(2), -1);
        QCOMPARE(air[3].favouritePosition(2), 1);
        const ChannelList<AirChannel> edited = air;
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(air, edited);
    }

    void deleteGroupUndoRedo() {
        const ChannelList<AirChannel> before = air;
        const int visible = airGrid->visibleCount();
        DeleteGroupCmd *group = stack->createDeleteGroupCmd(nullptr);
        stack->createDeleteCmd(itemOf(5), group, true);
        stack->createDeleteCmd(itemOf(2), group, true);
        stack->push(group);
        QVERIFY(air[1].isDeleted() && air[4].isDeleted());
        QCOMPARE(airGrid->visibleCount(), visible - 2);
        QCOMPARE(context.countLabels, 1);
        QCOMPARE(context.satelliteUpdates, 1);
        const ChannelList<AirChannel> edited = air;
        stack->undo();
        QCOMPARE(air, before);
        QCOMPARE(airGrid->visibleCount(), visible);
        QCOMPARE(airGrid->checkedCount(), 2);
        // No row was current before the undo, so none is afterwards.
        QCOMPARE(airGrid->currentVisibleRow(), -1);
        stack->redo();
        QCOMPARE(air, edited);
    }

    void renameUndoRedo() {
        const ChannelList<AirChannel> before = air;
        stack->rename(itemOf(3, Channel::ANALOGUE), QStringLiteral("NEW"));
        QCOMPARE(air[6].name(), QStringLiteral("NEW"));
        const int row = rowOfNumber(airGrid.get(), 3, Channel::ANALOGUE);
        QCOMPARE(airGrid->item(row, airGrid->columnIndex(Grid::NAME_COLUMN))->text(), QStringLiteral("NEW"));
        const ChannelList<AirChannel> edited = air;
        stack->undo();
        QCOMPARE(air, before);
        QCOMPARE(airGrid->item(row, airGrid->columnIndex(Grid::NAME_COLUMN))->text(), QStringLiteral("A3"));
        stack->redo();
        QCOMPARE(air, edited);
    }

    void favGroupUndoRedoWithoutFavouritesTables() {
        const ChannelList<AirChannel> before = air;
        FavGroupCmd *group = stack->createFavGroupCmd(true, true);
        stack->createFavCmd(air.channelAt(0), 3, 1, group);
        stack->createFavCmd(air.channelAt(2), 3, 2, group);
        stack->push(group);
        QCOMPARE(air[0].favouritePosition(3), 1);
        QCOMPARE(air[2].favouritePosition(3), 2);
        QCOMPARE(context.refreshes, 1);
        const ChannelList<AirChannel> edited = air;
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(air, edited);
    }

    void favCmdRefreshesTheRightTableRow() {
        std::unique_ptr<FavGrid> left(FavGrid::createAirGrid(false, false));
        std::unique_ptr<FavGrid> right(FavGrid::createAirGrid(true, false));
        ChListUploader<AirChannel> l(&air, left.get());
        l.begin();
        while (l.uploadNext()) {
        }
        l.finish();
        ChListUploader<AirChannel> r(&air, right.get());
        r.begin();
        while (r.uploadNext()) {
        }
        r.finish();
        context.leftFav = left.get();
        context.rightFav = right.get();
        const ChannelList<AirChannel> before = air;
        FavGroupCmd *group = stack->createFavGroupCmd(true, true);
        stack->createFavCmd(air.channelAt(0), 1, 1, group);
        stack->push(group);
        QCOMPARE(air[0].favouritePosition(1), 1);
        stack->undo();
        QCOMPARE(air, before);
        context.leftFav = nullptr;
        context.rightFav = nullptr;
    }

    void astraHDCopyUndoRestoresTheWholeRecord() {
        context.shownList = 3;
        stack->setState(UndoState(3, 7, 0, 0, -1));
        astraHD[1].setFavouritePosition(1, 4);
        astraHD[1].setLocked(true);
        const ChannelList<AstraHDChannel> before = astraHD;
        CheckBoxItem *source = astraGrid->checkBoxItem(astraGrid->rowOfChannel(astraHD.channelAt(2)));
        CheckBoxItem *target = astraGrid->checkBoxItem(astraGrid->rowOfChannel(astraHD.channelAt(1)));
        AstraHDCopyGrpCmd *group = stack->createAstraHDCopyGrpCmd();
        stack->createAstraHDCopyCmd(source, target, group, -1, QList<int>{7, -1, -2, -1, -1});
        stack->push(group);
        QCOMPARE(astraHD[1].name(), QStringLiteral("Far"));
        QCOMPARE(astraHD[1].number(), quint16(2));
        QCOMPARE(astraHD[1].favouritePosition(1), 7);
        QCOMPARE(astraHD[1].favouritePosition(3), -2);
        QCOMPARE(astraHD[2], before[2]);
        const ChannelList<AstraHDChannel> edited = astraHD;
        stack->undo();
        QCOMPARE(astraHD, before);
        stack->redo();
        QCOMPARE(astraHD, edited);

        // A new number instead of the target's own.
        AstraHDCopyGrpCmd *second = stack->createAstraHDCopyGrpCmd();
        stack->createAstraHDCopyCmd(
            source, astraGrid->checkBoxItem(astraGrid->rowOfChannel(astraHD.channelAt(0))), second, 9);
        stack->push(second);
        QCOMPARE(astraHD[0].number(), quint16(9));
        stack->undo();
        QCOMPARE(astraHD, edited);
    }

    void undoLimitKeepsFiftySteps() {
        const ChannelList<AirChannel> before = air;
        for (int i = 0; i < 60; ++i) {
            ChildLockGroupCmd *group = stack->createChildLockGroupCmd(false, i % 2 == 0);
            stack->createChildLockCmd(itemOf(1), group);
            stack->push(group);
        }
        QCOMPARE(stack->count(), 50);
        while (stack->canUndo())
            stack->undo();
        // The oldest ten steps were dropped: the lock is as after step 10 (index 9, an unlock).
        QVERIFY(!air[0].isLocked());
        QCOMPARE(stack->index(), 0);
        while (stack->canRedo())
            stack->redo();
        QVERIFY(!air[0].isLocked());
        Q_UNUSED(before);
    }

    void viewIsRestoredOnlyWhenItDiffers() {
        const UndoState editView(0, 1, 2, 3, -1);
        stack->setState(editView);
        ChildLockGroupCmd *group = stack->createChildLockGroupCmd(false, true);
        stack->createChildLockCmd(itemOf(1), group);
        QSignalSpy requests(stack.get(), &UndoStack::stateChangeRequest);
        stack->push(group);
        QCOMPARE(requests.count(), 0);
        QVERIFY(context.restored.isEmpty());

        // The user looks at the Astra HD+ list; undo switches back to the edit's view first.
        const UndoState other(3, 7, 0, 0, -1);
        stack->setState(other);
        context.shownList = 3;
        stack->undo();
        QCOMPARE(context.restored.size(), 1);
        QCOMPARE(context.restored.first(), editView);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().first().value<UndoState>(), editView);
        QCOMPARE(stack->state(), editView);
        QCOMPARE(context.shownList, 0);
        QVERIFY(!air[0].isLocked());
    }

    void commandsChangeOnlyTheirOwnTable() {
        // An edit of the air table undone while the view cannot switch back (the shown table is another):
        // the air channels and rows change, the shown table's rows do not.
        ChildLockGroupCmd *group = stack->createChildLockGroupCmd(true, true);
        airGrid->setRowChecked(rowOfNumber(airGrid.get(), 1), true);
        stack->createChildLockCmd(itemOf(1), group);
        stack->push(group);
        QVERIFY(air[0].isLocked());

        const ChannelList<AstraHDChannel> astraBefore = astraHD;
        context.mainGrids[0] = astraGrid.get(); // the window shows the Astra HD+ table whatever is asked
        astraGrid->setRowChecked(0, true);
        stack->undo();
        QVERIFY(!air[0].isLocked());
        QCOMPARE(astraHD, astraBefore);
        // The shown table's marks are cleared before the switch; no row of it is marked by the command.
        QCOMPARE(astraGrid->checkedCount(), 0);
        QCOMPARE(airGrid->checkedCount(), 1);
        context.mainGrids[0] = airGrid.get();
    }

    void itemOutsideAnyTableStillChangesItsChannel() {
        const ChannelList<AirChannel> before = air;
        const int row = rowOfNumber(airGrid.get(), 4);
        // The command keeps the item; the table gives it up (row -1).
        std::unique_ptr<QTableWidgetItem> taken(airGrid->takeItem(row, 0));
        auto *item = static_cast<CheckBoxItem *>(taken.get());
        RenumberGroupCmd *group = stack->createRenumberGroupCmd(false, nullptr);
        stack->addRenumberCmd(item, 44, true, group);
        stack->push(group);
        QCOMPARE(air[3].number(), quint16(44));
        stack->undo();
        QCOMPARE(air, before);
        stack->redo();
        QCOMPARE(air[3].number(), quint16(44));
        stack->clear();
    }
};

QTEST_MAIN(TestUndoCommands)
#include "tst_undocommands.moc"
