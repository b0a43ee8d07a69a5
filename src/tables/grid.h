#ifndef GRID_H
#define GRID_H

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QIcon>
#include <QMap>
#include <QStyleOptionViewItem>
#include <QTableWidget>

class AirChannel;
class AstraHDChannel;
class CableChannel;
class Channel;
class CheckBoxItem;
class HeaderView;
class ItemDelegate;
class QMenu;
class SatelliteChannel;
class UndoStack;
template <typename T> class ChannelList;

// The common base of every channel table. Each row shows one channel of the open document; the row's first
// cell, a CheckBoxItem, carries the channel pointer and the row's shown flag, and everything else finds a
// row's channel through it. Rows are hidden by giving them height 0, never removed, so filtering never
// rebuilds cells. Channel pointers are not owned: the document outlives its tables.
class Grid : public QTableWidget {
    Q_OBJECT

public:
    // Column ids, stored as the type of the column's horizontal header item.
    enum ColumnId {
        CHECK_COLUMN = 1000,
        NUMBER_COLUMN = 1001,
        NAME_COLUMN = 1002,
        FAVOURITES_COLUMN = 1003,
        LOCKED_COLUMN = 1004,
        SATELLITE_COLUMN = 1005,
        PROVIDER_COLUMN = 1006,
        FREQUENCY_COLUMN = 1007,
        MODULATION_COLUMN = 1008,
        POLARITY_COLUMN = 1009,
        FEC_COLUMN = 1010,
        SYMBOL_RATE_COLUMN = 1011,
        POSITION_COLUMN = 1012
    };
    enum ListKind { AIR_LIST = 0, CABLE_LIST = 1, SATELLITE_LIST = 2, ASTRA_HD_LIST = 3 };
    // What the filter does with the current row afterwards.
    enum SelectMode {
        SELECT_FIRST_SHOWN = 0,
        KEEP_CURRENT = 1,
        CLEAR_CURRENT = 2,
        SELECT_FIRST_NEWLY_SHOWN = 3
    };
    // What an edit acts on: the checked rows, else the current row, else nothing.
    enum SelectionKind { NOTHING_SELECTED = 0, CURRENT_ROW = 1, CHECKED_ROWS = 2 };

    static constexpr int SHOWN_ROW_HEIGHT = 27;
    static constexpr int CHECK_COLUMN_WIDTH = 38;
    // Room beside a column title for the sort indicator.
    static constexpr int TITLE_MARGIN = 40;
    // Added to an analogue channel's number when sorting, so analogue channels follow every digital one.
    static constexpr qint16 ANALOGUE_SORT_OFFSET = 10009;
    static constexpr int ALL_CATEGORIES = 7;
    static constexpr int TOGGLED_NONE = 0;
    static constexpr int TOGGLED_ALL = 2;

    ~Grid() override;

    // Process-wide table statics. Called once the application object exists and before any table is made;
    // calling it again rebuilds them.
    static void initStatics(UndoStack *undoStack);
    static UndoStack *undoStack();
    static QFont tableFont();
    static QFontMetrics tableFontMetrics();
    // Title of a column id; empty for an id without title.
    static QString titleOf(int id);
    static QIcon lockedIcon();
    static QIcon analogueIcon();
    static QIcon emptyIcon();
    // The favourites strip of a membership mask (bit i-1 = list i); mask 0 is the empty strip.
    static QIcon favIcon(int mask);
    static QBrush backgroundBrush();
    static QBrush stripeBrush();
    // Only analogue air and cable channels take a new name; every other channel keeps the one it has, so
    // its Name cell is never editable and no rename is offered for it.
    static bool isRenamable(const Channel *channel);

    int listKind() const { return m_listKind; }

    // Columns.
    void addColumn(int id);
    // The index of a column id; 0 for an id the table lacks (test hasColumn where that can happen).
    int columnIndex(int id) const;
    bool hasColumn(int id) const;
    int columnIdAt(int column) const;
    QString columnTitle(int column) const;
    HeaderView *header() const { return m_header; }
    void fitColumnsToTitles();
    void sortByNumber();
    void sortByMyNumber();

