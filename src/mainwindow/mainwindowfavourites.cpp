// The favourites page: the shown list's channels filtered by type on the left, the members of one favourites
// list on the right, and the two buttons that move channels between them.
#include "mainwindow/mainwindow.h"

#include "core/channellistprovider.h"
#include "tables/favgrid.h"
#include "widgets/combobox.h"

#include <QPushButton>
#include <QStackedWidget>

void MainWindow::showFavouritesPage(int leftIndex, int rightIndex, bool refresh) {
    if (refresh) {
        if (FavGrid *left = currentLeftFavGrid())
            left->refreshAllRows(false);
        if (FavGrid *right = currentRightFavGrid())
            right->refreshAllRows(true);
    }
    mainPanels->setCurrentIndex(1);
    // The favourites page has no satellite panel, whichever list it shows and however the view got there.
    showSatelliteList(0);
    // Each change of index runs its filter slot, also when the index stays the same.
    fav1Filter->setCurrentIndex(leftIndex);
    fav2Filter->setCurrentIndex(rightIndex);
    if (FavGrid *right = currentRightFavGrid())
        right->clearCurrent();
    updateActions();
}

bool MainWindow::chosenFavouritesListExists() const {
    // The same rule as the favourites buttons of the lists page: a list the format cannot hold (every list of
    // a universal document, the fifth of "2010-01") is never edited, since no save could keep the edit.
    const int k = fav2Filter->currentIndex() + 1;
    return provider && k <= provider->favouritesListCount();
}

void MainWindow::updateFavButtons() {
    FavGrid *left = currentLeftFavGrid();
    FavGrid *right = currentRightFavGrid();
    const bool editable = chosenFavouritesListExists();
    addButton->setEnabled(editable && left && left->hasSelection());
    subButton->setEnabled(editable && right && right->hasSelection());
}

void MainWindow::on_fav1Filter_currentIndexChanged(int index) {
    const int mask = typeMaskOfFavFilter(index);
    const int k = fav2Filter->currentIndex() + 1;
    applyFavPanelFilter(leftFavStack, mask, -1, k);
    filterFavStack(rightFavStack, k, true);
    storeViewState();
    updateActions();
    updateFavButtons();
}

void MainWindow::on_fav2Filter_currentIndexChanged(int index) {
    const int k = index + 1;
    if (auto *right = qobject_cast<FavGrid *>(rightFavStack->currentWidget())) {
        if (right->isOrdered())
            right->setFavouriteIndex(k);
    }
    const int mask = typeMaskOfFavFilter(fav1Filter->currentIndex());
    applyFavPanelFilter(leftFavStack, mask, -1, k);
    filterFavStack(rightFavStack, k, true);
    updateActions();
    updateFavButtons();
    storeViewState();
}

void MainWindow::on_addButton_clicked() {
    FavGrid *left = currentLeftFavGrid();
    if (!left || !left->hasSelection() || !chosenFavouritesListExists())
        return;
    left->setFavourite(fav2Filter->currentIndex() + 1, true);
}

void MainWindow::on_subButton_clicked() {
    FavGrid *right = currentRightFavGrid();
    if (!right || !right->hasSelection() || !chosenFavouritesListExists())
        return;
    right->setFavourite(fav2Filter->currentIndex() + 1, false);
}

void MainWindow::on_fav1cellClicked(int, int) {
    FavGrid *right = currentRightFavGrid();
    if (right && right->hasCurrent())
        right->clearCurrent();
    updateFavButtons();
}

void MainWindow::on_fav2cellClicked(int, int) {
    FavGrid *left = currentLeftFavGrid();
    if (left && left->hasCurrent())
        left->clearCurrent();
    updateFavButtons();
}
