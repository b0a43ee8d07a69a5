#include "editingfixture.h"

#include "dialogs/movedialog.h"
#include "support/modalhelper.h"
#include "widgets/styledspinbox.h"

#include <QTest>

using namespace EditingFixture;

// The favourites page: adding to and removing from a favourites list and reordering its members, in
// documents that keep an order within the lists and in documents that keep membership only.
class TestEditingFavGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    EditingContext context;
    ChannelList<AirChannel> air;
    std::unique_ptr<ScriptedFavGrid> left;
    std::unique_ptr<ScriptedFavGrid> right;
    int favList = 2;

    // Channels D1..Dcount; positions[i] is channel i+1's position in list favList.
    void build(int count, QList<int> positions, bool ordered) {
        left.reset();
        right.reset();
        air.clear();
        for (int n = 1; n <= count; ++n) {
            AirChannel &c = air.append(digital(quint16(n)));
            c.setFavouritePosition(quint16(favList), n - 1 < positions.size() ? positions.at(n - 1) : -1);
            c.setModified(false);
        }
        left = std::make_unique<ScriptedFavGrid>(Grid::AIR_LIST, false, !ordered);
        right = std::make_unique<ScriptedFavGrid>(Grid::AIR_LIST, ordered, !ordered);
        fill(left.get(), air);
        fill(right.get(), air);
        if (ordered)
            right->setFavouriteIndex(favList);
        context.leftFav = left.get();
        context.rightFav = right.get();
        left->applyFilter(7, favList, -1, Grid::CLEAR_CURRENT, true, false);
        right->filter(7, favList, -1, Grid::CLEAR_CURRENT, true, false);
    }

    int position(int n) const { return air[n - 1].favouritePosition(quint16(favList)); }
    QList<int> positions() const {
        QList<int> result;
        for (const AirChannel &c : air)
            result << c.favouritePosition(quint16(favList));
        return result;
    }
    void check(Grid *grid, std::initializer_list<int> channels) {
        for (int n : channels)
            grid->setRowChecked(grid->rowOfChannel(air.channelAt(n - 1)), true);
    }
    void makeCurrent(Grid *grid, int n) { grid->setCurrentCell(grid->rowOfChannel(air.channelAt(n - 1)), 1); }

