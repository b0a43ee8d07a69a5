// The main table's number and name edits: cell edits, the Move dialog in swap and insert mode, and the drop
// that ends a row drag. Every change goes through renumber and rename commands; every question is asked
// before the first command is made.

#include "tables/maingrid.h"

#include "core/channel.h"
#include "dialogs/movedialog.h"
#include "tables/checkboxitem.h"
#include "tables/commands/renumbergroupcmd.h"
#include "tables/headerview.h"
#include "tables/undostack.h"
#include "widgets/custommessagebox.h"
#include "widgets/styledspinbox.h"

#include <QDropEvent>

#include <algorithm>

namespace {

// A row taking part in a renumbering, with the number its channel had when the edit began.
struct NumberedRow {
    int number;
    int row;
};

void sortNumberedRows(QList<NumberedRow> &rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const NumberedRow &a, const NumberedRow &b) { return a.number < b.number; });
}

} // namespace

// The rows whose channels of one kind hold each number (channels marked deleted hold none), for a block move
// that looks up every target number: one pass over the table instead of one per moved channel. The move
// runs in one sorting bracket, so rows stay where they are; refresh() follows a renumbered row.
class RowsByNumber {
public:
    RowsByNumber(const MainGrid &grid, int kind) : m_grid(grid), m_kind(kind) {
        for (int row = 0; row < grid.rowCount(); ++row)
            refresh(row);
    }

    // The last row holding the number, as Grid::rowOfNumber finds it; -1 when the number is free.
    int lastRowOf(int number) const {
        const auto it = m_rows.constFind(number);
        return it == m_rows.cend() || it->isEmpty() ? -1 : *std::max_element(it->cbegin(), it->cend());
    }

    // Files the row under the number its channel holds now.
    void refresh(int row) {
        const auto filed = m_numberOf.constFind(row);
        if (filed != m_numberOf.cend()) {
            m_rows[*filed].removeOne(row);
            m_numberOf.erase(filed);
        }
        const Channel *channel = m_grid.channelAt(row);
        if (!channel || channel->isDeleted() || channel->kind() != m_kind)
            return;
        m_rows[channel->number()].append(row);
        m_numberOf.insert(row, channel->number());
    }

private:
    const MainGrid &m_grid;
    int m_kind;
    QHash<int, QList<int>> m_rows;
    QHash<int, int> m_numberOf;
};

// ---------------------------------------------------------------------------------------------------------
// Questions and messages

QDialogButtonBox::StandardButton MainGrid::askSwapNumbers(int from, int to) {
    return CustomMessageBox::exclamation(
        nativeParentWidget(), tr("Channel number conflict!"),
        tr("Moving channel number %1 onto channel number %2 which is already in use. Do you want to swap "
           "channel numbers?")
            .arg(from)
            .arg(to),
        QDialogButtonBox::Yes | QDialogButtonBox::YesToAll | QDialogButtonBox::No |
            QDialogButtonBox::NoToAll | QDialogButtonBox::Cancel,
        QDialogButtonBox::YesToAll);
}

QDialogButtonBox::StandardButton MainGrid::askPushDown(bool several) {
    const QString text =
        several ? tr("Do you want to push conflicting channels downwards (selecting No will result in moving "
                     "channels to the empty slots)?")
                : tr("Do you want to push conflicting channel downwards (selecting No will result in moving "
                     "channel to the empty slot)?");
    return CustomMessageBox::exclamation(
        nativeParentWidget(), tr("Channel number conflict!"), text,
        QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel, QDialogButtonBox::Cancel);
}

bool MainGrid::askNumber(QWidget *parent, int minimum, int value, int maximum, const QString &title,
                         const QString &text, int &number) {
    MoveDialog dialog(minimum, value, maximum, parent, title, text);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    number = dialog.spinBox()->value();
    return true;
}

QDialogButtonBox::StandardButton MainGrid::showMessage(MessageIcon icon, QWidget *parent,
                                                       const QString &title, const QString &text,
                                                       QDialogButtonBox::StandardButtons buttons,
                                                       QDialogButtonBox::StandardButton defaultButton) {
    if (icon == CRITICAL_ICON)
        return CustomMessageBox::critical(parent, title, text, buttons, defaultButton);
    return CustomMessageBox::exclamation(parent, title, text, buttons, defaultButton);
}

// ---------------------------------------------------------------------------------------------------------
// Cell edits

