#include "tables/headerview.h"

#include "dialogs/configuredialog.h"
#include "tables/grid.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {
// The check-all box, in header coordinates, corners included: a 13-pixel box placed by the style sheet
// below (image at the left edge of the first section, 11 pixels of padding).
const QRect CHECK_BOX_RECT(QPoint(13, 8), QPoint(25, 20));

QString checkBoxStyleSheet(const char *image) {
    return QStringLiteral("#customtable QHeaderView::section:first { padding: 0px; margin: 0px;image: "
                          "url(:/img/editor/checkbox/%1); image-position: center left;padding-left: 11px;}")
        .arg(QLatin1String(image));
}
} // namespace

HeaderView::HeaderView(Qt::Orientation orientation, QWidget *parent) : QHeaderView(orientation, parent) {
    m_configure = new QAction(tr("Configure Items"), this);
    m_ascending = new QAction(tr("Ascending Sort"), this);
    m_descending = new QAction(tr("Descending Sort"), this);
    m_separator = new QAction(this);
    m_separator->setSeparator(true);

    connect(m_configure, &QAction::triggered, this, &HeaderView::on_configure_triggered);
    connect(m_ascending, &QAction::triggered, this, &HeaderView::on_ascending_triggered);
    connect(m_descending, &QAction::triggered, this, &HeaderView::on_descending_triggered);
    connect(this, &QHeaderView::sectionResized, this, &HeaderView::on_sectionResized);
    connect(this, &QHeaderView::sectionClicked, this, &HeaderView::on_sectionClicked);

    setSectionsClickable(true);
    addAction(m_configure);
    addAction(m_separator);
    addAction(m_ascending);
    addAction(m_descending);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

Grid *HeaderView::grid() const {
    return qobject_cast<Grid *>(parentWidget());
}

void HeaderView::setCheckState(int state) {
    if (state != 2 && state != 1)
        state = 0;
    // Setting a style sheet re-polishes the header: skip it when the box already shows this state.
    if (state == m_checkState)
        return;
    m_checkState = state;
    switch (state) {
    case 2:
        setStyleSheet(checkBoxStyleSheet("selected"));
        break;
    case 1:
        setStyleSheet(checkBoxStyleSheet("partiallySelected"));
        break;
    default:
        setStyleSheet(checkBoxStyleSheet("unselected"));
        break;
    }
}

void HeaderView::setSectionMinimumSize(int section, int size) {
    m_minimumSizes[section] = size;
    if (sectionSize(section) > size)
        resizeSection(section, size);
}

bool HeaderView::isInCheckBox(const QPoint &pos) const {
    const int at = orientation() == Qt::Horizontal ? pos.x() : pos.y();
    return logicalIndexAt(at) == 0 && CHECK_BOX_RECT.contains(pos);
}

void HeaderView::toggleCheckBox() {
    if (Grid *table = grid())
        setCheckState(table->toggleAll());
}

void HeaderView::mousePressEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        // Only remembers the section for the menu: a right press neither selects, moves nor resizes.
        m_menuSection = logicalIndexAt(orientation() == Qt::Horizontal ? pos.x() : pos.y());
        return;
    }
    if (event->button() == Qt::LeftButton && isInCheckBox(pos)) {
        // Consumed: a click on the box neither sorts nor starts a section drag.
        toggleCheckBox();
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void HeaderView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (isInCheckBox(event->position().toPoint())) {
        toggleCheckBox();
        event->accept();
        return;
    }
    // The second click of a double click counts as a click of its own (it reverses the sort order).
    QHeaderView::mousePressEvent(event);
}

void HeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const {
    if (logicalIndex != sortIndicatorSection()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    if (!rect.isValid())
        return;

    QStyleOptionHeader option;
    initStyleOption(&option);
    if (window()->isActiveWindow())
        option.state |= QStyle::State_Active;
    // The sorted section takes the look a style sheet gives a checked section.
    option.state |= QStyle::State_On;
    option.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                      : QStyleOptionHeader::SortUp;
    option.rect = rect;
    option.section = logicalIndex;
    if (const Grid *table = grid())
        option.text = table->columnTitle(logicalIndex);
    else
        option.text = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.iconAlignment = Qt::AlignRight | Qt::AlignVCenter;
    const int visual = visualIndex(logicalIndex);
    if (count() == 1)
        option.position = QStyleOptionHeader::OnlyOneSection;
    else if (visual == 0)
        option.position = QStyleOptionHeader::Beginning;
    else if (visual == count() - 1)
        option.position = QStyleOptionHeader::End;
    else
        option.position = QStyleOptionHeader::Middle;
    option.selectedPosition = QStyleOptionHeader::NotAdjacent;

    const QPointF brushOrigin = painter->brushOrigin();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->setBrushOrigin(brushOrigin);
}

void HeaderView::sortMenuSection(Qt::SortOrder order) {
    setSortIndicator(m_menuSection, order);
    if (Grid *table = grid())
        table->updateRowHeights();
}

void HeaderView::on_ascending_triggered(bool) {
    sortMenuSection(Qt::AscendingOrder);
}

void HeaderView::on_descending_triggered(bool) {
    sortMenuSection(Qt::DescendingOrder);
}

void HeaderView::on_sectionResized(int logicalIndex, int, int newSize) {
    const int minimum = m_minimumSizes.value(logicalIndex, 0);
    m_minimumSizes[logicalIndex] = minimum;
    if (newSize < minimum)
        resizeSection(logicalIndex, minimum);
}

void HeaderView::on_sectionClicked(int) {
    // The click has re-sorted the rows; their heights follow their shown flags again.
    if (Grid *table = grid())
        table->updateRowHeights();
}

void HeaderView::on_configure_triggered(bool) {
    Grid *table = grid();
    if (!table)
        return;
    ConfigureDialog dialog(this);
    // The check column (visual position 0) is never offered.
    for (int visual = 1; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        const QTableWidgetItem *item = table->horizontalHeaderItem(logical);
        if (item)
            dialog.addColumn(item->text(), item->type(), !isSectionHidden(logical));
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    QList<ColumnChoice> choices;
    for (int row = 0; row < dialog.count(); ++row)
        choices.append({dialog.columnIdAt(row), dialog.isColumnVisible(row)});
    applyColumnChoices(choices);
}

void HeaderView::applyColumnChoices(const QList<ColumnChoice> &choices) {
    Grid *table = grid();
    if (!table)
        return;
    bool changed = false;
    for (int i = 0; i < choices.size(); ++i) {
        const ColumnChoice &choice = choices.at(i);
        if (!table->hasColumn(choice.id) || i + 1 >= count())
            continue;
        const int logical = table->columnIndex(choice.id);
        const int visual = visualIndex(logical);
        if (visual != i + 1) {
            swapSections(i + 1, visual);
            changed = true;
        }
        if (isSectionHidden(logical) == choice.visible) {
            setSectionHidden(logical, !choice.visible);
            changed = true;
        }
    }

    const int sorted = sortIndicatorSection();
    if (sorted >= 0 && sorted < count() && isSectionHidden(sorted) && count() > 1) {
        for (int visual = 1; visual < count(); ++visual) {
            const int logical = logicalIndex(visual);
            if (!isSectionHidden(logical)) {
                setSortIndicator(logical, Qt::AscendingOrder);
                table->updateRowHeights();
                break;
            }
        }
    }

    if (changed && count() > 1) {
        for (int visual = 1; visual < count(); ++visual) {
            const int logical = logicalIndex(visual);
            const int minimum = m_minimumSizes.value(logical, 0);
            m_minimumSizes[logical] = minimum;
            resizeSection(logical, minimum);
        }
    }
}
