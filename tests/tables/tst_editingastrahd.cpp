#include "editingfixture.h"

#include <QTest>

using namespace EditingFixture;

namespace {

// Opens the delete of the Astra HD+ range to the test (the window reaches it through the delete dialog).
class AstraGrid : public ScriptedGrid {
public:
    explicit AstraGrid(bool ordered) : ScriptedGrid(Grid::ASTRA_HD_LIST, ordered) {}
    using MainGrid::deleteAstraHDChannels;
};

} // namespace

// The favourite range 1 to 99 of the Astra HD+ list: move, delete and copy, on a list as a raw file gives it
// (placeholders for the free numbers) and as a universal file gives it (no placeholders). Undo is checked by
// the channel data, not by the check marks.
class TestEditingAstraHD : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    EditingContext context;
    ChannelList<AstraHDChannel> list;
    std::unique_ptr<AstraGrid> grid;

    // Channels 1..used, placeholders up to 99 when withPlaceholders, then the channels outside the range.
    void build(int used, QList<int> outside = {150, 151, 152}, bool withPlaceholders = true,
               bool ordered = true) {
        grid.reset();
        list.clear();
        for (int n = 1; n <= used; ++n)
            list.append(astra(quint16(n)));
        if (withPlaceholders) {
            for (int n = used + 1; n <= 99; ++n)
                list.append(AstraHDChannel::placeholder(quint16(n)));
        }
        for (int n : outside)
            list.append(astra(quint16(n)));
        fillGrid(ordered);
    }
    void fillGrid(bool ordered = true) {
        grid.reset(new AstraGrid(ordered));
        fill(grid.get(), list);
        context.mainGrid = grid.get();
        grid->filter(7, 0, -1, Grid::CLEAR_CURRENT, true, false);
    }

    // The number the channel of service 3000 + n now has, or -1 when no live channel carries it.
    int numberOf(int n) const {
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.serviceId() == 3000 + n)
                return c.number();
        }
        return -1;
    }
    // The live channels' services ordered by number, as original numbers.
    QList<int> rangeOrder() const {
        QMap<int, int> byNumber;
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.number() >= 1 && c.number() <= 99)
                byNumber.insert(c.number(), c.serviceId() - 3000);
        }
        return byNumber.values();
    }
    QList<int> rangeNumbers() const {
        QList<int> numbers;
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.number() >= 1 && c.number() <= 99)
                numbers << c.number();
        }
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }
    int rowOf(int number) { return grid->rowOfNumber(number, false); }
    void check(std::initializer_list<int> numbers) {
        for (int n : numbers)
            grid->setRowChecked(rowOf(n), true);
    }
    static QList<int> range(int from, int to) {
        QList<int> r;
        for (int i = from; i <= to; ++i)
            r << i;
        return r;
    }