void MainGrid::on_cellChanged(int row, int column) {
    // The program writes cells only inside the insert bracket; those writes are not edits.
    if (isInserting())
        return;
    QTableWidgetItem *cell = item(row, column);
    if (!cell)
        return;
    switch (columnIdAt(column)) {
    case NUMBER_COLUMN:
        renumberFromCell(row, cell);
        break;
    case NAME_COLUMN:
        renameFromCell(row, cell);
        break;
    default:
        break;
    }
}

void MainGrid::restoreCell(int row, int columnId) {
    const Channel *channel = channelAt(row);
    if (!channel || !hasColumn(columnId))
        return;
    QTableWidgetItem *cell = item(row, columnIndex(columnId));
    if (!cell)
        return;
    beginInsert();
    cell->setData(Qt::DisplayRole,
                  columnId == NUMBER_COLUMN ? QString::number(channel->number()) : channel->name());
    endInsert();
}

void MainGrid::renumberFromCell(int row, QTableWidgetItem *cell) {
    const Channel *channel = channelAt(row);
    UndoStack *stack = Grid::undoStack();
    if (!channel || !cell || !stack)
        return;
    bool isNumber = false;
    int number = cell->text().trimmed().toInt(&isNumber, 10);

    // The channel's own number in other text ("05") changes nothing: no step that does nothing.
    if (isNumber && number == channel->number()) {
        restoreCell(row, NUMBER_COLUMN);
        return;
    }

    if (isAstraHD()) {
        if (!isNumber || number < 1)
            number = ASTRA_HD_RANGE_HIGHEST + 1;
        // The edited row is moved, unless it is check-marked: then the checked block moves with it.
        QList<int> rows;
        if (isRowChecked(row))
            rowsToMove(rows, row);
        else
            rows << row;
        if (!astraHDMoveRows(number, rows, isRowChecked(row)))
            restoreCell(row, NUMBER_COLUMN);
        return;
    }

    const int kind = channel->kind();
    if (!isNumber || number < lowestNumber(kind) || number > highestNumber(kind)) {
        showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Invalid channel number!"), rangeText(kind),
                    QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
        restoreCell(row, NUMBER_COLUMN);
        return;
    }

    // Hidden (filtered-out) channels keep their numbers, so they count as taken.
    const int taken = rowOfNumber(number, kind == Channel::ANALOGUE);
    if (taken == -1) {
        RenumberGroupCmd *group = stack->createRenumberGroupCmd(isRowChecked(row), nullptr);
        beginInsert();
        stack->addRenumberCmd(checkBoxItem(row), number, true, group);
        endInsert();
        stack->push(group);
        return;
    }

    if (insertMode() == 0) {
        if (!confirmSwap(number)) {
            restoreCell(row, NUMBER_COLUMN);
            return;
        }
        const int old = channel->number();
        RenumberGroupCmd *group = stack->createRenumberGroupCmd(isRowChecked(row), nullptr);
        beginInsert();
        // The other row first, so that undo gives the edited channel its number back before the other's.
        stack->addRenumberCmd(checkBoxItem(taken), old, false, group);
        stack->addRenumberCmd(checkBoxItem(row), number, true, group);
        endInsert();
        stack->push(group);
        return;
    }

    if (!moveToNumber(number, kind, isRowChecked(row), row))
        restoreCell(row, NUMBER_COLUMN);
}

bool MainGrid::isValidAnalogueName(const QString &name) {
    if (name.size() > 5)
        return false;
    for (const QChar c : name) {
        const bool allowed = c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                             QStringLiteral("/*-+.").contains(c);
        if (!allowed)
            return false;
    }
    return true;
}

