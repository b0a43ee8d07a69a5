#include "editingfixture.h"

#include <QRandomGenerator>
#include <QTest>

using namespace EditingFixture;

namespace {

class RandomAstraGrid : public ScriptedGrid {
public:
    explicit RandomAstraGrid(bool ordered) : ScriptedGrid(Grid::ASTRA_HD_LIST, ordered) {}
    using MainGrid::deleteAstraHDChannels;
};

const QDialogButtonBox::StandardButton swapAnswers[] = {QDialogButtonBox::Yes, QDialogButtonBox::YesToAll,
                                                        QDialogButtonBox::No, QDialogButtonBox::NoToAll,
                                                        QDialogButtonBox::Cancel};
const QDialogButtonBox::StandardButton pushAnswers[] = {QDialogButtonBox::Yes, QDialogButtonBox::No,
                                                        QDialogButtonBox::Cancel};
const int categoryMasks[] = {7, 7, 7, 1, 2, 4, 3};

} // namespace

// Long random sequences of edits with random answers to every question. After every step no two live
// channels of one kind share a number and, where the lists keep an order, no favourites list has two live
// members on one position; undoing every step gives back the document of the start.
class TestEditingRandom : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    EditingContext context;
    QRandomGenerator random;

    int pick(int n) { return n <= 0 ? 0 : int(random.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    QList<int> visibleRows(Grid *grid) {
        QList<int> rows;
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->isRowVisible(row))
                rows << row;
        }
        return rows;
    }

    // Random check marks and a random current row.
    void shuffleSelection(Grid *grid) {
        const QList<int> rows = visibleRows(grid);
        if (chance(50))
            grid->deselectAll();
        const int marks = chance(50) ? 0 : pick(5);
        for (int i = 0; i < marks && !rows.isEmpty(); ++i) {
            const int row = rows.at(pick(rows.size()));
            if (grid->isRowEnabled(row))
                grid->setRowChecked(row, !grid->isRowChecked(row));
        }
        if (chance(20) || rows.isEmpty())
            grid->clearCurrent();
        else
            grid->setCurrentCell(rows.at(pick(rows.size())), 1);
    }

    template <typename T> void verifyInvariants(const ChannelList<T> &list, bool ordered, int step) {
        if (!numbersUnique(list))
            QFAIL(qPrintable(QStringLiteral("duplicate number after step %1").arg(step)));
        if (ordered && !positionsUnique(list))
            QFAIL(qPrintable(QStringLiteral("duplicate favourites position after step %1").arg(step)));
    }

    void undoEverything() {
        while (stack->canUndo())
            stack->undo();
    }

    void answerRandomly(ScriptedGrid *grid, int low, int high) {
        grid->swapConfirmations = {chance(70)};
        grid->swapAnswers.clear();
        for (int i = 0; i < 6; ++i)
            grid->swapAnswers << swapAnswers[pick(5)];
        grid->pushDownAnswers = {pushAnswers[pick(3)]};
        grid->numberAnswers = {low + pick(high - low + 1)};
        grid->messageAnswers = {chance(80) ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel};
    }

    QString randomNumberText(int high) {
        switch (pick(10)) {
        case 0:
            return QStringLiteral("x%1").arg(pick(9));
        case 1:
            return QString::number(pick(3) - 1);
        case 2:
            return QString::number(high - 1 + pick(3));
        default:
            return QString::number(pick(high + 1));
        }
    }

    void runMainTable(quint32 seed, bool ordered) {
        random.seed(seed);
        ChannelList<AirChannel> air;
        // Digital and analogue channels of all three categories, with gaps, some in favourites lists.
        int position[5] = {0, 0, 0, 0, 0};
        for (int n = 1; n <= 40; ++n) {
            if (chance(30))
                continue;
            AirChannel &c = air.append(digital(quint16(n), 1 + pick(3)));
            for (quint16 fav = 1; fav <= 5; ++fav) {
                if (chance(30))
                    c.setFavouritePosition(fav, ordered ? ++position[fav - 1] : -2);
            }
        }
        for (int n = 0; n <= 20; ++n) {
            if (!chance(60))
                continue;
            AirChannel &c = air.append(analogue(quint16(n), 1 + pick(2)));
            if (chance(30))
                c.setFavouritePosition(1, ordered ? ++position[0] : -2);
        }
        air.append(digital(9998));
        air.append(analogue(99));
        const ChannelList<AirChannel> start = air;

        ScriptedGrid grid(Grid::AIR_LIST, ordered);
        fill(&grid, air);
        context.mainGrid = &grid;
        grid.enableFavouriteActions(5);
        grid.filter(7, 0, -1, Grid::CLEAR_CURRENT, true, false);

        for (int round = 0; round < 3; ++round) {
            for (int step = 0; step < 100; ++step) {
                MainGrid::setInsertMode(chance(50));
                if (chance(15)) {
                    const int mask = categoryMasks[pick(7)];
                    grid.filter(mask, 0, -1, Grid::CLEAR_CURRENT, true, false);
                    stack->setState(UndoState(0, mask, 0, 0, -1));
                }
                shuffleSelection(&grid);
                const QList<int> rows = visibleRows(&grid);
                if (rows.isEmpty())
                    break;
                const int row = rows.at(pick(rows.size()));
                const int kind = grid.channelKindAt(row);
                answerRandomly(&grid, 0, kind == Channel::ANALOGUE ? 99 : 60);
                switch (pick(11)) {
                case 0:
                case 1:
                case 2:
                    typeInto(&grid, row, Grid::NUMBER_COLUMN,
                             randomNumberText(kind == Channel::ANALOGUE ? 30 : 60));
                    break;
                case 3:
                    grid.actionRenumberMove();
                    break;
                case 4:
                    if (grid.checkedCount() >= 2)
                        grid.actionMove();
                    else
                        grid.moveToNumber(pick(60) + 1, kind, false, -1);
                    break;
                case 5: {
                    // A drop beside a row of the dragged kind, as the drag-move check allows it.
                    const bool mixed = grid.checkedDigitalCount() > 0 && grid.checkedAnalogueCount() > 0;
                    if (grid.isRowChecked(row) && mixed)
                        break;
                    QList<int> sameKind;
                    for (int r : rows) {
                        if (grid.channelKindAt(r) == kind)
                            sameKind << r;
                    }
                    const int anchor = sameKind.at(pick(sameKind.size()));
                    if (chance(25))
                        grid.dropAt(row, -1, grid.firstVisibleRowOfKind(kind), true);
                    else
                        grid.dropAt(row, anchor, -1, false);
                    break;
                }
                case 6:
                    typeInto(&grid, row, Grid::NAME_COLUMN,
                             chance(70) ? QStringLiteral("N%1").arg(pick(100)) : QStringLiteral("bad_name"));
                    break;
                case 7:
                    grid.setChildLock(chance(50));
                    break;
                case 8:
                    grid.setFavourite(1 + pick(5), chance(60));
                    break;
                case 9:
                    if (chance(50))
                        grid.deleteChannels();
                    break;
                default:
                    if (chance(50))
                        stack->undo();
                    else
                        stack->redo();
                    break;
                }
                verifyInvariants(air, ordered, step);
                if (QTest::currentTestFailed())
                    return;
            }
            undoEverything();
            QVERIFY2(air == start, qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
            stack->clear();
        }
        context.mainGrid = nullptr;
    }

    // The Astra HD+ range is also kept without gaps.
    void verifyRange(const ChannelList<AstraHDChannel> &list, int step) {
        QList<int> numbers;
        for (const AstraHDChannel &c : list) {
            if (!c.isDeleted() && c.number() >= 1 && c.number() <= 99)
                numbers << c.number();
        }
        std::sort(numbers.begin(), numbers.end());
        for (int i = 0; i < numbers.size(); ++i) {
            if (numbers.at(i) != i + 1)
                QFAIL(qPrintable(QStringLiteral("gap in the favourite range after step %1").arg(step)));
        }
    }

    void runAstraHD(quint32 seed, bool rawStyle) {
        random.seed(seed);
        ChannelList<AstraHDChannel> list;
        const int used = 10 + pick(80);
        int position[5] = {0, 0, 0, 0, 0};
        for (int n = 1; n <= used; ++n)
            list.append(astra(quint16(n), 1 + pick(3)));
        if (rawStyle) {
            for (int n = used + 1; n <= 99; ++n)
                list.append(AstraHDChannel::placeholder(quint16(n)));
        }
        for (int n = 0; n < 30; ++n)
            list.append(astra(quint16(100 + n * 7), 1 + pick(3)));
        if (rawStyle) {
            // Ordered favourites positions over the whole list, inside and outside the range.
            for (int i = 0; i < list.size(); ++i) {
                AstraHDChannel &c = list[i];
                if (c.isDeleted())
                    continue;
                for (quint16 fav = 1; fav <= 5; ++fav) {
                    if (chance(20))
                        c.setFavouritePosition(fav, ++position[fav - 1]);
                }
            }
        }
        for (int i = 0; i < list.size(); ++i)
            list[i].setModified(false);
        const ChannelList<AstraHDChannel> start = list;

        RandomAstraGrid grid(rawStyle);
        fill(&grid, list);
        context.mainGrid = &grid;
        grid.filter(7, 0, -1, Grid::CLEAR_CURRENT, true, false);

        for (int round = 0; round < 3; ++round) {
            for (int step = 0; step < 100; ++step) {
                if (chance(15)) {
                    const int mask = categoryMasks[pick(7)];
                    grid.filter(mask, 0, -1, Grid::CLEAR_CURRENT, true, false);
                    stack->setState(UndoState(3, mask, 0, 0, -1));
                }
                shuffleSelection(&grid);
                const QList<int> rows = visibleRows(&grid);
                if (rows.isEmpty())
                    break;
                const int row = rows.at(pick(rows.size()));
                int highest = 0;
                for (const AstraHDChannel &c : list) {
                    if (!c.isDeleted() && c.number() <= 99)
                        highest = std::max(highest, int(c.number()));
                }
                answerRandomly(&grid, 1, std::max(1, highest));
                switch (pick(7)) {
                case 0:
                case 1:
                    if (grid.channelAt(row)->number() <= 99)
                        typeInto(&grid, row, Grid::NUMBER_COLUMN, randomNumberText(highest + 1));
                    break;
                case 2:
                    grid.actionAstraHDMove(pick(highest + 2));
                    break;
                case 3:
                    if (grid.isDeleteEnabled())
                        grid.deleteAstraHDChannels();
                    break;
                case 4:
                case 5:
                    if (grid.isAstraHDCopyEnabled())
                        grid.actionAstraHDCopy();
                    break;
                default:
                    if (chance(50))
                        stack->undo();
                    else
                        stack->redo();
                    break;
                }
                verifyInvariants(list, rawStyle, step);
                verifyRange(list, step);
                if (QTest::currentTestFailed())
                    return;
            }
            undoEverything();
            QVERIFY2(list == start, qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
            stack->clear();
        }
        context.mainGrid = nullptr;
    }

    void runFavourites(quint32 seed, bool ordered) {
        random.seed(seed);
        ChannelList<AirChannel> air;
        int position = 0;
        for (int n = 1; n <= 30; ++n) {
            AirChannel &c = air.append(digital(quint16(n), 1 + pick(3)));
            if (chance(40))
                c.setFavouritePosition(3, ordered ? ++position : -2);
        }
        const ChannelList<AirChannel> start = air;

        ScriptedFavGrid left(Grid::AIR_LIST, false, !ordered);
        ScriptedFavGrid right(Grid::AIR_LIST, ordered, !ordered);
        fill(&left, air);
        fill(&right, air);
        if (ordered)
            right.setFavouriteIndex(3);
        context.leftFav = &left;
        context.rightFav = &right;
        int mask = 7;
        left.applyFilter(mask, 3, -1, Grid::CLEAR_CURRENT, true, false);
        right.filter(mask, 3, -1, Grid::CLEAR_CURRENT, true, false);

        for (int round = 0; round < 3; ++round) {
            for (int step = 0; step < 100; ++step) {
                if (chance(15)) {
                    mask = categoryMasks[pick(7)];
                    left.applyFilter(mask, 3, -1, Grid::CLEAR_CURRENT, true, false);
                    right.filter(mask, 3, -1, Grid::CLEAR_CURRENT, true, false);
                }
                shuffleSelection(&left);
                shuffleSelection(&right);
                right.positionAnswers = {1 + pick(30)};
                switch (pick(4)) {
                case 0:
                    left.setFavourite(3, true);
                    break;
                case 1:
                    right.setFavourite(3, false);
                    break;
                case 2:
                    right.on_moveMyChannels(true);
                    break;
                default:
                    if (chance(50))
                        stack->undo();
                    else
                        stack->redo();
                    break;
                }
                verifyInvariants(air, ordered, step);
                if (QTest::currentTestFailed())
                    return;
            }
            undoEverything();
            QVERIFY2(air == start, qPrintable(QStringLiteral("seed %1 round %2").arg(seed).arg(round)));
            stack->clear();
        }
        context.leftFav = nullptr;
        context.rightFav = nullptr;
    }

private slots:
    void init() {
        stack = std::make_unique<UndoStack>();
        // Every step of a round must stay undoable.
        stack->setUndoLimit(0);
        Grid::initStatics(stack.get());
        stack->setOwner(&context);
        stack->setState(UndoState(0, 7, 0, 0, -1));
    }

    void cleanup() {
        stack->clear();
        context = EditingContext();
        stack.reset();
        MainGrid::setInsertMode(false);
    }

    void mainTable_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("ordered");
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::addRow("seed %u %s", seed, seed % 2 ? "ordered" : "membership only")
                << seed << bool(seed % 2);
    }

    void mainTable() {
        QFETCH(quint32, seed);
        QFETCH(bool, ordered);
        runMainTable(seed, ordered);
    }

    void astraHD_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("rawStyle");
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::addRow("seed %u %s", seed, seed % 2 ? "raw" : "universal") << seed << bool(seed % 2);
    }

    void astraHD() {
        QFETCH(quint32, seed);
        QFETCH(bool, rawStyle);
        runAstraHD(seed, rawStyle);
    }

    void favourites_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("ordered");
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::addRow("seed %u %s", seed, seed % 2 ? "ordered" : "membership only")
                << seed << bool(seed % 2);
    }

    void favourites() {
        QFETCH(quint32, seed);
        QFETCH(bool, ordered);
        runFavourites(seed, ordered);
    }
};

QTEST_MAIN(TestEditingRandom)
#include "tst_editingrandom.moc"
