#include "tables/grid.h"

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/codenames.h"
#include "core/logcategories.h"
#include "core/satellitechannel.h"
#include "core/sharedtexts.h"
#include "tables/channelcellitem.h"
#include "tables/channelnumbertablewidgetitem.h"
#include "tables/checkboxitem.h"
#include "tables/childlockitem.h"
#include "tables/favitem.h"
#include "tables/freqitem.h"
#include "tables/headerview.h"
#include "tables/symbolrateitem.h"
#include "widgets/itemdelegate.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>

namespace {
constexpr Qt::ItemFlags READ_ONLY_FLAGS = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled;
constexpr Qt::ItemFlags EDITABLE_FLAGS = READ_ONLY_FLAGS | Qt::ItemIsEditable;
constexpr Qt::Alignment CELL_ALIGNMENT = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int FAV_MASK_COUNT = 32;

// The statics shared by every table. They hold pixmaps, so they are made once the application object
// exists and released before it goes away.
struct TableStatics {
    UndoStack *undoStack = nullptr;
    QFont font;
    QMap<int, QString> titles;
    QIcon lockedIcon;
    QIcon analogueIcon;
    QIcon emptyIcon;
    std::array<QIcon, FAV_MASK_COUNT> favIcons;
    QBrush backgroundBrush{QColor(QStringLiteral("#3b3c3d")), Qt::SolidPattern};
    QBrush stripeBrush{QColor(QStringLiteral("#3f4042")), Qt::SolidPattern};
};

std::unique_ptr<TableStatics> &statics() {
    static std::unique_ptr<TableStatics> instance;
    return instance;
}

// The statics as they stand; tables made before initStatics get null icons and the default brushes.
const TableStatics &currentStatics() {
    static const TableStatics fallback;
    return statics() ? *statics() : fallback;
}

void releaseStatics() {
    statics().reset();
}

QFont makeTableFont() {
    // "Gulim" is the designed face; where it is missing (most Linux systems) the general system font takes
    // its place, and every width is measured from the font actually used.
    QFont font;
    font.setFamilies(
        {QStringLiteral("Gulim"), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    font.setPixelSize(12);
    return font;
}

// The general number format with 12 significant digits. Frequencies are nearly always whole or given to the
// hundredth, and those are written directly: the general formatter is among the slowest steps of filling a
// table, and for such values it writes the same digits.
QString generalNumber(double value) {
    const double hundredths = value * 100.0;
    if (value >= 0 && hundredths < 1e11 && hundredths == std::floor(hundredths)) {
        const qint64 whole = qint64(hundredths);
        QString text = QString::number(whole / 100);
        const int fraction = int(whole % 100);
        if (fraction != 0) {
            text += QLatin1Char('.');
            text += QLatin1Char(char('0' + fraction / 10));
            if (fraction % 10 != 0)
                text += QLatin1Char(char('0' + fraction % 10));
        }
        return text;
    }
    return QString::number(value, 'g', 12);
}

// The frequency a cell shows, in MHz or kHz: the shortest decimal that reads back as the stored float, moved
// three places for kHz. Scaling the float itself would show its binary remainder in the twelve digits (99.9
// MHz is held as 99.90000153, which reads "99900.0015259 kHz"); a value the float holds exactly keeps every
// digit (482062.5 kHz). Moving the decimal exponent keeps the scaling exact.
double shownFrequency(float mhz, bool inMHz) {
    const int shift = inMHz ? 0 : 3;
    const double scaled = double(mhz) * (inMHz ? 1.0 : 1000.0);
    if (!std::isfinite(mhz))
        return scaled;
    // Written as "d.ddde+XX" (at most nine digits), then read back with the exponent raised by the shift.
    char text[32];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, mhz, std::chars_format::scientific);
    char *const mark = std::find(text, written.ptr, 'e');
    if (written.ec != std::errc() || mark == written.ptr)
        return scaled;
    int exponent = 0;
    const char *digits = mark + 1;
    if (digits != written.ptr && *digits == '+')
        ++digits;
    if (std::from_chars(digits, written.ptr, exponent).ec != std::errc())
        return scaled;
    const std::to_chars_result shifted = std::to_chars(mark + 1, text + sizeof text, exponent + shift);
    double value = 0.0;
    if (shifted.ec != std::errc() ||
        std::from_chars(text, shifted.ptr, value, std::chars_format::scientific).ec != std::errc())
        return scaled;
    return value;
}

// Keys of the shared texts that are not code names.
enum UnitText { MHZ_TEXT = -1, KHZ_TEXT = -2, KSPS_TEXT = -3 };
} // namespace

// ---------------------------------------------------------------------------------------------------------
// Statics

void Grid::initStatics(UndoStack *undoStack) {
    auto fresh = std::make_unique<TableStatics>();
    fresh->undoStack = undoStack;
    fresh->font = makeTableFont();
    const QList<QPair<int, QString>> titles = {
        {CHECK_COLUMN, QString()},
        {NUMBER_COLUMN, SharedTexts::number()},
        {NAME_COLUMN, SharedTexts::name()},
        {FAVOURITES_COLUMN, SharedTexts::myFavourites()},
        {LOCKED_COLUMN, SharedTexts::locked()},
        {SATELLITE_COLUMN, SharedTexts::satellite()},
        {PROVIDER_COLUMN, SharedTexts::provider()},
        {FREQUENCY_COLUMN, SharedTexts::frequency()},
        {SYMBOL_RATE_COLUMN, SharedTexts::symbolRate()},
        {POLARITY_COLUMN, SharedTexts::polarity()},
        {MODULATION_COLUMN, SharedTexts::modulation()},
        {FEC_COLUMN, SharedTexts::fec()},
        {POSITION_COLUMN, SharedTexts::number()},
    };
    for (const auto &title : titles)
        fresh->titles.insert(title.first, title.second);
    fresh->lockedIcon.addFile(QStringLiteral(":/img/editor/locked"), QSize(), QIcon::Normal, QIcon::Off);
    fresh->analogueIcon.addFile(QStringLiteral(":/img/editor/analog"), QSize(), QIcon::Normal, QIcon::On);

    const bool first = !statics();
    statics() = std::move(fresh);
    if (first)
        qAddPostRoutine(releaseStatics);
    makeFavIcons();
}

UndoStack *Grid::undoStack() {
    return currentStatics().undoStack;
}

QFont Grid::tableFont() {
    return statics() ? statics()->font : makeTableFont();
}

QFontMetrics Grid::tableFontMetrics() {
    return QFontMetrics(tableFont());
}

QString Grid::titleOf(int id) {
    return currentStatics().titles.value(id);
}

QIcon Grid::lockedIcon() {
    return currentStatics().lockedIcon;
}

QIcon Grid::analogueIcon() {
    return currentStatics().analogueIcon;
}

QIcon Grid::emptyIcon() {
    return currentStatics().emptyIcon;
}

QIcon Grid::favIcon(int mask) {
    if (mask < 0 || mask >= FAV_MASK_COUNT)
        return QIcon();
    return currentStatics().favIcons[size_t(mask)];
}

QBrush Grid::backgroundBrush() {
    return currentStatics().backgroundBrush;
}

QBrush Grid::stripeBrush() {
    return currentStatics().stripeBrush;
}

void Grid::makeFavIcons() {
    // The strips are rendered by the same widgets and style sheets a label would use, once, so every cell
    // only picks a finished icon by its membership mask.
    QFrame frame;
    frame.setStyleSheet(
        QStringLiteral("background-color:rgba(0,0,0,0);padding:0px;margin:0px;font: 12px Gulim; "
                       "color: white;min-height:20px;max-height:20px"));
    auto *layout = new QHBoxLayout(&frame);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    QList<QLabel *> labels;
    for (int list = 1; list <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++list) {
        auto *label = new QLabel(QString::number(list), &frame);
        label->setTextFormat(Qt::PlainText);
        label->setStyleSheet(
            QStringLiteral("background-color:rgba(0,0,0,0);padding:0px;margin:0px;background-position:left "
                           "middle;background-repeat:no-repeat;padding:0px;padding-left:15px;text-align:left;"
                           "background-image:url(:/img/editor/fav);min-width:30px;max-width:30px;min-height:"
                           "20px;max-height:20px"));
        layout->addWidget(label);
        labels.append(label);
    }

    for (int mask = 0; mask < FAV_MASK_COUNT; ++mask) {
        int members = 0;
        for (int i = 0; i < labels.size(); ++i) {
            const bool member = mask & (1 << i);
            labels.at(i)->setVisible(member);
            members += member ? 1 : 0;
        }
        const QSize size(members * 30, 20);
        frame.setMinimumSize(size);
        frame.setMaximumSize(size);
        frame.resize(size);
        layout->activate();
        QPixmap pixmap(size);
        pixmap.fill(QColor(0, 0, 0, 0));
        if (!size.isEmpty())
            frame.render(&pixmap, QPoint(0, 0), QRegion(),
                         QWidget::DrawWindowBackground | QWidget::DrawChildren);
        statics()->favIcons[size_t(mask)] = QIcon(pixmap);
        for (QLabel *label : labels)
            label->setVisible(true);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Construction

Grid::Grid(QWidget *parent, int listKind)
    : QTableWidget(parent), m_delegate(new ItemDelegate(this)), m_listKind(listKind),
      m_header(new HeaderView(Qt::Horizontal, this)) {
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setShowGrid(false);
    setObjectName(QStringLiteral("customtable"));
    setStyleSheet(
        QStringLiteral("Grid { alternate-background-color:transparent;background-color:transparent }"));
    setHorizontalHeader(m_header);
    setIconSize(QSize(400, 400));
    setItemDelegate(m_delegate);
    setDragEnabled(true);
    setFrameShape(QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_header->setVisible(true);
    m_header->setSortIndicatorShown(false);
    m_header->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    // Shown rows are 27 pixels high and hidden rows 0: rows start at the shown height, and nothing keeps a
    // row from being made 0 high.
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(SHOWN_ROW_HEIGHT);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setDragDropOverwriteMode(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setSortingEnabled(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setColumnCount(0);
    setWordWrap(false);

    addColumn(CHECK_COLUMN);

    connect(this, &QTableWidget::itemSelectionChanged, this, &Grid::on_itemSelectionChanged);
    connect(this, &QTableWidget::cellClicked, this, &Grid::on_cellClicked);

    verticalScrollBar()->setObjectName(QStringLiteral("customscrollbar"));
    verticalScrollBar()->setStyleSheet(QString());
    horizontalScrollBar()->setObjectName(QStringLiteral("customscrollbar"));
    horizontalScrollBar()->setStyleSheet(QString());
}

Grid::~Grid() {
    // Receivers must not hear from a table that is half destroyed. Blocked rather than disconnected: the
    // toolkit still needs the destroyed() signal (the style sheet's per-widget caches listen for it).
    blockSignals(true);
    delete m_contextMenu;
}

void Grid::setContextMenu(QMenu *menu) {
    if (menu == m_contextMenu)
        return;
    delete m_contextMenu;
    m_contextMenu = menu;
}

// ---------------------------------------------------------------------------------------------------------
// Columns

void Grid::addColumn(int id) {
    if (m_columnIndex.contains(id))
        return;
    const int column = columnCount();
    setColumnCount(column + 1);
    auto *headerItem = new QTableWidgetItem(titleOf(id), id);
    headerItem->setTextAlignment(CELL_ALIGNMENT);
    headerItem->setFlags(Qt::ItemIsDragEnabled | Qt::ItemIsEnabled);
    setHorizontalHeaderItem(column, headerItem);
    m_columnIndex.insert(id, column);
    if (id == CHECK_COLUMN) {
        m_header->setSectionResizeMode(column, QHeaderView::Fixed);
        setColumnWidth(column, CHECK_COLUMN_WIDTH);
    } else {
        m_header->setSectionResizeMode(column, QHeaderView::Interactive);
    }
}

int Grid::columnIndex(int id) const {
    return m_columnIndex.value(id, 0);
}

bool Grid::hasColumn(int id) const {
    return m_columnIndex.contains(id);
}

int Grid::cellColumn(int id) const {
    return m_columnIndex.value(id, -1);
}

int Grid::columnIdAt(int column) const {
    const QTableWidgetItem *item = horizontalHeaderItem(column);
    return item ? item->type() : -1;
}

QString Grid::columnTitle(int column) const {
    return titleOf(columnIdAt(column));
}

void Grid::fitColumnsToTitles() {
    const QFontMetrics metrics = tableFontMetrics();
    for (int visual = 1; visual < m_header->count(); ++visual) {
        const int logical = m_header->logicalIndex(visual);
        const int width = metrics.horizontalAdvance(columnTitle(logical)) + TITLE_MARGIN;
        m_header->setSectionMinimumSize(logical, width);
        m_header->resizeSection(logical, width);
    }
    m_header->setStretchLastSection(true);
}

void Grid::sortAscendingBy(int id) {
    if (!hasColumn(id))
        return;
    const int column = columnIndex(id);
    // With sorting on, moving the sort indicator already makes the view sort; sorting the items as well would
    // sort the whole table twice.
    if (isSortingEnabled() && (m_header->sortIndicatorSection() != column ||
                               m_header->sortIndicatorOrder() != Qt::AscendingOrder)) {
        m_header->setSortIndicator(column, Qt::AscendingOrder);
        return;
    }
    sortItems(column, Qt::AscendingOrder);
}

void Grid::sortByNumber() {
    sortAscendingBy(NUMBER_COLUMN);
}

void Grid::sortByMyNumber() {
    sortAscendingBy(POSITION_COLUMN);
}

// ---------------------------------------------------------------------------------------------------------
// Cell builders

void Grid::setCellItem(QTableWidgetItem *item, int row, int column, bool editable) {
    if (!item)
        return;
    if (!isValidRow(row) || column < 0 || column >= columnCount()) {
        delete item;
        return;
    }
    // Our own cells show the table's alignment by default; only other items need it stored.
    if (!dynamic_cast<ChannelCellItem *>(item))
        item->setTextAlignment(CELL_ALIGNMENT);
    item->setFlags(editable ? EDITABLE_FLAGS : READ_ONLY_FLAGS);
    setItem(row, column, item);
}

void Grid::placeTextItem(QTableWidgetItem *item, const QString &text, bool editable, int row, int column) {
    item->setText(text);
    setCellItem(item, row, column, editable);
}

void Grid::setCheckCell(bool checked, Channel *channel, int row) {
    const int column = cellColumn(CHECK_COLUMN);
    if (column < 0 || !isValidRow(row))
        return;
    auto *item = new CheckBoxItem(channel, checked);
    item->setFlags(READ_ONLY_FLAGS);
    setItem(row, column, item);
}

void Grid::setNumberCell(Channel *channel, bool editable, int row) {
    const int column = cellColumn(NUMBER_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    auto *item = new ChannelNumberTableWidgetItem(channel);
    if (channel->kind() == Channel::ANALOGUE)
        item->setData(Qt::DecorationRole, analogueIcon());
    item->setData(Qt::UserRole, int(channel->number()));
    placeTextItem(item, QString::number(channel->number()), editable, row, column);
}

void Grid::setNameCell(Channel *channel, bool editable, int row) {
    const int column = cellColumn(NAME_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    auto *item = new ChannelCellItem(nullptr, NAME_COLUMN);
    placeTextItem(item, channel->name().trimmed(), editable && isRenamable(channel), row, column);
}

bool Grid::isRenamable(const Channel *channel) {
    const bool takesNames =
        dynamic_cast<const AirChannel *>(channel) || dynamic_cast<const CableChannel *>(channel);
    return takesNames && channel->kind() == Channel::ANALOGUE;
}

void Grid::setFavCell(Channel *channel, int row) {
    const int column = cellColumn(FAVOURITES_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    auto *item = new FavItem(channel);
    const int mask = channel->favouritesMask();
    if (mask != 0)
        item->setData(Qt::DecorationRole, favIcon(mask));
    setCellItem(item, row, column, false);
}

void Grid::setLockCell(Channel *channel, int row) {
    const int column = cellColumn(LOCKED_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    auto *item = new ChildLockItem(channel);
    if (channel->isLocked())
        item->setData(Qt::DecorationRole, lockedIcon());
    setCellItem(item, row, column, false);
}

void Grid::setFrequencyCell(Channel *channel, int row, bool inMHz) {
    const int column = cellColumn(FREQUENCY_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    const QString text = generalNumber(shownFrequency(channel->frequency(), inMHz)) + QLatin1Char(' ') +
                         sharedText(inMHz ? MHZ_TEXT : KHZ_TEXT, 0);
    placeTextItem(new FreqItem(channel), text, false, row, column);
}

void Grid::setSymbolRateCell(SatelliteChannel *channel, int row) {
    const int column = cellColumn(SYMBOL_RATE_COLUMN);
    if (column < 0 || !channel || !isValidRow(row))
        return;
    const QString text =
        QString::number(uint(channel->symbolRate()) / 1000u) + QLatin1Char(' ') + sharedText(KSPS_TEXT, 0);
    placeTextItem(new SymbolRateItem(channel), text, false, row, column);
}

void Grid::setModulationCell(SatelliteChannel *channel, int row) {
    if (channel)
        setTextCell(MODULATION_COLUMN, sharedText(MODULATION_COLUMN, channel->modulation()), false, row);
}

void Grid::setPolarityCell(SatelliteChannel *channel, int row) {
    if (channel)
        setTextCell(POLARITY_COLUMN, sharedText(POLARITY_COLUMN, channel->polarity()), false, row);
}

void Grid::setFecCell(SatelliteChannel *channel, int row) {
    if (channel)
        setTextCell(FEC_COLUMN, sharedText(FEC_COLUMN, channel->fec()), false, row);
}

void Grid::setTextCell(int id, const QString &text, bool editable, int row) {
    const int column = cellColumn(id);
    if (column < 0 || !isValidRow(row))
        return;
    placeTextItem(new ChannelCellItem(nullptr, id), text, editable, row, column);
}

QTableWidgetItem *Grid::setIntCell(int id, int value, bool editable, int row) {
    const int column = cellColumn(id);
    if (column < 0 || !isValidRow(row))
        return nullptr;
    auto *item = new ChannelCellItem(nullptr, id);
    placeTextItem(item, QString::number(value), editable, row, column);
    return item;
}

QString Grid::sharedText(int id, int code) {
    // While a batch of rows is built, each of these texts is translated once and every cell shares it; the
    // batch ends with the outermost insert bracket, so a later batch translates anew.
    const qint64 key = qint64((quint64(quint32(id)) << 32) | quint32(code));
    if (m_insertCounter > 0) {
        const auto it = m_batchTexts.constFind(key);
        if (it != m_batchTexts.cend())
            return *it;
    }
    QString text;
    switch (id) {
    case MODULATION_COLUMN:
        text = ModulationNames::text(code);
        break;
    case POLARITY_COLUMN:
        text = PolarityNames::text(code);
        break;
    case FEC_COLUMN:
        text = FecNames::text(code);
        break;
    case MHZ_TEXT:
        text = SharedTexts::mhz();
        break;
    case KHZ_TEXT:
        text = SharedTexts::khz();
        break;
    case KSPS_TEXT:
        text = SharedTexts::ksps();
        break;
    default:
        break;
    }
    if (m_insertCounter > 0)
        m_batchTexts.insert(key, text);
    return text;
}

// ---------------------------------------------------------------------------------------------------------
// Cell updaters

void Grid::updateName(Channel *channel, int row) {
    QTableWidgetItem *cell =
        isValidRow(row) && hasColumn(NAME_COLUMN) ? item(row, cellColumn(NAME_COLUMN)) : nullptr;
    if (cell && channel)
        cell->setText(channel->name());
}

void Grid::updateNumber(Channel *channel, int row) {
    QTableWidgetItem *cell =
        isValidRow(row) && hasColumn(NUMBER_COLUMN) ? item(row, cellColumn(NUMBER_COLUMN)) : nullptr;
    if (cell && channel)
        cell->setText(QString::number(channel->number()));
}

void Grid::updateFavIcon(Channel *channel, int row) {
    QTableWidgetItem *cell =
        isValidRow(row) && hasColumn(FAVOURITES_COLUMN) ? item(row, cellColumn(FAVOURITES_COLUMN)) : nullptr;
    if (!cell || !channel)
        return;
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    cell->setData(Qt::DecorationRole, favIcon(channel->favouritesMask()));
    setUpdatesEnabled(updates);
}

void Grid::updateLockIcon(Channel *channel, int row) {
    QTableWidgetItem *cell =
        isValidRow(row) && hasColumn(LOCKED_COLUMN) ? item(row, cellColumn(LOCKED_COLUMN)) : nullptr;
    if (cell && channel)
        cell->setData(Qt::DecorationRole, channel->isLocked() ? lockedIcon() : emptyIcon());
}

void Grid::setRowToolTip(int row, const QString &text) {
    if (!isValidRow(row))
        return;
    m_rowToolTipsGiven = true;
    beginInsert();
    // The text is kept once, in the row's check cell; our other cells show it from there. Items of any other
    // kind get the same shared text.
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem *cell = item(row, column);
        if (!cell)
            continue;
        const auto *own = dynamic_cast<const ChannelCellItem *>(cell);
        if (!own || own->hasOwnToolTip())
            cell->setToolTip(text);
    }
    endInsert();
}

void Grid::resetRowToolTip(int row) {
    // Rows keep no text of their own until one is given; a table that was never given one has nothing to
    // clear, which spares a look at every cell of every row while a table is filled.
    if (!m_rowToolTipsGiven || !isValidRow(row))
        return;
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem *cell = item(row, column);
        if (cell && cell->QTableWidgetItem::data(Qt::ToolTipRole).isValid())
            cell->setData(Qt::ToolTipRole, QVariant());
    }
}

// ---------------------------------------------------------------------------------------------------------
// Row access

CheckBoxItem *Grid::checkBoxItem(int row) const {
    if (!isValidRow(row))
        return nullptr;
    return dynamic_cast<CheckBoxItem *>(item(row, columnIndex(CHECK_COLUMN)));
}

Channel *Grid::channelAt(int row) const {
    const CheckBoxItem *check = checkBoxItem(row);
    return check ? check->channel() : nullptr;
}

int Grid::channelKindAt(int row) const {
    const Channel *channel = channelAt(row);
    return channel ? channel->kind() : -1;
}

bool Grid::isRowEnabled(int row) const {
    const CheckBoxItem *check = checkBoxItem(row);
    return check && (check->flags() & Qt::ItemIsEnabled);
}

bool Grid::isRowChecked(int row) const {
    const CheckBoxItem *check = checkBoxItem(row);
    return check && check->isChecked();
}

bool Grid::isRowVisible(int row) const {
    const CheckBoxItem *check = checkBoxItem(row);
    return check && check->isShown();
}

int Grid::rowOfChannel(const Channel *channel) const {
    if (!channel)
        return -1;
    const int recorded = m_rowOfChannel.value(channel, -1);
    if (recorded != -1 && channelAt(recorded) == channel)
        return recorded;
    indexRows();
    return m_rowOfChannel.value(channel, -1);
}

int Grid::rowOfItem(const CheckBoxItem *item) const {
    if (!item || item->tableWidget() != this)
        return -1;
    const int recorded = m_rowOfItem.value(item, -1);
    if (recorded != -1 && checkBoxItem(recorded) == item)
        return recorded;
    indexRows();
    return m_rowOfItem.value(item, -1);
}

void Grid::indexRows() const {
    m_rowOfItem.clear();
    m_rowOfChannel.clear();
    // Ascending, so that a channel shown in two rows maps to the last one.
    for (int row = 0; row < rowCount(); ++row) {
        const CheckBoxItem *check = checkBoxItem(row);
        if (!check)
            continue;
        m_rowOfItem.insert(check, row);
        if (check->channel())
            m_rowOfChannel.insert(check->channel(), row);
    }
}

int Grid::rowOfNumber(int number, bool analogue) const {
    const int kind = analogue ? Channel::ANALOGUE : Channel::DIGITAL;
    for (int row = rowCount() - 1; row >= 0; --row) {
        const Channel *channel = channelAt(row);
        if (channel && !channel->isDeleted() && channel->number() == number && channel->kind() == kind)
            return row;
    }
    return -1;
}

int Grid::firstVisibleRowOfKind(int kind) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowVisible(row) && channelKindAt(row) == kind)
            return row;
    }
    return -1;
}

int Grid::lastVisibleRowOfKind(int kind) const {
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (isRowVisible(row) && channelKindAt(row) == kind)
            return row;
    }
    return -1;
}

int Grid::firstCheckedVisibleRow() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowChecked(row) && isRowVisible(row))
            return row;
    }
    return -1;
}

int Grid::countVisibleRows() const {
    int count = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowVisible(row))
            ++count;
    }
    return count;
}