void MainGrid::renameFromCell(int row, QTableWidgetItem *cell) {
    const Channel *channel = channelAt(row);
    UndoStack *stack = Grid::undoStack();
    if (!channel || !cell || !stack)
        return;
    if (!isRenamable(channel)) {
        // The channel keeps its name whatever the cell was given: the cell shows it again.
        restoreCell(row, NAME_COLUMN);
        return;
    }
    const QString name = cell->text().toUpper();
    if (!isValidAnalogueName(name)) {
        const QString text =
            tr("Analogue channel name cannot be longer than 5 characters and it can contain following "
               "characters:") +
            QLatin1Char('\n') + tr("- letters (A-Z),") + QLatin1Char('\n') + tr("- numbers (0-9),") +
            QLatin1Char('\n') + tr("- space (\" \"),") + QLatin1Char('\n') +
            tr("- one of: \"/*-+.\" (without doublequotes)");
        showMessage(EXCLAMATION_ICON, nativeParentWidget(), tr("Invalid channel name!"), text,
                    QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
        restoreCell(row, NAME_COLUMN);
        return;
    }
    if (name == channel->name()) {
        // Only the case changed back to what is stored: nothing to undo.
        restoreCell(row, NAME_COLUMN);
        return;
    }
    stack->rename(checkBoxItem(row), name);
}

// ---------------------------------------------------------------------------------------------------------
// Move dialog

void MainGrid::actionMove(bool) {
    if (isAstraHD()) {
        actionAstraHDMove(-1);
        return;
    }
    const int first = firstCheckedVisibleRow();
    if (first == -1)
        return;
    const int kind = channelKindAt(first);
    const int minimum = lowestNumber(kind);
    int number = 0;
    if (insertMode() == 0) {
        int lowest = 0;
        int highestStart = 0;
        if (!checkedNumberRange(lowest, highestStart))
            return;
        if (askNumber(nativeParentWidget(), minimum, lowest, highestStart, tr("Move Dialog"),
                      tr("Move first channel to number:"), number))
            moveCheckedBy(number);
        return;
    }
    const int maximum = countFreeNumbers(kind, true);
    if (minimum > maximum)
        return;
    if (askNumber(nativeParentWidget(), minimum, minimum, maximum, tr("Move Dialog"),
                  tr("Move first channel to number:"), number))
        moveToNumber(number, kind, true, -1);
}

void MainGrid::moveCheckedBy(int target) {
    UndoStack *stack = Grid::undoStack();
    if (!stack)
        return;
    beginInsert();
    // Of two checked rows with one number the upper one is moved; the other keeps its number.
    QMap<int, int> rowOfOld;
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (isRowChecked(row) && isRowVisible(row))
            rowOfOld.insert(channelAt(row)->number(), row);
    }
    const QList<int> numbers = rowOfOld.keys();
    if (numbers.isEmpty()) {
        endInsert();
        return;
    }
    const bool analogue = checkedDigitalCount() == 0;
    const int offset = target - numbers.first();
    QDialogButtonBox::StandardButton answer = QDialogButtonBox::NoButton;
    RenumberGroupCmd *group = nullptr;
    RowsByNumber byNumber(*this, analogue ? Channel::ANALOGUE : Channel::DIGITAL);
    // Moving in the direction of the move, a channel never meets a block member that has not moved yet.
    if (offset < 0) {
        for (int i = 0; i < numbers.size() && answer != QDialogButtonBox::Cancel; ++i)
            moveOneWithSwap(rowOfOld, numbers, i, offset, answer, analogue, byNumber, group);
    } else if (offset > 0) {
        for (int i = numbers.size() - 1; i >= 0 && answer != QDialogButtonBox::Cancel; --i)
            moveOneWithSwap(rowOfOld, numbers, i, offset, answer, analogue, byNumber, group);
    }
    // After Cancel the moves made so far stay, as one undo step.
    if (group)
        stack->push(group);
    endInsert();
}