    // Cell builders. A builder whose column the table lacks does nothing.
    void setCheckCell(bool checked, Channel *channel, int row);
    void setNumberCell(Channel *channel, bool editable, int row);
    void setNameCell(Channel *channel, bool editable, int row);
    void setFavCell(Channel *channel, int row);
    void setLockCell(Channel *channel, int row);
    void setFrequencyCell(Channel *channel, int row, bool inMHz);
    void setSymbolRateCell(SatelliteChannel *channel, int row);
    void setModulationCell(SatelliteChannel *channel, int row);
    void setPolarityCell(SatelliteChannel *channel, int row);
    void setFecCell(SatelliteChannel *channel, int row);
    void setTextCell(int id, const QString &text, bool editable, int row);
    QTableWidgetItem *setIntCell(int id, int value, bool editable, int row);
    // Takes the item; a row or column outside the table deletes it instead.
    void setCellItem(QTableWidgetItem *item, int row, int column, bool editable);

    // Cell updaters after edits.
    void updateName(Channel *channel, int row);
    void updateNumber(Channel *channel, int row);
    void updateFavIcon(Channel *channel, int row);
    void updateLockIcon(Channel *channel, int row);
    void setRowToolTip(int row, const QString &text);
    // The row shows its channel's description again (made when shown) instead of a text setRowToolTip gave
    // it.
    void resetRowToolTip(int row);

    // Row access. Rows outside the table (-1 included) give null, false or -1.
    CheckBoxItem *checkBoxItem(int row) const;
    Channel *channelAt(int row) const;
    int channelKindAt(int row) const;
    bool isRowEnabled(int row) const;
    bool isRowChecked(int row) const;
    bool isRowVisible(int row) const;
    // The last row that shows the channel, -1 when none does.
    int rowOfChannel(const Channel *channel) const;
    // The row of a check item of this table; -1 for an item of another table or of none.
    int rowOfItem(const CheckBoxItem *item) const;
    int rowOfNumber(int number, bool analogue) const;
    int firstVisibleRowOfKind(int kind) const;
    int lastVisibleRowOfKind(int kind) const;
    int firstCheckedVisibleRow() const;

    // Counters.
    int visibleCount() const { return m_visibleCount; }
    void setVisibleCount(int count) { m_visibleCount = count; }
    int checkedCount() const { return m_checkedCount; }
    int checkableCount() const { return m_checkableCount; }
    bool hasVisibleChannels() const { return m_visibleCount > 0; }
    bool hasCheckedChannels() const { return m_checkedCount > 0; }
    void incVisibleCount() { ++m_visibleCount; }
    void decVisibleCount() { --m_visibleCount; }
    // Recounts the shown rows from their shown flags.
    int countVisibleRows() const;

    // Current row and selection. The toolkit's selection holds at most one row; check marks are separate.
    int currentVisibleRow() const;
    bool hasCurrent() const { return currentVisibleRow() != -1; }
    bool hasSelection() const { return hasCurrent() || m_checkedCount > 0; }
    int selectionKind() const;
    Channel *currentChannel() const;
    void clearCurrent();
    void selectRowOrClear(int row);
    // After a filter pass: makes the current row follow the select mode (SELECT_FIRST_SHOWN, KEEP_CURRENT,
    // ...).
    void applySelectMode(int selectMode, int firstShown, int firstNewlyShown, int oldCurrent);
    void reselectCurrent();
    void selectFirstVisible();
    void updateSelectionState();
    bool isDeselected() const { return m_deselected; }

    // Check marks, visibility and filtering.
    void setRowChecked(int row, bool checked);
    int toggleAll();
    void updateHeaderCheckState();
    void setRowVisible(int row, bool visible);
    void updateRowHeight(int row);
    void updateRowHeights();
    bool isSortedBy(int id) const;
    void refreshIfSortedBy(int id);
    virtual void filter(int typeMask, int favNo, int satelliteId, int selectMode, bool uncheckAll,
                        bool checkShown);
    void refilter(int selectMode, bool uncheckAll, bool checkShown);
    int typeMask() const { return m_typeMask; }
    int favNo() const { return m_favNo; }