// ---------------------------------------------------------------------------------------------------------
// Current row and selection

int Grid::currentVisibleRow() const {
    if (m_deselected)
        return -1;
    const int row = currentRow();
    if (row < 0 || !isRowVisible(row))
        return -1;
    return row;
}

int Grid::selectionKind() const {
    if (m_checkedCount > 0)
        return CHECKED_ROWS;
    return hasCurrent() ? CURRENT_ROW : NOTHING_SELECTED;
}

Channel *Grid::currentChannel() const {
    return channelAt(currentVisibleRow());
}

void Grid::clearCurrent() {
    {
        const QSignalBlocker blocker(this);
        clearSelection();
    }
    m_deselected = true;
    updateSelectionState();
    emit currentChannelChanged(-1);
}

void Grid::applySelectMode(int selectMode, int firstShown, int firstNewlyShown, int oldCurrent) {
    switch (selectMode) {
    case SELECT_FIRST_SHOWN:
        selectRowOrClear(firstShown);
        break;
    case KEEP_CURRENT:
        if (oldCurrent == -1 || !isRowVisible(oldCurrent) || !isRowEnabled(oldCurrent))
            clearCurrent();
        break;
    case CLEAR_CURRENT:
        clearCurrent();
        break;
    case SELECT_FIRST_NEWLY_SHOWN:
        selectRowOrClear(firstNewlyShown);
        break;
    default:
        break;
    }
}

