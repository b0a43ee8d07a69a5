// Which edits are offered in which situation, the edit slots that hand them to the table of the shown list,
// and the status texts.
#include "mainwindow/mainwindow.h"

#include "core/channellistprovider.h"
#include "tables/favgrid.h"
#include "widgets/combobox.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>

void MainWindow::updateActions() {
    const QList<QAction *> favouriteActions{actionMy1, actionMy2, actionMy3, actionMy4, actionMy5};
    MainGrid *grid = currentMainGrid();
    if (!fileLoaded || !grid) {
        // Without a document (or, defensively, without a table for the shown list) nothing can be edited.
        toolsFrame->setEnabled(false);
        menuMyChannels->setEnabled(false);
        for (QAction *action :
             {actionUndo, actionRedo, actionLock, actionUnlock, actionDelete, actionAstraHDCopy, actionRename,
              actionRenumber, actionSelectAll, actionDeselectAll})
            action->setEnabled(false);
        for (QAction *action : favouriteActions)
            action->setEnabled(false);
        return;
    }
    toolsFrame->setEnabled(true);
    updateStatus();

    const bool canUndo = undoStack.canUndo();
    const bool canRedo = undoStack.canRedo();
    if (mainPanels->currentIndex() == 1) {
        actionUndo->setEnabled(canUndo);
        actionRedo->setEnabled(canRedo);
        for (QAction *action : {actionLock, actionUnlock, actionDelete, actionRename, actionRenumber})
            action->setEnabled(false);
        menuMyChannels->setEnabled(false);
        for (QAction *action : favouriteActions)
            action->setEnabled(false);
        actionAstraHDCopy->setEnabled(false);
        actionAstraHDCopy->setVisible(false);
        updateSelectionControls();
        return;
    }

    const int n = provider ? provider->favouritesListCount() : 0;
    undoButton->setEnabled(canUndo);
    redoButton->setEnabled(canRedo);
    if (grid == mainGrids.value(Grid::ASTRA_HD_LIST, nullptr)) {
        astraHDCopyButton->show();
        actionAstraHDCopy->setVisible(true);
        const bool copy = grid->isAstraHDCopyEnabled();
        astraHDCopyButton->setEnabled(copy);
        actionAstraHDCopy->setEnabled(copy);
    } else {
        astraHDCopyButton->hide();
        actionAstraHDCopy->setVisible(false);
        actionAstraHDCopy->setEnabled(false);
    }
    deleteButton->setEnabled(grid->isDeleteEnabled());
    renumberButton->setEnabled(grid->isRenumberEnabled());
    renameButton->setEnabled(grid->isRenameEnabled());
    lockButton->setEnabled(grid->isLockEnabled());
    unlockButton->setEnabled(grid->isUnlockEnabled());
    fav2Filter->setVisibleCount(n);
    actionUndo->setEnabled(canUndo);
    actionRedo->setEnabled(canRedo);
    actionLock->setEnabled(grid->isLockEnabled());
    actionUnlock->setEnabled(grid->isUnlockEnabled());
    const int mask = grid->favouritesMaskOfSelection();
    for (int k = 1; k <= 5; ++k) {
        favouriteActions[k - 1]->setEnabled(n >= k);
        favouriteActions[k - 1]->setChecked(mask & (1 << (k - 1)));
    }
    actionDelete->setEnabled(grid->isDeleteEnabled());
    actionRename->setEnabled(grid->isRenameEnabled());
    actionRenumber->setEnabled(grid->isRenumberEnabled());
    grid->enableFavouriteActions(n);
    updateSelectionControls();
}

void MainWindow::updateSelectionControls() {
    // Runs for every check mark a table sets or clears, so a pass over thousands of rows must stay cheap:
    // only counters and the current row are read here.
    MainGrid *grid = currentMainGrid();
    if (!fileLoaded || !grid)
        return;
    if (mainPanels->currentIndex() == 1) {
        // Each button follows its own table: add takes the left table's selection, remove the right one's.
        updateFavButtons();
        Grid *focus = favouritesFocusGrid();
        if (!focus) {
            actionSelectAll->setEnabled(false);
            actionDeselectAll->setEnabled(false);
            return;
        }
        const int checkable = focus->checkableCount();
        const int checked = focus->checkedCount();
        const int visible = focus->visibleCount();
        actionSelectAll->setEnabled(checkable > 0 && checkable > checked && visible > 0 && checked < visible);
        actionDeselectAll->setEnabled(checkable > 0 && checked > 0 && visible > 0);
        return;
    }
    const int n = provider ? provider->favouritesListCount() : 0;
    const bool selection = grid->hasSelection();
    QPushButton *const favButtons[] = {fav1Button, fav2Button, fav3Button, fav4Button, fav5Button};
    for (int k = 1; k <= 5; ++k)
        favButtons[k - 1]->setEnabled(selection && k <= n);
    menuMyChannels->setEnabled(selection);
    const int visible = grid->visibleCount();
    const int checked = grid->checkedCount();
    actionSelectAll->setEnabled(visible > 0 && checked < visible);
    actionDeselectAll->setEnabled(visible > 0 && checked > 0);
}

Grid *MainWindow::favouritesFocusGrid() {
    FavGrid *left = currentLeftFavGrid();
    FavGrid *right = currentRightFavGrid();
    if (left && left->hasCurrent())
        return left;
    if (right && right->hasCurrent())
        return right;
    if (left && left->hasSelection())
        return left;
    if (right && right->hasSelection())
        return right;
    return nullptr;
}

void MainWindow::updateStatus() {
    updateSelectionStatus();
    updateInsertButtonVisibility();
    updateModifiedLabel();
}