    // Sorting stays suspended while any bracket is open; brackets nest.
    void beginInsert();
    void endInsert();
    bool isInserting() const { return m_insertCounter != 0; }

    // Fill the whole table from a list in one go (tables are normally filled by a list uploader).
    void setChannels(ChannelList<AirChannel> &channels);
    void setChannels(ChannelList<CableChannel> &channels);
    void setChannels(ChannelList<SatelliteChannel> &channels);

    virtual void refreshAllRows(bool clearModified) = 0;
    virtual void dump(const QString &label);
    virtual void sortDefault() = 0;
    virtual void createContextMenu() = 0;
    virtual void addAirRow(AirChannel *channel, int row) = 0;
    virtual void addCableRow(CableChannel *channel, int row) = 0;
    virtual void addSatelliteRow(SatelliteChannel *channel, int row) = 0;
    virtual void addAstraHDRow(AstraHDChannel *channel, int row) = 0;
    virtual void resetCounters() {}

signals:
    void hasChannelsChanged();
    void channelChecked(int row);
    void channelUnchecked(int row);
    void currentChannelChanged(int row);
    void filterFinished();
    void listLoaded();
    void selectionStateChanged(bool selected);
    void checkedNumberChanged(int count);

public slots:
    void selectAll(bool checked);
    void selectAll() override;
    void deselectAll(bool checked);
    void deselectAll();
    void on_itemSelectionChanged();
    void on_cellClicked(int row, int column);

protected:
    Grid(QWidget *parent, int listKind);

    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override = 0;
    virtual void drawCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index);

    QMenu *contextMenu() const { return m_contextMenu; }
    // The table owns the menu and deletes it with itself.
    void setContextMenu(QMenu *menu);
    void setCheckableCount(int count) { m_checkableCount = count; }
    // The rule every table filters by: a row shows a channel that is not deleted, whose category is in
    // typeMask and which, when satelliteId is not -1 and it is a satellite channel, is on that satellite.
    static bool matchesFilter(const Channel *channel, int typeMask, int satelliteId);
    // Records the filter a subclass's own filter applied, for refilter.
    void setFilterState(int typeMask, int favNo) {
        m_typeMask = typeMask;
        m_favNo = favNo;
    }
    bool isValidRow(int row) const { return row >= 0 && row < rowCount(); }
    bool rightButtonPressed() const { return m_rightButtonPressed; }

private:
    static void makeFavIcons();
    void sortAscendingBy(int id);
    // A code name (id = its column) or unit text, shared by the cells of one batch of rows.
    QString sharedText(int id, int code);
    template <typename T> void fillFrom(ChannelList<T> &channels);
    // Column of a column id, or -1 when the table lacks it.
    int cellColumn(int id) const;
    void placeTextItem(QTableWidgetItem *item, const QString &text, bool editable, int row, int column);
    // Records the row of every check item and channel in one pass.
    void indexRows() const;

    ItemDelegate *m_delegate;
    int m_listKind;
    QMenu *m_contextMenu = nullptr;
    int m_visibleCount = 0;
    bool m_deselected = false;
    int m_checkedCount = 0;
    int m_checkableCount = 0;
    int m_insertCounter = 0;
    int m_typeMask = ALL_CATEGORIES;
    int m_favNo = 0;
    int m_selectionState = 0;
    QMap<int, int> m_columnIndex;
    HeaderView *m_header;
    bool m_rightButtonPressed = false;
    QHash<qint64, QString> m_batchTexts;
    // Whether any row was given a tool tip text through setRowToolTip.
    bool m_rowToolTipsGiven = false;
    // Rows as of the last indexRows(). Sorting moves rows (and the toolkit's own item-to-row look-up then
    // scans the whole table), so a look-up trusts a recorded row only after checking that it still holds
    // the item or channel, and indexes the table again when it does not: one pass per sort instead of one
    // per look-up.
    mutable QHash<const CheckBoxItem *, int> m_rowOfItem;
    mutable QHash<const Channel *, int> m_rowOfChannel;
};

#endif