void Grid::selectRowOrClear(int row) {
    if (row == -1 || !isValidRow(row)) {
        clearCurrent();
        return;
    }
    selectRow(row);
    m_deselected = false;
}

void Grid::reselectCurrent() {
    selectRowOrClear(currentVisibleRow());
}

void Grid::selectFirstVisible() {
    if (m_visibleCount <= 0 || rowCount() == 0)
        return;
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowVisible(row)) {
            selectRowOrClear(row);
            return;
        }
    }
}

void Grid::updateSelectionState() {
    const int state = currentVisibleRow() != -1 ? 1 : 2;
    if (state != m_selectionState) {
        m_selectionState = state;
        emit selectionStateChanged(state == 1);
    }
}

void Grid::on_itemSelectionChanged() {
    m_deselected = false;
    updateSelectionState();
    emit currentChannelChanged(currentVisibleRow());
}

// ---------------------------------------------------------------------------------------------------------
// Check marks

void Grid::setRowChecked(int row, bool checked) {
    CheckBoxItem *check = checkBoxItem(row);
    if (!check || check->isChecked() == checked)
        return;
    check->setChecked(checked);
    if (checked) {
        ++m_checkedCount;
        emit channelChecked(row);
        emit checkedNumberChanged(m_checkedCount);
        if (m_checkedCount == 1)
            emit selectionStateChanged(true);
    } else {
        --m_checkedCount;
        emit channelUnchecked(row);
        emit checkedNumberChanged(m_checkedCount);
    }
}

