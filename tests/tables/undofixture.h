#ifndef UNDOFIXTURE_H
#define UNDOFIXTURE_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/channellist.h"
#include "tables/chlistuploader.h"
#include "tables/editcontext.h"
#include "tables/favgrid.h"
#include "tables/maingrid.h"
#include "tables/undostack.h"

#include "listchecks.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QMap>
#include <QTimer>

#include <memory>

// Stands in for the main window: shows one main table per list id and switches to the edit's list when
// the stack asks for a view.
class FakeContext : public EditContext {
public:
    QMap<int, MainGrid *> mainGrids;
    FavGrid *leftFav = nullptr;
    FavGrid *rightFav = nullptr;
    int shownList = 0;
    QList<UndoState> restored;
    int refreshes = 0;
    int countLabels = 0;
    int satelliteUpdates = 0;

    MainGrid *currentMainGrid() override { return mainGrids.value(shownList, nullptr); }
    FavGrid *currentLeftFavGrid() override { return leftFav; }
    FavGrid *currentRightFavGrid() override { return rightFav; }
    void restoreView(const UndoState &state) override {
        restored << state;
        shownList = state.listId;
    }
    void refreshAfterEdit(bool) override { ++refreshes; }
    void updateChannelCountLabel() override { ++countLabels; }
    void updateSatelliteLists() override { ++satelliteUpdates; }
};

namespace UndoFixture {

inline AirChannel digital(quint16 number, const QString &name = QString(), int serviceType = 1) {
    return AirChannel(1000 + number, name.isEmpty() ? QStringLiteral("D%1").arg(number) : name, number,
                      474.0f, serviceType, false, false, Channel::DIGITAL, 8, 0, 6, 1, 1);
}

inline AirChannel analogue(quint16 number, int serviceType = 1) {
    return AirChannel(2000 + number, QStringLiteral("A%1").arg(number), number, 175.25f, serviceType, false,
                      false, Channel::ANALOGUE, 8, 0, 6, 1, 1);
}

inline AstraHDChannel astra(quint16 number, const QString &name) {
    return AstraHDChannel(3000 + number, name, number, 1, 1, 7, number, 3, nullptr, 0, 1, false, false, 0, 1,
                          1);
}

// Fills a table from a list through the list uploader, as the window does.
template <typename T> void fill(MainGrid *grid, ChannelList<T> &list) {
    ChListUploader<T> uploader(&list, grid);
    uploader.begin();
    while (uploader.uploadNext()) {
    }
    uploader.finish();
}

inline int rowOfNumber(MainGrid *grid, int number, int kind = Channel::DIGITAL) {
    return grid->rowOfNumber(number, kind == Channel::ANALOGUE);
}

inline void checkNumbers(MainGrid *grid, std::initializer_list<int> numbers, int kind = Channel::DIGITAL) {
    for (int n : numbers)
        grid->setRowChecked(rowOfNumber(grid, n, kind), true);
}

using ListChecks::numbersUnique;

// Accepts (or rejects) the next modal dialog as soon as it shows.
inline void answerNextDialog(bool accept) {
    QTimer::singleShot(0, [accept] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        }
    });
}

} // namespace UndoFixture

#endif // UNDOFIXTURE_H
