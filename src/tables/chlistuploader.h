#ifndef CHLISTUPLOADER_H
#define CHLISTUPLOADER_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/cablechannel.h"
#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "tables/grid.h"
#include "tables/ichlistuploader.h"

// The uploader of one channel list type (AirChannel, CableChannel, SatelliteChannel or AstraHDChannel).
// Every row it builds points at the channel inside the document's own list, whose channels keep their
// addresses while the tables exist. Neither the list nor the table is owned.
template <typename T> class ChListUploader : public IChListUploader {
public:
    ChListUploader(ChannelList<T> *list, Grid *table) : m_list(list), m_table(table) {}

    void begin() override {
        m_current = 0;
        m_row = 0;
        m_table->setRowCount(m_list->size());
        m_table->beginInsert();
    }

    bool uploadNext() override {
        if (m_current >= m_list->size())
            return false;
        // Overload resolution picks the row of the channel's own kind: an Astra HD+ channel, though also a
        // satellite channel, always gets the Astra HD+ row.
        addRow(m_list->channelAt(m_current), m_row);
        // A row the row builder hid (a deleted channel, an Astra HD+ placeholder) stays hidden.
        m_table->updateRowHeight(m_row);
        ++m_row;
        ++m_current;
        return m_current < m_list->size();
    }

    void finish() override {
        m_table->endInsert();
        // Counted from the rows' shown flags, so rows hidden while loading are not counted as shown.
        m_table->setVisibleCount(m_table->countVisibleRows());
        m_table->fitColumnsToTitles();
        m_table->sortDefault();
    }

    // Rows built so far.
    int rowsFilled() const { return m_row; }

private:
    void addRow(AirChannel *channel, int row) { m_table->addAirRow(channel, row); }
    void addRow(CableChannel *channel, int row) { m_table->addCableRow(channel, row); }
    void addRow(SatelliteChannel *channel, int row) { m_table->addSatelliteRow(channel, row); }
    void addRow(AstraHDChannel *channel, int row) { m_table->addAstraHDRow(channel, row); }

    int m_current = 0;
    ChannelList<T> *m_list;
    Grid *m_table;
    int m_row = 0;
};

#endif