void Grid::selectAll(bool) {
    selectAll();
}

void Grid::selectAll() {
    beginInsert();
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowVisible(row) && isRowEnabled(row))
            setRowChecked(row, true);
    }
    endInsert();
    updateHeaderCheckState();
    emit selectionStateChanged(true);
}

void Grid::deselectAll(bool) {
    deselectAll();
}

void Grid::deselectAll() {
    beginInsert();
    if (m_checkedCount > 0) {
        for (int row = 0; row < rowCount(); ++row) {
            // One look-up of the row's item; only a checked row changes.
            const CheckBoxItem *check = checkBoxItem(row);
            if (check && check->isChecked() && check->isShown() && (check->flags() & Qt::ItemIsEnabled))
                setRowChecked(row, false);
        }
    }
    endInsert();
    updateHeaderCheckState();
    emit selectionStateChanged(true);
}

int Grid::toggleAll() {
    int result;
    if (m_checkableCount == m_checkedCount) {
        deselectAll();
        result = TOGGLED_NONE;
    } else {
        selectAll();
        result = TOGGLED_ALL;
    }
    updateRowHeights();
    return result;
}

void Grid::updateHeaderCheckState() {
    int state;
    if (m_checkableCount <= 0 || m_checkedCount <= 0)
        state = 0;
    else if (m_checkableCount > m_checkedCount)
        state = 1;
    else
        state = 2;
    m_header->setCheckState(state);
}

