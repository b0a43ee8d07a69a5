#include "dialogs/configuredialog.h"

#include "widgets/itemdelegate.h"
#include "widgets/table.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

ConfigureDialog::ConfigureDialog(QWidget *parent)
    : CustomDialog(parent, tr("Configure table"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel) {
    auto *grid = new QGridLayout;
    grid->setColumnStretch(0, 100);
    grid->addWidget(new QLabel(tr("Select order and visibility of channel table columns:")), 0, 0, 1, 2);

    table = new Table(0, 1);
    table->setItemDelegate(new ItemDelegate(table));
    table->setObjectName(QStringLiteral("customtable"));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Minimum);
    // The channel tables' slim dark scroll bars, for when the screen is too small after all.
    table->verticalScrollBar()->setObjectName(QStringLiteral("customscrollbar"));
    table->horizontalScrollBar()->setObjectName(QStringLiteral("customscrollbar"));
    table->setAlternatingRowColors(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(table, &QTableWidget::itemSelectionChanged, this, &ConfigureDialog::onSelectionChanged);
    connect(table, &QTableWidget::itemChanged, this, &ConfigureDialog::onItemChanged);
    grid->addWidget(table, 1, 0);

    auto *buttons = new QVBoxLayout;
    moveUpButton = new QPushButton(tr("Move Up"));
    moveDownButton = new QPushButton(tr("Move Down"));
    for (QPushButton *button : {moveUpButton, moveDownButton}) {
        button->setObjectName(QStringLiteral("steelStyle"));
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    connect(moveUpButton, &QPushButton::clicked, this, &ConfigureDialog::onMoveUpClicked);
    connect(moveDownButton, &QPushButton::clicked, this, &ConfigureDialog::onMoveDownClicked);
    grid->addLayout(buttons, 1, 1, Qt::AlignTop);

    setContentLayout(grid);
}

void ConfigureDialog::addColumn(const QString &title, int id, bool visible) {
    // The item type carries the column id through every move.
    auto *item = new QTableWidgetItem(title, id);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    const int row = table->rowCount();
    table->insertRow(row);
    {
        const QSignalBlocker blocker(table);
        table->setItem(row, 0, item);
    }
    // With signals on, so the at-least-one-visible rule sees every column as it comes.
    item->setData(Qt::CheckStateRole, visible ? Qt::Checked : Qt::Unchecked);
    // A table has at most a dozen or so columns: the list is tall enough to show them all rather than scroll.
    table->setMinimumHeight(table->verticalHeader()->length() + 2 * table->frameWidth());
}

int ConfigureDialog::count() const {
    return table->rowCount();
}

int ConfigureDialog::columnIdAt(int row) const {
    const QTableWidgetItem *item = table->item(row, 0);
    return item ? item->type() : -1;
}

bool ConfigureDialog::isColumnVisible(int row) const {
    const QTableWidgetItem *item = table->item(row, 0);
    return item && item->checkState() == Qt::Checked;
}

void ConfigureDialog::onSelectionChanged() {
    const int row = table->currentRow();
    const bool valid = row >= 0 && row < table->rowCount();
    moveUpButton->setEnabled(valid && row != 0);
    moveDownButton->setEnabled(valid && row != table->rowCount() - 1);
}

void ConfigureDialog::onMoveUpClicked() {
    const int row = table->currentRow();
    if (row > 0 && row < table->rowCount())
        swapRows(row, row - 1);
}

void ConfigureDialog::onMoveDownClicked() {
    const int row = table->currentRow();
    if (row >= 0 && row + 1 < table->rowCount())
        swapRows(row, row + 1);
}

void ConfigureDialog::swapRows(int row, int other) {
    {
        // A move changes no column's visibility: the item-change rule must not run.
        const QSignalBlocker blocker(table);
        QTableWidgetItem *moved = table->takeItem(row, 0);
        QTableWidgetItem *displaced = table->takeItem(other, 0);
        table->setItem(other, 0, moved);
        table->setItem(row, 0, displaced);
    }
    table->selectRow(other);
    // selectRow() reports no change when the moved row's selection merely follows it.
    onSelectionChanged();
}

void ConfigureDialog::onItemChanged(QTableWidgetItem *) {
    const QSignalBlocker blocker(table);
    QList<QTableWidgetItem *> checked;
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *item = table->item(row, 0);
        if (item && item->checkState() == Qt::Checked)
            checked.append(item);
    }
    // Only the count matters: the last visible column is locked, and it is unlocked again as soon as a
    // second one is visible.
    if (checked.size() == 1) {
        checked.first()->setFlags(checked.first()->flags() & ~Qt::ItemIsEnabled);
    } else if (checked.size() == 2) {
        for (QTableWidgetItem *item : checked)
            item->setFlags(item->flags() | Qt::ItemIsEnabled);
    }
}