private slots:
    void init() {
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
        stack->setOwner(&context);
        stack->setState(UndoState(3, 7, 0, 0, -1));
    }

    void cleanup() {
        stack->clear();
        grid.reset();
        context = EditingContext();
        stack.reset();
    }

    void cellEditMovesOneChannel() {
        build(10);
        const ChannelList<AstraHDChannel> before = list;
        typeInto(grid.get(), rowOf(8), Grid::NUMBER_COLUMN, QStringLiteral("3"));
        QCOMPARE(rangeOrder(), QList<int>({1, 2, 8, 3, 4, 5, 6, 7, 9, 10}));
        QCOMPARE(grid->questions, 0);
        verifyUndoRedo(*stack, list, before);
    }

    void checkedBlockMovesThroughTheDialog() {
        build(10);
        const ChannelList<AstraHDChannel> before = list;
        check({2, 9});
        grid->numberAnswers << 1;
        grid->actionRenumberMove();
        QCOMPARE(grid->dialogMaxima, QList<int>({9}));
        QCOMPARE(rangeOrder(), QList<int>({2, 9, 1, 3, 4, 5, 6, 7, 8, 10}));
        verifyUndoRedo(*stack, list, before);
    }

    void cellEditActsOnTheEditedRowUnlessItIsChecked() {
        build(10);
        check({1, 2});
        typeInto(grid.get(), rowOf(8), Grid::NUMBER_COLUMN, QStringLiteral("3"));
        QCOMPARE(grid->questions, 0);
        QCOMPARE(rangeOrder(), QList<int>({1, 2, 8, 3, 4, 5, 6, 7, 9, 10}));
    }

    void invalidMoveTargetsAreRefused_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("text") << QStringLiteral("x");
        QTest::newRow("above the range") << QStringLiteral("11");
    }

    void invalidMoveTargetsAreRefused() {
        QFETCH(QString, text);
        build(10);
        const ChannelList<AstraHDChannel> before = list;
        const int row = rowOf(5);
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, text);
        QCOMPARE(grid->messages,
                 QStringList({QStringLiteral(
                     "Invalid channel number!|The channel number must be in the range 1..10")}));
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("5"));
        QVERIFY(list == before);
        QCOMPARE(stack->count(), 0);
    }

    void moveWithoutSelectionOrBelowOneIsRefused() {
        build(10);
        grid->clearCurrent();
        QVERIFY(!grid->actionAstraHDMove(3));
        grid->setCurrentCell(rowOf(4), 1);
        QVERIFY(!grid->actionAstraHDMove(-1));
        QCOMPARE(stack->count(), 0);
        QVERIFY(grid->actionAstraHDMove(1));
        QCOMPARE(numberOf(4), 1);
    }

    void deleteClosesTheGapAndRepacksFavourites() {
        build(10);
        // List 1: 1 at 1, 5 at 2, 7 at 3, and 9 at 4; 9 is a radio channel filtered out.
        list[0].setFavouritePosition(1, 1);
        list[4].setFavouritePosition(1, 2);
        list[6].setFavouritePosition(1, 3);
        list[8] = AstraHDChannel(3009, QStringLiteral("H9"), 9, 1, 1, 7, 9, 3, nullptr, 0, 2, false, false, 0,
                                 1, 1);
        list[8].setFavouritePosition(1, 4);
        fillGrid();
        grid->filter(1, 0, -1, Grid::CLEAR_CURRENT, true, false);
        const ChannelList<AstraHDChannel> before = list;
        grid->setCurrentCell(rowOf(5), 1);
        grid->deleteAstraHDChannels();
        QVERIFY(list[4].isDeleted());
        QCOMPARE(rangeOrder(), QList<int>({1, 2, 3, 4, 6, 7, 8, 9, 10}));
        QCOMPARE(rangeNumbers(), range(1, 9));
        QCOMPARE(list[0].favouritePosition(1), 1);
        QCOMPARE(list[6].favouritePosition(1), 2);
        QCOMPARE(list[8].favouritePosition(1), 3);
        verifyUndoRedo(*stack, list, before);
    }

    void deleteOfCheckedChannelsInAUniversalList() {
        build(6, {200}, false, false);
        const ChannelList<AstraHDChannel> before = list;
        check({2, 4});
        grid->deleteAstraHDChannels();
        QCOMPARE(rangeOrder(), QList<int>({1, 3, 5, 6}));
        QCOMPARE(rangeNumbers(), range(1, 4));
        QCOMPARE(numberOf(200), 200);
        verifyUndoRedo(*stack, list, before);
    }

    void undoOfADeleteCheckMarksTheRestoredChannels() {
        // Every channel of the range is in favourites list 1, so the delete also repacks that list.
        build(6);
        for (int i = 0; i < 6; ++i)
            list[i].setFavouritePosition(1, i + 1);
        fillGrid();
        check({2, 4});
        grid->deleteAstraHDChannels();
        stack->undo();
        QVERIFY(grid->isRowChecked(rowOf(2)));
        QVERIFY(grid->isRowChecked(rowOf(4)));
        QCOMPARE(grid->checkedCount(), 2);
    }

    void deleteGivesMembersWithoutAPositionTheirPlaceAfterTheOthers() {
        build(6);
        // List 2: 2 at 1, 4 a member without a position, 5 at 2 and 6 at 3.
        list[1].setFavouritePosition(2, 1);
        list[3].setFavouritePosition(2, -2);
        list[4].setFavouritePosition(2, 2);
        list[5].setFavouritePosition(2, 3);
        fillGrid();
        const ChannelList<AstraHDChannel> before = list;
        grid->setCurrentCell(rowOf(2), 1);
        grid->deleteAstraHDChannels();
        QCOMPARE(list[4].favouritePosition(2), 1);
        QCOMPARE(list[5].favouritePosition(2), 2);
        QCOMPARE(list[3].favouritePosition(2), 3);
        verifyUndoRedo(*stack, list, before);
    }

    void deleteRefusesARangeHoldingMoreChannelsThanNumbers() {
        // A universal list: channels 1 to 99 and two more on the numbers 50 and 60.
        build(99, {}, false);
        list.append(astra(50));
        list.append(astra(60));
        fillGrid();
        const ChannelList<AstraHDChannel> before = list;
        grid->setCurrentCell(rowOf(10), 1);
        grid->deleteAstraHDChannels();
        QCOMPARE(stack->count(), 0);
        QVERIFY(list == before);

        // One channel more than numbers: after the delete the rest fits 1 to 99, each on its own number.
        build(99, {}, false);
        list.append(astra(50));
        fillGrid();
        grid->setCurrentCell(rowOf(10), 1);
        grid->deleteAstraHDChannels();
        QCOMPARE(stack->count(), 1);
        QCOMPARE(rangeNumbers(), range(1, 99));
    }

    void nameOfAnAnalogueRecordStaysWithItsChannel() {
        build(3);
        // The channel takes no new name, so its Name cell takes none either.
        list[1] = AstraHDChannel(3002, QStringLiteral("H2"), 2, 1, 1, 7, 2, 3, nullptr, 0, 1, false, false,
                                 Channel::ANALOGUE, 1, 1);
        fillGrid();
        const int row = rowOfService(grid.get(), list, 3002);
        QTableWidgetItem *cell = grid->item(row, grid->columnIndex(Grid::NAME_COLUMN));
        QVERIFY(!(cell->flags() & Qt::ItemIsEditable));
        typeInto(grid.get(), row, Grid::NAME_COLUMN, QStringLiteral("NEW"));
        QCOMPARE(list[1].name(), QStringLiteral("H2"));
        QCOMPARE(cell->text(), QStringLiteral("H2"));
        QCOMPARE(stack->count(), 0);
    }

    void copyShiftsTheRangeIntoPlaceholders() {
        build(10);
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151});
        grid->numberAnswers << 3;
        grid->actionAstraHDCopy();
        QCOMPARE(grid->dialogMaxima, QList<int>({11}));
        QCOMPARE(rangeOrder(), QList<int>({1, 2, 150, 151, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(rangeNumbers(), range(1, 12));
        // The sources stay outside the range, unchecked.
        QCOMPARE(list[list.size() - 3].number(), quint16(150));
        QCOMPARE(list[list.size() - 3].serviceId(), 3150);
        QCOMPARE(grid->checkedCount(), 0);
        verifyUndoRedo(*stack, list, before);
    }

    // A copy looks at every row of the list; on an ordinary run it writes nothing to the terminal.
    void copyPrintsNothing() {
        build(98);
        check({150});
        grid->numberAnswers << 3;
        static int printed;
        printed = 0;
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) { ++printed; });
        grid->actionAstraHDCopy();
        qInstallMessageHandler(previous);
        QCOMPARE(rangeNumbers(), range(1, 99));
        QCOMPARE(printed, 0);
    }

    void copyThatOverflowsDropsTheEndOfTheRange() {
        build(98);
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151, 152});
        grid->numberAnswers << 50;
        grid->actionAstraHDCopy();
        QCOMPARE(grid->messages.size(), 1);
        QVERIFY(
            grid->messages.first().startsWith(QStringLiteral("Channel copy|Number of selected channels")));
        QList<int> expected = range(1, 49);
        expected << 150 << 151 << 152 << range(50, 96);
        QCOMPARE(rangeOrder(), expected);
        QCOMPARE(rangeNumbers(), range(1, 99));
        verifyUndoRedo(*stack, list, before);
    }

    void copyThatOverflowsCanBeCancelled() {
        build(98);
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151, 152});
        grid->messageAnswers << QDialogButtonBox::Cancel;
        grid->actionAstraHDCopy();
        QVERIFY(list == before);
        QCOMPARE(grid->questions, 0);
        QCOMPARE(grid->checkedCount(), 3);
    }

    void copyBehindAShortRangeUsesOnePlaceholderEach() {
        build(5);
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151, 152});
        grid->numberAnswers << 4;
        grid->actionAstraHDCopy();
        QCOMPARE(rangeOrder(), QList<int>({1, 2, 3, 150, 151, 152, 4, 5}));
        QCOMPARE(rangeNumbers(), range(1, 8));
        verifyUndoRedo(*stack, list, before);
    }

    void copyIntoAnEmptyRange() {
        build(0);
        check({151, 152});
        grid->numberAnswers << 1;
        grid->actionAstraHDCopy();
        QCOMPARE(grid->dialogMaxima, QList<int>({1}));
        QCOMPARE(rangeOrder(), QList<int>({151, 152}));
    }

    void copyWithoutFreeSlotsChangesNothing() {
        // A universal list has no placeholders: there is nowhere to put a copy.
        build(5, {150, 151}, false);
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151});
        grid->numberAnswers << 2;
        grid->actionAstraHDCopy();
        // The message says why, instead of counting the free numbers 6 to 99 it cannot use.
        QCOMPARE(grid->messages, QStringList({QStringLiteral(
                                     "Channel copy|There are no empty positions in the favourite range to "
                                     "copy into: a copy takes the place of a deleted channel of the "
                                     "range, and this list has none. Nothing was copied.")}));
        QVERIFY(list == before);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(grid->checkedCount(), 2);
    }

    void copyNeedsEverySlotOrNone() {
        // Range 1..97 with two placeholders, three copies at 1: both placeholders are taken and the last
        // channel of the range drops out.
        build(97);
        check({150, 151, 152});
        grid->numberAnswers << 1;
        grid->actionAstraHDCopy();
        QCOMPARE(rangeNumbers(), range(1, 99));
        QCOMPARE(rangeOrder().mid(0, 4), QList<int>({150, 151, 152, 1}));

        // A universal range with one deleted channel: a copy of two needs two free numbers.
        build(4, {150, 151}, false);
        grid->setCurrentCell(rowOf(4), 1);
        grid->deleteAstraHDChannels();
        stack->clear();
        QCOMPARE(rangeNumbers(), range(1, 3));
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151});
        grid->numberAnswers << 4;
        grid->actionAstraHDCopy();
        QVERIFY(list == before);
        QCOMPARE(stack->count(), 0);
        grid->deselectAll();
        // One channel fits into the one free slot.
        grid->setCurrentCell(rowOf(150), 1);
        grid->numberAnswers << 2;
        grid->actionAstraHDCopy();
        QCOMPARE(rangeOrder(), QList<int>({1, 150, 2, 3}));
        QVERIFY(numbersUnique(list));
    }

    void copyRefusesChannelsOfTheRangeAndMoreThan99() {
        build(10);
        grid->setCurrentCell(rowOf(3), 1);
        grid->numberAnswers << 1;
        grid->actionAstraHDCopy();
        QCOMPARE(stack->count(), 0);
        QCOMPARE(grid->questions, 0);

        QList<int> outside;
        for (int n = 100; n < 200; ++n)
            outside << n;
        build(0, outside);
        grid->selectAll();
        QCOMPARE(grid->checkedCount(), 100);
        grid->actionAstraHDCopy();
        QCOMPARE(grid->messages,
                 QStringList({QStringLiteral("Channel copy conflict!|Cannot copy more than 99 channels into "
                                             "favourite channels range (1..99).")}));
        QCOMPARE(stack->count(), 0);
    }

    void copiesContinueTheFavouritesPositions() {
        build(3);
        // List 2 holds positions 1 to 7 on channels of the range and outside it.
        for (int i = 0; i < 3; ++i)
            list[i].setFavouritePosition(2, i + 1);
        const int first150 = list.size() - 3;
        for (int i = 0; i < 3; ++i)
            list[first150 + i].setFavouritePosition(2, 5 + i);
        list[first150].setFavouritePosition(4, -2);
        fillGrid();
        const ChannelList<AstraHDChannel> before = list;
        check({150, 151});
        grid->numberAnswers << 4;
        grid->actionAstraHDCopy();
        const AstraHDChannel *copy150 = nullptr;
        const AstraHDChannel *copy151 = nullptr;
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.number() == 4)
                copy150 = &c;
            if (!c.isDeleted() && c.number() == 5)
                copy151 = &c;
        }
        QVERIFY(copy150 && copy151);
        QCOMPARE(copy150->serviceId(), 3150);
        QCOMPARE(copy150->favouritePosition(2), 8);
        QCOMPARE(copy151->favouritePosition(2), 9);
        QCOMPARE(copy150->favouritePosition(4), -2);
        QCOMPARE(copy150->favouritePosition(1), -1);
        QVERIFY(positionsUnique(list));
        verifyUndoRedo(*stack, list, before);
    }

    void copiesPackAFavouritesListWhoseLastPositionIsTaken() {
        // A file keeps positions up to 65535; a copy after it would share that position.
        build(3);
        const int first150 = list.size() - 3;
        list[0].setFavouritePosition(2, 1);
        list[first150].setFavouritePosition(2, 65535);
        fillGrid();
        const ChannelList<AstraHDChannel> before = list;
        check({150});
        grid->numberAnswers << 4;
        grid->actionAstraHDCopy();
        const AstraHDChannel *copy = nullptr;
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.number() == 4)
                copy = &c;
        }
        QVERIFY(copy && copy->serviceId() == 3150);
        QCOMPARE(list[0].favouritePosition(2), 1);
        QCOMPARE(list[first150].favouritePosition(2), 2);
        QCOMPARE(copy->favouritePosition(2), 3);
        verifyUndoRedo(*stack, list, before);
    }
};

QTEST_MAIN(TestEditingAstraHD)
#include "tst_editingastrahd.moc"