void Grid::on_cellClicked(int row, int column) {
    if (m_rightButtonPressed || columnIdAt(column) != CHECK_COLUMN || !isRowEnabled(row))
        return;
    beginInsert();
    setRowChecked(row, !isRowChecked(row));
    updateHeaderCheckState();
    endInsert();
    refreshIfSortedBy(CHECK_COLUMN);
}

// ---------------------------------------------------------------------------------------------------------
// Visibility and filtering

void Grid::setRowVisible(int row, bool visible) {
    CheckBoxItem *check = checkBoxItem(row);
    if (!check || check->isShown() == visible)
        return;
    if (visible) {
        setRowHeight(row, SHOWN_ROW_HEIGHT);
        check->setShown(true);
        ++m_visibleCount;
        updateSelectionState();
    } else {
        setRowHeight(row, 0);
        check->setShown(false);
        --m_visibleCount;
        setRowChecked(row, false);
        updateSelectionState();
    }
}

void Grid::updateRowHeight(int row) {
    if (!isValidRow(row))
        return;
    const int height = isRowVisible(row) ? SHOWN_ROW_HEIGHT : 0;
    if (rowHeight(row) != height)
        setRowHeight(row, height);
}

void Grid::updateRowHeights() {
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    m_checkableCount = 0;
    for (int row = rowCount() - 1; row >= 0; --row) {
        updateRowHeight(row);
        if (isRowVisible(row) && isRowEnabled(row))
            ++m_checkableCount;
    }
    setUpdatesEnabled(updates);
    updateHeaderCheckState();
}

