#ifndef TESTGRID_H
#define TESTGRID_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "tables/chlistuploader.h"
#include "tables/grid.h"

#include <QContextMenuEvent>

// A concrete table for the tests, built like the main table: the column set of its list kind and rows
// whose cells follow the main table's rules (Astra HD+ rows of deleted channels hidden).
class TestGrid : public Grid {
public:
    TestGrid(int listKind, QWidget *parent = nullptr) : Grid(parent, listKind) {
        const QList<int> airCable = {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN,
                                     FREQUENCY_COLUMN};
        const QList<int> satellite = {NUMBER_COLUMN,     NAME_COLUMN,        FAVOURITES_COLUMN,
                                      LOCKED_COLUMN,     SATELLITE_COLUMN,   PROVIDER_COLUMN,
                                      FREQUENCY_COLUMN,  SYMBOL_RATE_COLUMN, POLARITY_COLUMN,
                                      MODULATION_COLUMN, FEC_COLUMN};
        for (int id : (listKind < SATELLITE_LIST ? airCable : satellite))
            addColumn(id);
        createContextMenu();
    }

    int addAirRows = 0;
    int addCableRows = 0;
    int addSatelliteRows = 0;
    int addAstraHDRows = 0;
    int sortDefaults = 0;
    int contextMenus = 0;

    void refreshAllRows(bool clearModified) override {
        beginInsert();
        for (int row = rowCount() - 1; row >= 0; --row) {
            Channel *channel = channelAt(row);
            updateNumber(channel, row);
            updateName(channel, row);
            updateFavIcon(channel, row);
            setRowToolTip(row, channel->toString());
            if (clearModified)
                channel->setModified(false);
        }
        endInsert();
    }
    void sortDefault() override {
        ++sortDefaults;
        sortByNumber();
    }
    void createContextMenu() override {}
    void addAirRow(AirChannel *channel, int row) override {
        ++addAirRows;
        addCommon(channel, true, row);
        setFrequencyCell(channel, row, false);
        setRowToolTip(row, channel->toString());
    }
    void addCableRow(CableChannel *channel, int row) override {
        ++addCableRows;
        addCommon(channel, true, row);
        setFrequencyCell(channel, row, false);
        setRowToolTip(row, channel->toString());
    }
    void addSatelliteRow(SatelliteChannel *channel, int row) override {
        ++addSatelliteRows;
        addSatelliteCells(channel, true, row);
    }
    void addAstraHDRow(AstraHDChannel *channel, int row) override {
        ++addAstraHDRows;
        addSatelliteCells(channel, channel->number() < 100, row);
        if (channel->isDeleted())
            setRowVisible(row, false);
    }

    using Grid::rightButtonPressed;

protected:
    void contextMenuEvent(QContextMenuEvent *) override { ++contextMenus; }

private:
    void addCommon(Channel *channel, bool numberEditable, int row) {
        setCheckCell(false, channel, row);
        setNumberCell(channel, numberEditable, row);
        setNameCell(channel, true, row);
        setFavCell(channel, row);
        setLockCell(channel, row);
    }
    void addSatelliteCells(SatelliteChannel *channel, bool numberEditable, int row) {
        addCommon(channel, numberEditable, row);
        setTextCell(SATELLITE_COLUMN, channel->satelliteName().trimmed(), false, row);
        setTextCell(PROVIDER_COLUMN, channel->providerName().trimmed(), false, row);
        setFrequencyCell(channel, row, true);
        setSymbolRateCell(channel, row);
        setPolarityCell(channel, row);
        setModulationCell(channel, row);
        setFecCell(channel, row);
        setRowToolTip(row, channel->toString());
    }
};

// Fills a table the way the main window does: begin, every step, finish.
template <typename T> void uploadAll(ChannelList<T> &list, Grid &grid) {
    ChListUploader<T> uploader(&list, &grid);
    uploader.begin();
    while (uploader.uploadNext()) {
    }
    uploader.finish();
}

// The text of a row's cell in a column id, empty when there is no such cell.
inline QString cellText(const Grid &grid, int row, int id) {
    if (!grid.hasColumn(id))
        return QString();
    const QTableWidgetItem *cell = grid.item(row, grid.columnIndex(id));
    return cell ? cell->text() : QString();
}

// The channel names of the rows, top to bottom.
inline QStringList rowNames(const Grid &grid) {
    QStringList names;
    for (int row = 0; row < grid.rowCount(); ++row)
        names << (grid.channelAt(row) ? grid.channelAt(row)->name() : QString());
    return names;
}

#endif
