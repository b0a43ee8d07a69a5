#ifndef EDITINGFIXTURE_H
#define EDITINGFIXTURE_H

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/channellist.h"
#include "tables/checkboxitem.h"
#include "tables/chlistuploader.h"
#include "tables/editcontext.h"
#include "tables/favgrid.h"
#include "tables/maingrid.h"
#include "tables/undostack.h"

#include "listchecks.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <memory>

// Stands in for the main window: one main table and the two favourites tables of the list shown.
class EditingContext : public EditContext {
public:
    MainGrid *mainGrid = nullptr;
    FavGrid *leftFav = nullptr;
    FavGrid *rightFav = nullptr;

    MainGrid *currentMainGrid() override { return mainGrid; }
    FavGrid *currentLeftFavGrid() override { return leftFav; }
    FavGrid *currentRightFavGrid() override { return rightFav; }
    void restoreView(const UndoState &) override {}
    void refreshAfterEdit(bool) override {}
    void updateChannelCountLabel() override {}
    void updateSatelliteLists() override {}
};

// A main table whose questions are answered from queues instead of modal dialogs. An empty queue answers
// Cancel (or rejects the dialog), so an unexpected question shows up as a refused edit.
class ScriptedGrid : public MainGrid {
public:
    ScriptedGrid(int listKind, bool orderedFavourites) : MainGrid(nullptr, listKind, orderedFavourites) {
        const QList<int> airCable = {NUMBER_COLUMN, NAME_COLUMN, FAVOURITES_COLUMN, LOCKED_COLUMN,
                                     FREQUENCY_COLUMN};
        const QList<int> satellite = {NUMBER_COLUMN,     NAME_COLUMN,        FAVOURITES_COLUMN,
                                      LOCKED_COLUMN,     SATELLITE_COLUMN,   PROVIDER_COLUMN,
                                      FREQUENCY_COLUMN,  SYMBOL_RATE_COLUMN, POLARITY_COLUMN,
                                      MODULATION_COLUMN, FEC_COLUMN};
        for (int id : (listKind < SATELLITE_LIST ? airCable : satellite))
            addColumn(id);
    }

    QList<bool> swapConfirmations;
    QList<QDialogButtonBox::StandardButton> swapAnswers;
    QList<QDialogButtonBox::StandardButton> pushDownAnswers;
    QList<int> numberAnswers; // -1 rejects the dialog
    QList<QDialogButtonBox::StandardButton> messageAnswers;
    QStringList messages; // "title|text" of every message shown
    QList<int> dialogMaxima;
    int questions = 0;

protected:
    bool confirmSwap(int) override {
        ++questions;
        return swapConfirmations.isEmpty() ? false : swapConfirmations.takeFirst();
    }
    QDialogButtonBox::StandardButton askSwapNumbers(int, int) override {
        ++questions;
        return swapAnswers.isEmpty() ? QDialogButtonBox::Cancel : swapAnswers.takeFirst();
    }
    QDialogButtonBox::StandardButton askPushDown(bool) override {
        ++questions;
        return pushDownAnswers.isEmpty() ? QDialogButtonBox::Cancel : pushDownAnswers.takeFirst();
    }
    bool askNumber(QWidget *, int minimum, int, int maximum, const QString &, const QString &,
                   int &number) override {
        ++questions;
        dialogMaxima << maximum;
        if (numberAnswers.isEmpty())
            return false;
        number = numberAnswers.takeFirst();
        return number != -1 && number >= minimum && number <= maximum;
    }
    QDialogButtonBox::StandardButton showMessage(MessageIcon, QWidget *, const QString &title,
                                                 const QString &text, QDialogButtonBox::StandardButtons,
                                                 QDialogButtonBox::StandardButton defaultButton) override {
        messages << title + QLatin1Char('|') + text;
        if (!messageAnswers.isEmpty())
            return messageAnswers.takeFirst();
        return defaultButton == QDialogButtonBox::NoButton ? QDialogButtonBox::Ok : defaultButton;
    }
};

class ScriptedFavGrid : public FavGrid {
public:
    ScriptedFavGrid(int listKind, bool ordered, bool membershipOnly)
        : FavGrid(nullptr, listKind, ordered, membershipOnly) {}

    QList<int> positionAnswers; // -1 rejects
    QList<int> maxima;

protected:
    bool askMovePosition(int maximum, int &position) override {
        maxima << maximum;
        if (positionAnswers.isEmpty())
            return false;
        position = positionAnswers.takeFirst();
        return position >= 1 && position <= maximum;
    }
};

namespace EditingFixture {

inline AirChannel digital(quint16 number, int serviceType = 1) {
    return AirChannel(1000 + number, QStringLiteral("D%1").arg(number), number, 474.0f, serviceType, false,
                      false, Channel::DIGITAL, 8, 0, 6, 1, 1);
}

inline AirChannel analogue(quint16 number, int serviceType = 1) {
    return AirChannel(2000 + number, QStringLiteral("A%1").arg(number), number, 175.25f, serviceType, false,
                      false, Channel::ANALOGUE, 8, 0, 6, 1, 1);
}

inline AstraHDChannel astra(quint16 number, int serviceType = 1) {
    return AstraHDChannel(3000 + number, QStringLiteral("H%1").arg(number), number, 1, 1, 7, number, 3,
                          nullptr, 0, serviceType, false, false, 0, 1, 1);
}

// Fills a table from a list through the list uploader, as the window does.
template <typename T> void fill(Grid *grid, ChannelList<T> &list) {
    ChListUploader<T> uploader(&list, grid);
    uploader.begin();
    while (uploader.uploadNext()) {
    }
    uploader.finish();
}

// The row of the channel of this service, or -1.
template <typename T> int rowOfService(Grid *grid, const ChannelList<T> &list, int serviceId) {
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].serviceId() == serviceId)
            return grid->rowOfChannel(list.channelAt(i));
    }
    return -1;
}

using ListChecks::numbersUnique;

// True when no favourites list has two members (not marked deleted) with the same position of 1 or more.
template <typename T> bool positionsUnique(const ChannelList<T> &list) {
    for (quint16 fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav) {
        QSet<int> seen;
        for (const T &channel : list) {
            const int position = channel.favouritePosition(fav);
            if (channel.isDeleted() || position < 1)
                continue;
            if (seen.contains(position))
                return false;
            seen.insert(position);
        }
    }
    return true;
}

// The numbers of the channels, in list order, that are not marked deleted.
template <typename T> QList<int> liveNumbers(const ChannelList<T> &list) {
    QList<int> numbers;
    for (const T &channel : list) {
        if (!channel.isDeleted())
            numbers << channel.number();
    }
    return numbers;
}

// The edit just made is one command on the stack: undo gives back `before`, redo the edited list again, and
// undo once more `before`.
template <typename T>
void verifyUndoRedo(UndoStack &stack, const ChannelList<T> &list, const ChannelList<T> &before) {
    const ChannelList<T> after = list;
    QCOMPARE(stack.count(), 1);
    stack.undo();
    QVERIFY(list == before);
    stack.redo();
    QVERIFY(list == after);
    stack.undo();
    QVERIFY(list == before);
}

inline QString numberText(Grid *grid, int row) {
    return grid->item(row, grid->columnIndex(Grid::NUMBER_COLUMN))->text();
}

// Types into a cell as the user would: the change arrives through cellChanged.
inline void typeInto(Grid *grid, int row, int columnId, const QString &text) {
    grid->item(row, grid->columnIndex(columnId))->setText(text);
}

} // namespace EditingFixture

#endif // EDITINGFIXTURE_H