bool Grid::isSortedBy(int id) const {
    const int section = m_header->sortIndicatorSection();
    return section != -1 && section < columnCount() && columnIdAt(section) == id;
}

void Grid::refreshIfSortedBy(int id) {
    if (isSortedBy(id))
        updateRowHeights();
}

bool Grid::matchesFilter(const Channel *channel, int typeMask, int satelliteId) {
    if (channel->isDeleted() || (typeMask & channel->category()) == 0)
        return false;
    if (satelliteId == -1)
        return true;
    const auto *satellite = dynamic_cast<const SatelliteChannel *>(channel);
    return !satellite || satellite->satelliteId() == quint16(satelliteId);
}

void Grid::filter(int typeMask, int favNo, int satelliteId, int selectMode, bool uncheckAll,
                  bool checkShown) {
    // The table re-sorts itself only for changes in its sort column; check marks move rows only when it is
    // sorted by them. Otherwise a pass that sets marks and hides rows leaves the order alone and the table is
    // spared a full sort at the end.
    const bool marksMoveRows = isSortingEnabled() && isSortedBy(CHECK_COLUMN);
    if (marksMoveRows)
        beginInsert();
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    m_typeMask = typeMask;
    m_favNo = favNo;
    const int oldCurrent = currentVisibleRow();
    m_checkableCount = 0;

    if (rowCount() > 0) {
        int firstShown = -1;
        int firstNewlyShown = -1;
        for (int row = 0; row < rowCount(); ++row) {
            const Channel *channel = channelAt(row);
            if (!channel)
                continue;
            if (uncheckAll)
                setRowChecked(row, false);
            const bool shown = matchesFilter(channel, typeMask, satelliteId) &&
                               (favNo == 0 || channel->isInFavourites(quint16(favNo)));
            if (shown && !isRowVisible(row)) {
                if (checkShown)
                    setRowChecked(row, true);
                if (firstNewlyShown == -1)
                    firstNewlyShown = row;
            }
            setRowVisible(row, shown);
            if (shown) {
                if (firstShown == -1)
                    firstShown = row;
                if (isRowEnabled(row))
                    ++m_checkableCount;
            }
        }

        applySelectMode(selectMode, firstShown, firstNewlyShown, oldCurrent);
    }

    emit filterFinished();
    setUpdatesEnabled(updates);
    if (marksMoveRows)
        endInsert();
    updateRowHeights();
    updateHeaderCheckState();
    if (selectMode == SELECT_FIRST_NEWLY_SHOWN && currentVisibleRow() != -1) {
        // The selection scrolled while the scroll range still ended at the rows shown before this pass, so
        // it stopped short of a row shown at the end; with the range brought up to date the row comes into
        // view.
        updateGeometries();
        scrollTo(currentIndex());
    }
}

