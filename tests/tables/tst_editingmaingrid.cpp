#include "editingfixture.h"

#include "dialogs/movedialog.h"
#include "support/modalhelper.h"
#include "widgets/custommessagebox.h"
#include "widgets/styledspinbox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace EditingFixture;

// Number and name edits, moves and drops of the main table: each edit undone gives back the channels of
// before it, redo the edited ones, and no edit ever leaves two live channels of one kind on one number.
class TestEditingMainGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<UndoStack> stack;
    EditingContext context;
    ChannelList<AirChannel> air;
    std::unique_ptr<ScriptedGrid> grid;

    // Digital channels with these numbers (TV, or radio for the numbers in `radio`), then analogue ones.
    void build(std::initializer_list<int> digitalNumbers, std::initializer_list<int> analogueNumbers = {},
               QSet<int> radio = {}) {
        grid.reset();
        air.clear();
        for (int n : digitalNumbers)
            air.append(digital(quint16(n), radio.contains(n) ? 2 : 1));
        for (int n : analogueNumbers)
            air.append(analogue(quint16(n), radio.contains(n) ? 2 : 1));
        grid = std::make_unique<ScriptedGrid>(Grid::AIR_LIST, true);
        fill(grid.get(), air);
        context.mainGrid = grid.get();
        grid->filter(7, 0, -1, Grid::CLEAR_CURRENT, true, false);
    }

    int rowOf(int number, int kind = Channel::DIGITAL) {
        return grid->rowOfNumber(number, kind == Channel::ANALOGUE);
    }
    int rowOfServiceId(int serviceId) { return rowOfService(grid.get(), air, serviceId); }
    void makeCurrent(int row) { grid->setCurrentCell(row, 1); }
    void check(std::initializer_list<int> numbers, int kind = Channel::DIGITAL) {
        for (int n : numbers)
            grid->setRowChecked(rowOf(n, kind), true);
    }
    int numberOfService(int serviceId) const {
        for (const AirChannel &c : air) {
            if (c.serviceId() == serviceId)
                return c.number();
        }
        return -1;
    }

