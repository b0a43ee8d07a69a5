// Fill benchmark of the channel tables: 10,000 satellite channels through the list uploader into a hidden
// main table, against a bare QTableWidget filled with the same number of plain items in the same run.
// Prints the best of three runs in milliseconds and the heap the filled table holds per row.
//
// Usage: bench_tables_fill [rows] (offscreen: QT_QPA_PLATFORM=offscreen bench_tables_fill)
#include "benchkit.h"

#include "core/channellist.h"
#include "core/satellitechannel.h"
#include "tables/chlistuploader.h"
#include "tables/maingrid.h"
#include "tables/undostack.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <malloc.h>

namespace {

// Bytes the allocator has handed out and not taken back: the heap the table holds, without the noise of
// pages the process keeps for later.
size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void makeDatabase() {
    SatelliteChannel::clearDatabase();
    for (quint16 satellite = 1; satellite <= 4; ++satellite) {
        SatelliteInfo info;
        info.name = QStringLiteral("Satellite %1").arg(satellite);
        SatelliteChannel::satellites.insert(satellite, info);
    }
    for (quint32 id = 1; id <= 400; ++id) {
        Transponder transponder;
        transponder.satelliteId = qint16(1 + id % 4);
        transponder.frequency = 10700000.0f + float(id) * 5000.0f;
        transponder.symbolRate = id % 2 ? 27500000 : 22000000;
        transponder.modulation = 5;
        transponder.polarity = int(id % 2);
        transponder.fec = int(1 + id % 5);
        SatelliteChannel::transponders.insert(id, transponder);
    }
    for (quint32 id = 1; id <= 50; ++id) {
        ServiceProvider provider;
        provider.name = QStringLiteral("Provider %1").arg(id);
        SatelliteChannel::serviceProviders[3].insert(id, provider);
    }
}

ChannelList<SatelliteChannel> makeChannels(int count) {
    ChannelList<SatelliteChannel> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        const quint16 number = quint16(count - i); // stored in reverse, so the default sort has work to do
        SatelliteChannel channel(1000 + i, QStringLiteral("Channel %1 HD").arg(i), number,
                                 quint32(1 + i % 400), quint32(1 + i % 50), i % 7 ? 1 : 2, i % 3 == 0,
                                 i % 11 == 0, 0, 1, 1);
        if (i % 5 == 0)
            channel.setFavouritePosition(1, i / 5 + 1);
        if (i % 9 == 0)
            channel.setFavouritePosition(3, -2);
        list.append(channel);
    }
    return list;
}

double fillBare(int rows, int columns, size_t &bytes) {
    const size_t before = heapInUse();
    QElapsedTimer timer;
    timer.start();
    auto table = std::make_unique<QTableWidget>();
    table->setRowCount(rows);
    table->setColumnCount(columns);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            table->setItem(row, column, new QTableWidgetItem(QString::number(row * columns + column)));
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    bytes = heapInUse() - before;
    return ms;
}

double fillGrid(ChannelList<SatelliteChannel> &channels, size_t &bytes, int &visible) {
    const size_t before = heapInUse();
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<MainGrid> grid(MainGrid::createSatelliteGrid(false));
    ChListUploader<SatelliteChannel> uploader(&channels, grid.get());
    uploader.begin();
    int step = 0;
    while (uploader.uploadNext()) {
        // The main window lets pending events run after every tenth row.
        if (++step % 10 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    uploader.finish();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    bytes = heapInUse() - before;
    visible = grid->visibleCount();
    return ms;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const int rows = argc > 1 ? qMax(1, atoi(argv[1])) : 10000;
    UndoStack undoStack;
    Grid::initStatics(&undoStack);
    makeDatabase();
    ChannelList<SatelliteChannel> channels = makeChannels(rows);

    // One warm-up of each, so fonts, styles and allocator pools do not count against the first one.
    size_t bytes = 0;
    int visible = 0;
    fillBare(100, 12, bytes);
    {
        ChannelList<SatelliteChannel> few = makeChannels(100);
        fillGrid(few, bytes, visible);
    }

    // Best of three interleaved runs of each: the fastest run is the one least disturbed by the rest of the
    // machine.
    double bareMs = 1e9;
    double gridMs = 1e9;
    size_t bareBytes = 0;
    size_t gridBytes = 0;
    for (int run = 0; run < 3; ++run) {
        bareMs = std::min(bareMs, fillBare(rows, 12, bareBytes));
        gridMs = std::min(gridMs, fillGrid(channels, gridBytes, visible));
    }

    std::printf("rows                       %d\n", rows);
    std::printf("bare QTableWidget, hidden  %8.1f ms  %6.2f KiB/row\n", bareMs,
                double(bareBytes) / 1024.0 / rows);
    std::printf("main table via uploader    %8.1f ms  %6.2f KiB/row  (%d rows shown)\n", gridMs,
                double(gridBytes) / 1024.0 / rows, visible);
    std::printf("time ratio                 %8.2f  (goal: at most 2.00)\n", gridMs / bareMs);
    std::printf("memory per row             %8.2f KiB  (goal: at most 4.00)\n",
                double(gridBytes) / 1024.0 / rows);
    std::printf("peak resident set          %8lld KiB\n", benchkit::peakKilobytes());
    return 0;
}