void Grid::refilter(int selectMode, bool uncheckAll, bool checkShown) {
    filter(m_typeMask, m_favNo, -1, selectMode, uncheckAll, checkShown);
}

// ---------------------------------------------------------------------------------------------------------
// Sorting suspension

void Grid::beginInsert() {
    if (m_insertCounter == 0)
        setSortingEnabled(false);
    ++m_insertCounter;
}

void Grid::endInsert() {
    if (m_insertCounter <= 0)
        return;
    --m_insertCounter;
    if (m_insertCounter == 0) {
        m_batchTexts.clear();
        setSortingEnabled(true);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Filling in one go

namespace {
void addRowTo(Grid &grid, AirChannel *channel, int row) {
    grid.addAirRow(channel, row);
}
void addRowTo(Grid &grid, CableChannel *channel, int row) {
    grid.addCableRow(channel, row);
}
void addRowTo(Grid &grid, SatelliteChannel *channel, int row) {
    grid.addSatelliteRow(channel, row);
}
} // namespace

template <typename T> void Grid::fillFrom(ChannelList<T> &channels) {
    setRowCount(channels.size());
    beginInsert();
    for (int i = 0; i < channels.size(); ++i) {
        addRowTo(*this, channels.channelAt(i), i);
        updateRowHeight(i);
    }
    m_visibleCount = countVisibleRows();
    endInsert();
    fitColumnsToTitles();
    sortByNumber();
}

void Grid::setChannels(ChannelList<AirChannel> &channels) {
    fillFrom(channels);
}

void Grid::setChannels(ChannelList<CableChannel> &channels) {
    fillFrom(channels);
}

void Grid::setChannels(ChannelList<SatelliteChannel> &channels) {
    fillFrom(channels);
}

// ---------------------------------------------------------------------------------------------------------
// Diagnostics and events

void Grid::dump(const QString &label) {
    qCDebug(lcTables) << label << ": all =" << rowCount() << ", vis =" << m_visibleCount
                      << ", checked =" << m_checkedCount << ", current =" << currentVisibleRow()
                      << ", deselected =" << (m_deselected ? "true" : "false")
                      << ", insertCounter =" << m_insertCounter;
}

void Grid::mousePressEvent(QMouseEvent *event) {
    m_rightButtonPressed = event->button() == Qt::RightButton;
    QTableWidget::mousePressEvent(event);
}

void Grid::paintEvent(QPaintEvent *event) {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QHeaderView *rows = verticalHeader();
    const QHeaderView *columns = horizontalHeader();
    QPainter painter(viewport());
    if (rows->count() == 0 || columns->count() == 0)
        return;

    const int endX = columns->length() - 1 - columns->offset();
    const int endY = rows->length() - 1 - rows->offset();
    painter.fillRect(event->rect(), backgroundBrush());

    for (const QRect &dirty : event->region()) {
        int left = columns->visualIndexAt(dirty.left());
        if (left == -1)
            left = 0;
        int right = columns->visualIndexAt(qMin(dirty.right(), endX));
        if (right == -1)
            right = columns->count() - 1;
        int bottom = rows->visualIndexAt(qMin(dirty.bottom(), endY));
        if (bottom == -1)
            bottom = rows->count() - 1;
        const int top = rows->visualIndexAt(dirty.top());
        if (top == -1 || top > bottom)
            continue;

        // Stripes alternate over the painted rows only: a hidden row leaves no gap in the pattern.
        bool stripe = top % 2;
        for (int visualRow = top; visualRow <= bottom; ++visualRow) {
            const int row = rows->logicalIndex(visualRow);
            const int height = rows->sectionSize(row);
            if (height == 0)
                continue;
            const int y = rows->sectionViewportPosition(row);
            for (int visualColumn = left; visualColumn <= right; ++visualColumn) {
                const int column = columns->logicalIndex(visualColumn);
                if (columns->isSectionHidden(column))
                    continue;
                const QModelIndex index = model()->index(row, column, rootIndex());
                if (!index.isValid())
                    continue;
                option.rect =
                    QRect(columns->sectionViewportPosition(column), y, columns->sectionSize(column), height);
                if (stripe)
                    option.features |= QStyleOptionViewItem::Alternate;
                else
                    option.features &= ~QStyleOptionViewItem::Alternate;
                drawCell(&painter, option, index);
            }
            stripe = !stripe;
        }
    }
}

void Grid::drawCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) {
    QStyleOptionViewItem cell(option);
    if (selectionModel() && selectionModel()->isSelected(index))
        cell.state |= QStyle::State_Selected;
    if (cell.state & QStyle::State_Enabled) {
        if (!(model()->flags(index) & Qt::ItemIsEnabled)) {
            cell.state &= ~QStyle::State_Enabled;
            cell.palette.setCurrentColorGroup(QPalette::Disabled);
        } else {
            cell.palette.setCurrentColorGroup(QPalette::Normal);
        }
    }
    if (cell.features & QStyleOptionViewItem::Alternate)
        painter->fillRect(cell.rect, stripeBrush());
    itemDelegateForIndex(index)->paint(painter, cell, index);
}