private slots:
    void init() {
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
        stack->setOwner(&context);
        stack->setState(UndoState(0, 0, 0, 1, -1));
    }

    void cleanup() {
        stack->clear();
        left.reset();
        right.reset();
        context = EditingContext();
        stack.reset();
    }

    void orderedAddAppendsInRowOrder() {
        build(10, {1, 2, 3, 4, 5, 6, 7}, true);
        const ChannelList<AirChannel> before = air;
        check(left.get(), {10, 8, 9});
        left->setFavourite(favList, true);
        QCOMPARE(positions(), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        // The right table now shows the three and has them checked.
        QCOMPARE(right->checkedCount(), 3);
        verifyUndoRedo(*stack, air, before);
    }

    void addedMembersAreScrolledIntoView() {
        // Forty members fill more than the right table's height; the table stands at its end.
        QList<int> members;
        for (int n = 1; n <= 40; ++n)
            members << n;
        build(45, members, true);
        right->resize(300, 200);
        right->show();
        right->scrollToBottom();
        check(left.get(), {41});
        left->setFavourite(favList, true);
        const int row = right->rowOfChannel(air.channelAt(40));
        QVERIFY(right->isRowVisible(row));
        QVERIFY(right->viewport()->rect().contains(right->visualRect(right->model()->index(row, 0))));
    }

    // A file keeps positions up to 65535: an addition that would pass it packs the list first, in the same
    // undo step, so the new members still come last. Members without a position count, as a save numbers
    // them after the highest.
    void orderedAddNeverPassesTheHighestPosition_data() {
        QTest::addColumn<QList<int>>("members");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("highest position free")
            << QList<int>{1, 65533, 3} << QList<int>{1, 65533, 3, 65534, 65535};
        QTest::newRow("past the highest") << QList<int>{1, 65535, 3} << QList<int>{1, 3, 2, 4, 5};
        QTest::newRow("with a member without position")
            << QList<int>{1, 65533, -2} << QList<int>{1, 2, 3, 4, 5};
    }
    void orderedAddNeverPassesTheHighestPosition() {
        QFETCH(QList<int>, members);
        QFETCH(QList<int>, expected);
        build(5, members, true);
        const ChannelList<AirChannel> before = air;
        check(left.get(), {4, 5});
        left->setFavourite(favList, true);
        QCOMPARE(positions(), expected);
        verifyUndoRedo(*stack, air, before);
    }

    void orderedAddSkipsMembers() {
        build(4, {1, 2}, true);
        // A member as the current row (the left table greys members out, but one can still be current).
        makeCurrent(left.get(), 2);
        left->setFavourite(favList, true);
        QCOMPARE(positions(), QList<int>({1, 2, -1, -1}));
        makeCurrent(left.get(), 3);
        left->setFavourite(favList, true);
        QCOMPARE(positions(), QList<int>({1, 2, 3, -1}));
    }

    void membershipOnlyAddWritesMinusTwo() {
        build(5, {-2}, false);
        const ChannelList<AirChannel> before = air;
        check(left.get(), {2, 3, 4});
        left->setFavourite(favList, true);
        QCOMPARE(positions(), QList<int>({-2, -2, -2, -2, -1}));
        verifyUndoRedo(*stack, air, before);
    }

    void orderedRemoveClosesTheGap() {
        build(5, {1, 2, 3, 4, 5}, true);
        const ChannelList<AirChannel> before = air;
        makeCurrent(right.get(), 3);
        right->setFavourite(favList, false);
        QCOMPARE(positions(), QList<int>({1, 2, -1, 3, 4}));
        verifyUndoRedo(*stack, air, before);
    }

    void orderedRemoveRepacksByIdentity() {
        // Two members share position 2; removing one must leave the other with a position of its own.
        build(5, {1, 2, 2, 3, 4}, true);
        check(right.get(), {2});
        right->setFavourite(favList, false);
        QCOMPARE(positions(), QList<int>({1, -1, 2, 3, 4}));
        QVERIFY(positionsUnique(air));
    }

    void orderedRemoveGivesMembersWithoutAPositionTheirPlaceAfterTheOthers() {
        build(5, {1, -2, 2, -2, 3}, true);
        const ChannelList<AirChannel> before = air;
        makeCurrent(right.get(), 1);
        right->setFavourite(favList, false);
        QCOMPARE(positions(), QList<int>({-1, 3, 1, 4, 2}));
        verifyUndoRedo(*stack, air, before);
    }

    void membershipOnlyRemoveRenumbersNothing() {
        build(4, {-2, -2, -2}, false);
        check(right.get(), {1, 3});
        right->setFavourite(favList, false);
        QCOMPARE(positions(), QList<int>({-1, -2, -1, -1}));
    }

    void moveCheckedMembers() {
        build(6, {1, 2, 3, 4, 5, 6}, true);
        const ChannelList<AirChannel> before = air;
        check(right.get(), {2, 5});
        right->positionAnswers << 4;
        right->on_moveMyChannels(true);
        QCOMPARE(right->maxima, QList<int>({5}));
        QCOMPARE(positions(), QList<int>({1, 4, 2, 3, 5, 6}));
        verifyUndoRedo(*stack, air, before);
    }

    void moveTheCurrentMemberFirstAndLast() {
        build(5, {1, 2, 3, 4, 5}, true);
        makeCurrent(right.get(), 4);
        right->positionAnswers << 1;
        right->on_moveMyChannels(true);
        QCOMPARE(right->maxima, QList<int>({5}));
        QCOMPARE(positions(), QList<int>({2, 3, 4, 1, 5}));
        stack->undo();
        right->deselectAll();
        makeCurrent(right.get(), 1);
        right->positionAnswers << 5;
        right->on_moveMyChannels(true);
        QCOMPARE(positions(), QList<int>({5, 1, 2, 3, 4}));
    }

    void moveGivesEveryMemberItsOwnPosition() {
        build(5, {1, 2, 2, 3, -2}, true);
        makeCurrent(right.get(), 1);
        right->positionAnswers << 3;
        right->on_moveMyChannels(true);
        QCOMPARE(right->maxima, QList<int>({5}));
        QVERIFY(positionsUnique(air));
        QCOMPARE(positions(), QList<int>({3, 1, 2, 4, 5}));
    }

    void moveCancelledOrWithoutSelectionChangesNothing() {
        build(3, {1, 2, 3}, true);
        const ChannelList<AirChannel> before = air;
        right->clearCurrent();
        right->on_moveMyChannels(true);
        QVERIFY(right->maxima.isEmpty());
        makeCurrent(right.get(), 2);
        right->on_moveMyChannels(true); // no answer: the dialog is cancelled
        QCOMPARE(right->maxima.size(), 1);
        QVERIFY(air == before);
        QCOMPARE(stack->count(), 0);
    }

    void moveThroughTheRealDialog() {
        build(4, {1, 2, 3, 4}, true);
        std::unique_ptr<FavGrid> real(FavGrid::createAirGrid(true, false));
        fill(real.get(), air);
        real->setFavouriteIndex(favList);
        real->filter(7, favList, -1, Grid::CLEAR_CURRENT, true, false);
        context.rightFav = real.get();
        real->setCurrentCell(real->rowOfChannel(air.channelAt(0)), 1);
        QString title;
        onNextModal([&title](QWidget *modal) {
            auto *dialog = qobject_cast<MoveDialog *>(modal);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            QCOMPARE(dialog->spinBox()->maximum(), 4);
            dialog->spinBox()->setValue(4);
            dialog->accept();
        });
        real->on_moveMyChannels(true);
        QCOMPARE(title, QStringLiteral("Move favourites channels"));
        QCOMPARE(positions(), QList<int>({4, 1, 2, 3}));
        stack->clear();
        context.rightFav = right.get();
    }
};

QTEST_MAIN(TestEditingFavGrid)
#include "tst_editingfavgrid.moc"