void MainGrid::moveOneWithSwap(const QMap<int, int> &rowOfOld, const QList<int> &numbers, int index,
                               int offset, QDialogButtonBox::StandardButton &answer, bool analogue,
                               RowsByNumber &byNumber, RenumberGroupCmd *&group) {
    UndoStack *stack = Grid::undoStack();
    const int old = numbers.at(index);
    const int row = rowOfOld.value(old, -1);
    const int number = old + offset;
    const int kind = analogue ? Channel::ANALOGUE : Channel::DIGITAL;
    if (!stack || row == -1 || number < lowestNumber(kind) || number > highestNumber(kind))
        return;
    const int taken = byNumber.lastRowOf(number);
    if (taken == -1) {
        ensureRenumberGroup(group);
        stack->addRenumberCmd(checkBoxItem(row), number, true, group);
        byNumber.refresh(row);
        return;
    }
    bool swap = answer == QDialogButtonBox::YesToAll;
    if (answer != QDialogButtonBox::YesToAll && answer != QDialogButtonBox::NoToAll) {
        switch (askSwapNumbers(old, number)) {
        case QDialogButtonBox::Yes:
            swap = true;
            break;
        case QDialogButtonBox::YesToAll:
            swap = true;
            answer = QDialogButtonBox::YesToAll;
            break;
        case QDialogButtonBox::NoToAll:
            answer = QDialogButtonBox::NoToAll;
            break;
        case QDialogButtonBox::Cancel:
            answer = QDialogButtonBox::Cancel;
            break;
        default:
            break;
        }
    }
    if (swap) {
        ensureRenumberGroup(group);
        swapNumbers(row, taken, group);
        byNumber.refresh(row);
        byNumber.refresh(taken);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Insert at a number

bool MainGrid::moveToNumber(int target, int kind, bool checkedMode, int singleRow) {
    UndoStack *stack = Grid::undoStack();
    if (!stack || target < lowestNumber(kind))
        return false;
    const int limit = highestNumber(kind);
    const int current = currentVisibleRow();

    // Only shown rows move. Every other channel of the kind, shown or filtered out, keeps its number in the
    // document and so stands in the way; only deleted channels free theirs.
    QList<NumberedRow> moved;
    QList<NumberedRow> others;
    for (int row = 0; row < rowCount(); ++row) {
        const Channel *channel = channelAt(row);
        if (!channel || channel->isDeleted() || channel->kind() != kind)
            continue;
        const bool isMoved = isRowVisible(row) && (singleRow == -1 || singleRow == row) &&
                             (checkedMode ? isRowChecked(row) : row == current);
        if (isMoved)
            moved << NumberedRow{channel->number(), row};
        else if (channel->number() >= target)
            others << NumberedRow{channel->number(), row};
    }
    if (moved.isEmpty())
        return false;
    sortNumberedRows(moved);
    sortNumberedRows(others);

    const int movedCount = static_cast<int>(moved.size());
    if (target + movedCount + static_cast<int>(others.size()) - 1 > limit)
        return false;

    QDialogButtonBox::StandardButton answer = QDialogButtonBox::Yes;
    if (!others.isEmpty() && others.first().number <= target + movedCount - 1)
        answer = askPushDown(movedCount >= 2);
    if (answer != QDialogButtonBox::Yes && answer != QDialogButtonBox::No)
        return false;

    RenumberGroupCmd *group = stack->createRenumberGroupCmd(checkedMode, nullptr);
    beginInsert();
    int number = target;
    if (answer == QDialogButtonBox::Yes) {
        for (const NumberedRow &m : moved)
            stack->addRenumberCmd(checkBoxItem(m.row), number++, true, group);
        // Push the channels in the way on by one each, as far as the first gap.
        for (const NumberedRow &o : others) {
            if (o.number > number)
                break;
            stack->addRenumberCmd(checkBoxItem(o.row), number++, false, group);
        }
    } else {
        int next = 0;
        for (const NumberedRow &m : moved) {
            while (next < others.size() && others.at(next).number <= number) {
                if (others.at(next).number == number)
                    ++number;
                ++next;
            }
            stack->addRenumberCmd(checkBoxItem(m.row), number++, true, group);
        }
    }
    endInsert();
    stack->push(group);
    return true;
}

// ---------------------------------------------------------------------------------------------------------
// Drop

void MainGrid::dropEvent(QDropEvent *e) {
    // Link, never move: the toolkit's table would take a moved row's items out of the table.
    e->setDropAction(Qt::LinkAction);
    e->accept();
    endDragMode();
    dropAt(m_dragRow, m_dropRowAbove, m_dropRowBelow, m_dropBeforeBelow);
}

void MainGrid::dropAt(int dragRow, int dropRowAbove, int dropRowBelow, bool dropBeforeBelow) {
    const Channel *dragged = channelAt(dragRow);
    if (!dragged)
        return;
    const bool ascending = header()->sortIndicatorOrder() == Qt::AscendingOrder;
    const int kind = dragged->kind();
    const int max = highestNumber(kind);
    int anchorRow;
    int start;
    if (!dropBeforeBelow) {
        const Channel *above = channelAt(dropRowAbove);
        if (!above)
            return;
        anchorRow = dropRowAbove;
        start = ascending ? above->number() + 1 : above->number() - 1;
    } else {
        if (dropRowBelow < 0)
            return;
        anchorRow = dropRowBelow - 1;
        start = ascending ? lowestNumber(kind) : max;
    }
    QList<int> rows;
    rowsToMove(rows, dragRow);
    int slack = 0;
    if (!validateDrop(slack, kind, start, rows, dragRow, anchorRow, max, dropBeforeBelow, ascending)) {
        showDragRangeError(kind == Channel::ANALOGUE);
        return;
    }
    moveDraggedRows(dragRow, anchorRow, kind, rows, ascending, start);
}

void MainGrid::showDragRangeError(bool analogue) {
    showMessage(EXCLAMATION_ICON, this, tr("Drag outside permitted range"),
                rangeText(analogue ? Channel::ANALOGUE : Channel::DIGITAL), QDialogButtonBox::Ok,
                QDialogButtonBox::Ok);
}