void MainWindow::updateSelectionStatus() {
    if (mainPanels->currentIndex() == 1) {
        FavGrid *left = currentLeftFavGrid();
        FavGrid *right = currentRightFavGrid();
        const int l = left ? left->checkedCount() : 0;
        const int r = right ? right->checkedCount() : 0;
        selectionLabel->setText(QString::number(l) + tr(" selected on Left") + QStringLiteral("  |  ") +
                                QString::number(r) + tr(" selected on Right"));
        channelCount->hide();
        return;
    }
    MainGrid *grid = currentMainGrid();
    const int c = grid ? grid->checkedCount() : 0;
    selectionLabel->setText(QString::number(c) +
                            (c == 1 ? tr(" channel selected") : tr(" channels selected")));
    channelCount->setVisible(fileLoaded);
}

// ---- state slots
// ---------------------------------------------------------------------------------------------

void MainWindow::on_selectionStateChanged(bool) {
    updateActions();
}

void MainWindow::on_canUndoChanged(bool) {
    updateActions();
}

void MainWindow::on_canRedoChanged(bool) {
    updateActions();
}

void MainWindow::on_hasChannelsChanged() {
    updateActions();
}

void MainWindow::on_fav1HasChannelsChanged() {
    updateActions();
}

void MainWindow::on_fav2HasChannelsChanged() {
    updateActions();
}

void MainWindow::on_checkedNumberChanged(int) {
    // A check mark can leave the table with no selection or nothing more to select or deselect without its
    // selection state changing (a filter pass clears the marks one by one): the controls follow each mark.
    updateSelectionStatus();
    updateSelectionControls();
}

void MainWindow::on_deleteStateChanged(bool enabled) {
    MainGrid *grid = currentMainGrid();
    const bool on = enabled && grid && grid->hasVisibleChannels();
    deleteButton->setEnabled(on);
    actionDelete->setEnabled(on);
}

void MainWindow::on_renumberStateChanged(bool enabled) {
    MainGrid *grid = currentMainGrid();
    const bool on = enabled && grid && grid->hasVisibleChannels();
    renumberButton->setEnabled(on);
    actionRenumber->setEnabled(on);
}

void MainWindow::on_AstraHDCopyStateChanged(bool enabled) {
    MainGrid *grid = currentMainGrid();
    const bool on = enabled && grid && grid->hasVisibleChannels();
    astraHDCopyButton->setEnabled(on);
    actionAstraHDCopy->setEnabled(on);
}

void MainWindow::on_insertButtonClicked(bool checked) {
    insertButton->setText(QStringLiteral("| ") + (checked ? tr("Insert Mode") : tr("Swap Mode")));
    MainGrid::setInsertMode(insertButton->isChecked());
}

void MainWindow::on_menuEditAboutToShow() {
    if (currentCategoryId() == 0)
        return;
    MainGrid *grid = currentMainGrid();
    if (!grid)
        return;
    const int mask = grid->favouritesMaskOfSelection();
    const QList<QAction *> actions{actionMy1, actionMy2, actionMy3, actionMy4, actionMy5};
    for (int k = 0; k < 5; ++k)
        actions[k]->setChecked(mask & (1 << k));
}

void MainWindow::on_actionSelectAll(bool) {
    Grid *grid = mainPanels->currentIndex() == 1 ? favouritesFocusGrid() : currentMainGrid();
    if (grid)
        grid->selectAll(true);
}

void MainWindow::on_actionDeselectAll(bool) {
    Grid *grid = mainPanels->currentIndex() == 1 ? favouritesFocusGrid() : currentMainGrid();
    if (grid)
        grid->deselectAll(true);
}

// ---- edit slots: each hands the edit to the table of the shown list
// --------------------------------------------- A shortcut can fire while no table exists (no document yet);
// then there is nothing to edit.

void MainWindow::on_deleteButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionDelete(true);
}

void MainWindow::on_actionDelete(bool) {
    on_deleteButton_clicked();
}

void MainWindow::on_astraHDCopyButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionAstraHDCopy();
}

void MainWindow::on_actionAstraHDCopy(bool) {
    on_astraHDCopyButton_clicked();
}

void MainWindow::on_renumberButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionRenumberMove();
}

void MainWindow::on_actionRenumber(bool) {
    on_renumberButton_clicked();
}

void MainWindow::on_renameButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionRename(true);
}

void MainWindow::on_actionRename(bool) {
    on_renameButton_clicked();
}

void MainWindow::on_lockButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionLock(true);
}

void MainWindow::on_actionLock(bool) {
    on_lockButton_clicked();
}

void MainWindow::on_unlockButton_clicked() {
    if (MainGrid *grid = currentMainGrid())
        grid->actionUnlock(true);
}

void MainWindow::on_actionUnlock(bool) {
    on_unlockButton_clicked();
}

void MainWindow::on_actionSetFav1(bool checked) {
    if (MainGrid *grid = currentMainGrid())
        grid->actionSetFav1(checked);
}

void MainWindow::on_actionSetFav2(bool checked) {
    if (MainGrid *grid = currentMainGrid())
        grid->actionSetFav2(checked);
}

void MainWindow::on_actionSetFav3(bool checked) {
    if (MainGrid *grid = currentMainGrid())
        grid->actionSetFav3(checked);
}

void MainWindow::on_actionSetFav4(bool checked) {
    if (MainGrid *grid = currentMainGrid())
        grid->actionSetFav4(checked);
}

void MainWindow::on_actionSetFav5(bool checked) {
    if (MainGrid *grid = currentMainGrid())
        grid->actionSetFav5(checked);
}

void MainWindow::on_favButtonClicked(int id) {
    if (MainGrid *grid = currentMainGrid())
        grid->toggleFavourite(id);
}