private slots:
    void init() {
        stack = std::make_unique<UndoStack>();
        Grid::initStatics(stack.get());
        stack->setOwner(&context);
        stack->setState(UndoState(0, 7, 0, 0, -1));
        MainGrid::setInsertMode(false);
    }

    void cleanup() {
        stack->clear();
        grid.reset();
        context = EditingContext();
        stack.reset();
    }

    void numberEditToFreeNumber() {
        build({1, 2, 3});
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(2);
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("7"));
        QCOMPARE(numberOfService(1002), 7);
        QCOMPARE(numberText(grid.get(), grid->rowOfChannel(air.channelAt(1))), QStringLiteral("7"));
        QCOMPARE(grid->questions, 0);
        verifyUndoRedo(*stack, air, before);
        QCOMPARE(numberText(grid.get(), grid->rowOfChannel(air.channelAt(1))), QStringLiteral("2"));
    }

    void numberEditOutsideRangeIsRefused_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("digital 0") << int(Channel::DIGITAL) << QStringLiteral("0");
        QTest::newRow("digital 10000") << int(Channel::DIGITAL) << QStringLiteral("10000");
        QTest::newRow("digital text") << int(Channel::DIGITAL) << QStringLiteral("abc");
        QTest::newRow("digital empty") << int(Channel::DIGITAL) << QString();
        QTest::newRow("analogue 100") << int(Channel::ANALOGUE) << QStringLiteral("100");
        QTest::newRow("analogue negative") << int(Channel::ANALOGUE) << QStringLiteral("-1");
    }

    void numberEditOutsideRangeIsRefused() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        build({1, 2}, {1, 2});
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(2, kind);
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, text);
        QVERIFY(air == before);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("2"));
        QCOMPARE(grid->messages.size(), 1);
        const QString range = kind == Channel::ANALOGUE
                                  ? QStringLiteral("Analogue channel number has to be in range 0-99.")
                                  : QStringLiteral("Digital channel number has to be in range 1-9999.");
        QCOMPARE(grid->messages.first(), QStringLiteral("Invalid channel number!|") + range);
    }

    void analogueTakesZeroAndDigitalTheTopOfItsRange() {
        build({1}, {5});
        typeInto(grid.get(), rowOf(5, Channel::ANALOGUE), Grid::NUMBER_COLUMN, QStringLiteral("0"));
        QCOMPARE(numberOfService(2005), 0);
        typeInto(grid.get(), rowOf(1), Grid::NUMBER_COLUMN, QStringLiteral("9999"));
        QCOMPARE(numberOfService(1001), 9999);
        QVERIFY(grid->messages.isEmpty());
        // Analogue and digital numbers are separate: analogue 1 may join digital 1.
        typeInto(grid.get(), rowOf(0, Channel::ANALOGUE), Grid::NUMBER_COLUMN, QStringLiteral("9999"));
        QCOMPARE(numberOfService(2005), 0);
        QCOMPARE(grid->messages.size(), 1);
    }

    void ownNumberInOtherTextChangesNothing() {
        build({1, 5});
        const int row = rowOf(5);
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("05"));
        QCOMPARE(stack->count(), 0);
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("5"));
        QCOMPARE(grid->questions, 0);
    }

    void swapModeSwapsAfterConfirmation() {
        build({1, 2, 3});
        const ChannelList<AirChannel> before = air;
        grid->swapConfirmations << true;
        typeInto(grid.get(), rowOf(3), Grid::NUMBER_COLUMN, QStringLiteral("1"));
        QCOMPARE(numberOfService(1003), 1);
        QCOMPARE(numberOfService(1001), 3);
        QVERIFY(numbersUnique(air));
        verifyUndoRedo(*stack, air, before);
    }

    void swapDeclinedRestoresTheCell() {
        build({1, 2, 3});
        const ChannelList<AirChannel> before = air;
        grid->swapConfirmations << false;
        const int row = rowOf(3);
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("1"));
        QVERIFY(air == before);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("3"));
    }

    void hiddenChannelCountsAsTaken() {
        // Channel 2 is a radio channel, hidden by a TV-only filter.
        build({1, 2, 3}, {}, {2});
        grid->filter(1, 0, -1, Grid::CLEAR_CURRENT, true, false);
        QVERIFY(!grid->isRowVisible(rowOf(2)));
        grid->swapConfirmations << true;
        typeInto(grid.get(), rowOf(3), Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QCOMPARE(grid->questions, 1);
        QCOMPARE(numberOfService(1003), 2);
        QCOMPARE(numberOfService(1002), 3);
        QVERIFY(numbersUnique(air));
    }

    void insertModePushesDown() {
        build({}, {1, 2, 3, 4, 5});
        MainGrid::setInsertMode(true);
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(5, Channel::ANALOGUE);
        makeCurrent(row);
        grid->pushDownAnswers << QDialogButtonBox::Yes;
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QCOMPARE(numberOfService(2001), 1);
        QCOMPARE(numberOfService(2005), 2);
        QCOMPARE(numberOfService(2002), 3);
        QCOMPARE(numberOfService(2003), 4);
        QCOMPARE(numberOfService(2004), 5);
        verifyUndoRedo(*stack, air, before);
    }

    void insertModeFillsTheEmptySlot() {
        build({}, {1, 2, 3, 5, 6});
        MainGrid::setInsertMode(true);
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(6, Channel::ANALOGUE);
        makeCurrent(row);
        grid->pushDownAnswers << QDialogButtonBox::No;
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QCOMPARE(liveNumbers(air), QList<int>({1, 2, 3, 5, 4}));
        verifyUndoRedo(*stack, air, before);
    }

    void insertModeCancelOrNoRoomRestoresTheCell() {
        build({}, {1, 2, 98, 99});
        MainGrid::setInsertMode(true);
        const ChannelList<AirChannel> before = air;
        int row = rowOf(1, Channel::ANALOGUE);
        makeCurrent(row);
        // 98 and 99 taken, nothing above: no room, no question.
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("98"));
        QCOMPARE(grid->questions, 0);
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("1"));
        // Room, but the question is cancelled.
        grid->pushDownAnswers << QDialogButtonBox::Cancel;
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QCOMPARE(grid->questions, 1);
        QVERIFY(air == before);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(numberText(grid.get(), row), QStringLiteral("1"));
    }

    void insertModeTreatsHiddenChannelsAsObstacles() {
        // Analogue 3 is a radio channel hidden by the TV filter; it must be pushed along, not overrun.
        build({}, {1, 2, 3, 4, 5}, {3});
        grid->filter(1, 0, -1, Grid::CLEAR_CURRENT, true, false);
        MainGrid::setInsertMode(true);
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(5, Channel::ANALOGUE);
        makeCurrent(row);
        grid->pushDownAnswers << QDialogButtonBox::Yes;
        typeInto(grid.get(), row, Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QVERIFY(numbersUnique(air));
        QCOMPARE(liveNumbers(air), QList<int>({1, 3, 4, 5, 2}));
        verifyUndoRedo(*stack, air, before);

        // No (empty slot): the hidden 3 is not an empty slot either.
        grid->pushDownAnswers << QDialogButtonBox::No;
        makeCurrent(rowOf(5, Channel::ANALOGUE));
        typeInto(grid.get(), rowOf(5, Channel::ANALOGUE), Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QVERIFY(numbersUnique(air));
        QCOMPARE(liveNumbers(air), QList<int>({1, 2, 3, 4, 5}));
    }

    void moveToNumberWithNothingToMoveReportsFalse() {
        build({1, 2, 3});
        MainGrid::setInsertMode(true);
        grid->clearCurrent();
        QVERIFY(!grid->moveToNumber(2, Channel::DIGITAL, false, rowOf(3)));
        QVERIFY(!grid->moveToNumber(2, Channel::DIGITAL, true, -1));
        QCOMPARE(stack->count(), 0);
        // The cell edit of a row that is neither checked nor current gets its number back.
        typeInto(grid.get(), rowOf(3), Grid::NUMBER_COLUMN, QStringLiteral("2"));
        QCOMPARE(numberText(grid.get(), rowOf(3)), QStringLiteral("3"));
        QCOMPARE(stack->count(), 0);
    }

    void moveDialogInInsertModeWithoutConflictAsksNothing() {
        build({1, 2, 3, 10, 11, 20});
        MainGrid::setInsertMode(true);
        const ChannelList<AirChannel> before = air;
        check({1, 2});
        grid->numberAnswers << 8;
        grid->actionMove();
        // 8 and 9 for the block; 10 and 11 stand right behind it and keep their numbers.
        QCOMPARE(liveNumbers(air), QList<int>({8, 9, 3, 10, 11, 20}));
        QCOMPARE(grid->questions, 1);
        QVERIFY(numbersUnique(air));
        verifyUndoRedo(*stack, air, before);
    }

    void moveDialogInInsertModeOffersTheHighestStart() {
        build({}, {1, 2, 3, 97, 98});
        MainGrid::setInsertMode(true);
        check({1, 2, 3}, Channel::ANALOGUE);
        grid->actionMove();
        QCOMPARE(grid->dialogMaxima, QList<int>({95}));
        QCOMPARE(stack->count(), 0);
    }

    void blockMoveByZeroPushesNothing() {
        build({5, 6, 9});
        check({5, 6});
        grid->moveCheckedBy(5);
        QCOMPARE(stack->count(), 0);
        QCOMPARE(grid->questions, 0);
    }

    void blockMoveSwapsWithYesToAll() {
        build({1, 2, 3, 4, 5, 6});
        const ChannelList<AirChannel> before = air;
        check({1, 2});
        grid->swapAnswers << QDialogButtonBox::YesToAll;
        grid->moveCheckedBy(4);
        QCOMPARE(grid->questions, 1);
        QCOMPARE(liveNumbers(air), QList<int>({4, 5, 3, 1, 2, 6}));
        QVERIFY(numbersUnique(air));
        verifyUndoRedo(*stack, air, before);
    }

    void blockMoveKeepsCollidingChannelsWithNoToAll() {
        build({1, 2, 3, 5});
        const ChannelList<AirChannel> before = air;
        check({1, 2, 3});
        grid->swapAnswers << QDialogButtonBox::NoToAll;
        grid->moveCheckedBy(3);
        // Visiting from the top: 3 -> 5 taken (No to All), 2 -> 4 free, 1 -> 3 taken by the unmoved 3.
        QCOMPARE(grid->questions, 1);
        QCOMPARE(liveNumbers(air), QList<int>({1, 4, 3, 5}));
        QVERIFY(numbersUnique(air));
        verifyUndoRedo(*stack, air, before);
    }

    void blockMoveCancelKeepsTheMovesMadeAsOneStep() {
        build({1, 2, 4, 6});
        const ChannelList<AirChannel> before = air;
        check({1, 2});
        grid->swapAnswers << QDialogButtonBox::Cancel;
        grid->moveCheckedBy(4);
        // 2 -> 5 is free and done; 1 -> 4 is taken and the question is cancelled.
        QCOMPARE(liveNumbers(air), QList<int>({1, 5, 4, 6}));
        verifyUndoRedo(*stack, air, before);
    }

    void moveDialogInSwapModeOffersTheBlockRange() {
        build({}, {5, 7, 20});
        check({5, 7, 20}, Channel::ANALOGUE);
        grid->numberAnswers << 84;
        grid->actionMove();
        QCOMPARE(grid->dialogMaxima, QList<int>({84}));
        QCOMPARE(liveNumbers(air), QList<int>({84, 86, 99}));
    }

    void renameRules_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("lower case") << QStringLiteral("ab-1") << QStringLiteral("AB-1");
        QTest::newRow("dot") << QStringLiteral("A.B") << QStringLiteral("A.B");
        QTest::newRow("all signs") << QStringLiteral("/*-+.") << QStringLiteral("/*-+.");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("six characters") << QStringLiteral("ABCDEF") << QStringLiteral("A1");
        QTest::newRow("underscore") << QStringLiteral("A_B") << QStringLiteral("A1");
        QTest::newRow("umlaut") << QStringLiteral("\u00c4") << QStringLiteral("A1");
    }

    void renameRules() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        build({1}, {1});
        const ChannelList<AirChannel> before = air;
        const int row = rowOf(1, Channel::ANALOGUE);
        typeInto(grid.get(), row, Grid::NAME_COLUMN, typed);
        QCOMPARE(air[1].name(), stored);
        QCOMPARE(grid->item(row, grid->columnIndex(Grid::NAME_COLUMN))->text(), stored);
        if (stored == QStringLiteral("A1")) {
            QCOMPARE(grid->messages.size(), 1);
            QVERIFY(grid->messages.first().startsWith(QStringLiteral("Invalid channel name!|")));
            QCOMPARE(stack->count(), 0);
        } else {
            verifyUndoRedo(*stack, air, before);
        }
    }

    void dropAtBothEndsAndOutsideTheRange() {
        build({1, 2, 3, 9998, 9999});
        const ChannelList<AirChannel> before = air;
        // Row of 9999 dropped before the first row: it takes 1 and pushes 1, 2, 3 on.
        grid->dropAt(rowOf(9999), -1, rowOf(1), true);
        QCOMPARE(liveNumbers(air), QList<int>({2, 3, 4, 9998, 1}));
        verifyUndoRedo(*stack, air, before);

        // Row of 1 dropped below the last row: 10000 is outside the range.
        grid->dropAt(rowOf(1), rowOf(9999), -1, false);
        QCOMPARE(grid->messages.size(), 1);
        QCOMPARE(
            grid->messages.first(),
            QStringLiteral("Drag outside permitted range|Digital channel number has to be in range 1-9999."));
        QVERIFY(air == before);
    }

    void dropInADescendingTable() {
        build({7, 5, 4, 3, 2, 1}, {5, 4, 3, 2, 1});
        grid->sortByColumn(grid->columnIndex(Grid::NUMBER_COLUMN), Qt::DescendingOrder);
        const ChannelList<AirChannel> before = air;
        // Digital 7 dropped just below 5: 4, 3, 2, 1 would need 0.
        grid->dropAt(rowOf(7), rowOf(5), rowOf(4), false);
        QCOMPARE(grid->messages.size(), 1);
        QVERIFY(air == before);
        // The same with analogue channels: the last one is pushed to 0.
        build({}, {7, 5, 4, 3, 2, 1});
        grid->sortByColumn(grid->columnIndex(Grid::NUMBER_COLUMN), Qt::DescendingOrder);
        grid->dropAt(rowOf(7, Channel::ANALOGUE), rowOf(5, Channel::ANALOGUE), rowOf(4, Channel::ANALOGUE),
                     false);
        QCOMPARE(liveNumbers(air), QList<int>({4, 5, 3, 2, 1, 0}));
        // Dropped above the first analogue row, a channel counts down from 99.
        grid->dropAt(rowOf(1, Channel::ANALOGUE), -1, rowOf(5, Channel::ANALOGUE), true);
        QCOMPARE(liveNumbers(air), QList<int>({4, 5, 3, 2, 99, 0}));
        QVERIFY(numbersUnique(air));
    }

    void dropPushesHiddenChannelsAlong() {
        // 11 is hidden by the filter but still holds its number.
        build({5, 10, 11, 13}, {}, {11});
        grid->filter(1, 0, -1, Grid::CLEAR_CURRENT, true, false);
        const ChannelList<AirChannel> before = air;
        // 5 dropped below 10: it takes 11 and pushes the hidden 11 to 12; 13 keeps its number.
        grid->dropAt(rowOf(5), rowOf(10), rowOf(13), false);
        QCOMPARE(liveNumbers(air), QList<int>({11, 10, 12, 13}));
        QVERIFY(numbersUnique(air));
        verifyUndoRedo(*stack, air, before);
    }

    void realDialogsAskTheQuestions() {
        // The table as the window makes it, answered through its own dialogs.
        air.clear();
        for (quint16 n = 1; n <= 4; ++n)
            air.append(digital(n));
        std::unique_ptr<MainGrid> real(MainGrid::createAirGrid(true));
        fill(real.get(), air);
        context.mainGrid = real.get();
        real->filter(7, 0, -1, Grid::CLEAR_CURRENT, true, false);
        real->setRowChecked(real->rowOfNumber(1, false), true);
        real->setRowChecked(real->rowOfNumber(2, false), true);

        QString question;
        onNextModal([&question](QWidget *modal) {
            auto *dialog = qobject_cast<MoveDialog *>(modal);
            QVERIFY(dialog);
            // 2 -> 4 collides: the swap question comes up next.
            onNextModal(
                [&question](QWidget *box) {
                    auto *messageBox = qobject_cast<CustomMessageBox *>(box);
                    QVERIFY(messageBox);
                    question = messageBox->windowTitle() + QLatin1Char('|') + messageBox->textLabel()->text();
                    messageBox->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::YesToAll)->click();
                },
                dialog);
            dialog->spinBox()->setValue(3);
            dialog->accept();
        });
        real->actionMove();
        QCOMPARE(question,
                 QStringLiteral("Channel number conflict!|Moving channel number 2 onto channel number 4 "
                                "which is already in use. Do you want to swap channel numbers?"));
        QCOMPARE(liveNumbers(air), QList<int>({3, 4, 1, 2}));
        QCOMPARE(stack->count(), 1);
        stack->undo();
        QCOMPARE(liveNumbers(air), QList<int>({1, 2, 3, 4}));
        stack->clear();
        context.mainGrid = nullptr;
    }
};

QTEST_MAIN(TestEditingMainGrid)
#include "tst_editingmaingrid.moc"
