// The document side of the main window: open with progress and cancel, merge, save, save as with format
// conversion, the save-changes question, closing, and the one error box every failed file operation shows.
#include "mainwindow/mainwindow.h"

#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "datafilehandlers/savecapacity.h"
#include "dialogs/openfiledialog.h"
#include "dialogs/progressdialog.h"
#include "dialogs/savefiledialog.h"
#include "tables/favgrid.h"
#include "tables/ichlistuploader.h"
#include "widgets/custommessagebox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMutex>
#include <QPushButton>
#include <QWaitCondition>

#include <algorithm>
#include <memory>

namespace {

constexpr QEventLoop::ProcessEventsFlags LOAD_EVENTS = QEventLoop::ExcludeSocketNotifiers;
// The bar stands at 100 for this long before the window switches to the new document.
constexpr unsigned long FINISHED_PAUSE_MS = 300;

QString shownName(const QString &name) {
    // A name is shown on one line of the box, however it is made: control characters (which may be what the
    // file cannot hold) as blanks, and a long name cut short.
    constexpr qsizetype SHOWN_UNITS = 40;
    QString shown = name;
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    shown = shown.simplified();
    if (shown.size() > SHOWN_UNITS) {
        shown.truncate(SHOWN_UNITS - 1);
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += QChar(0x2026);
    }
    return shown;
}

// One loss of the save warning as a list item: its sentence, and below it the first names it concerns so
// the user knows what to check.
QString lossItem(const SaveCapacity::Loss &loss) {
    QStringList names;
    for (const QString &name : loss.names)
        names << QLatin1Char('"') + shownName(name) + QLatin1Char('"');
    const int more = loss.count - int(loss.names.size());
    QString examples = names.join(QLatin1String(", "));
    if (more > 0)
        examples = MainWindow::tr("%1 and %2 more").arg(examples).arg(more);
    return QStringLiteral("\u2022 ") + loss.text + QStringLiteral("\n    ") + examples;
}

// What the save warning says: an intro, the losses as a list (the items apart, and one under the other for a
// box with little room), and the question with what No does. Without losses, the question alone.
struct SaveWarning {
    QString intro;
    QStringList lists;
    QString question;
};

SaveWarning saveWarning(const SaveCapacity &capacity, bool older, bool saveAs) {
    SaveWarning warning;
    QStringList items;
    for (const SaveCapacity::Loss &loss : capacity.losses())
        items << lossItem(loss);
    warning.question = older
                           ? MainWindow::tr("Saving channel list to file with an older format may result in "
                                            "loss of some data. Do you want to proceed?")
                           : MainWindow::tr("Do you want to save anyway?");
    warning.question += QLatin1String("\n\n") +
                        (saveAs ? MainWindow::tr("No saves nothing: no file is written or replaced.")
                                : MainWindow::tr("No saves nothing: the file stays as it was last saved."));
    if (!items.isEmpty()) {
        warning.intro = MainWindow::tr("The file will not keep everything the channel list holds:");
        warning.lists << items.join(QLatin1String("\n\n")) << items.join(QLatin1Char('\n'));
    }
    return warning;
}

int totalChannels(ChannelListProvider *document) {
    return document->airList()->size() + document->cableList()->size() + document->satelliteList()->size() +
           document->astraHDList()->size();
}

template <typename T> void numberListFavourites(ChannelList<T> *list) {
    for (quint16 fav = 1; fav <= Channel::NUMBER_MY_FAVOURITES_LISTS; ++fav) {
        // Members that already have a place keep it; the others follow the highest place in list order, so no
        // two members of one favourites list ever share a position.
        int next = 0;
        for (int i = 0; i < list->size(); ++i)
            next = std::max(next, list->channelAt(i)->favouritePosition(fav));
        for (int i = 0; i < list->size(); ++i) {
            T *channel = list->channelAt(i);
            if (channel->favouritePosition(fav) == Channel::MEMBER_WITHOUT_POSITION)
                channel->setFavouritePosition(fav, ++next);
        }
    }
}

} // namespace

// ---- error box
// ---------------------------------------------------------------------------------------------------

QString MainWindow::fileErrorMessage(int code, const QString &country, const QStringList &countriesInFile) {
    if (code >= RC_INVALID_CONTENTS)
        return tr("Invalid file contents (%1).").arg(code - RC_INVALID_CONTENTS);
    switch (code) {
    case RC_FILE_NOT_FOUND:
        return tr("File not found.\nPlease verify that the correct file name was given.");
    case RC_CANNOT_OPEN:
        return tr("Can't open file.");
    case RC_CANNOT_READ:
        return tr("Can't read file.");
    case RC_CANNOT_WRITE:
        return tr("Can't write to file.");
    case RC_ACCESS_DENIED:
        return tr("Access to file has been denied.");
    case RC_INVALID_FORMAT:
        return tr("Invalid file format.");
    case RC_CHECKSUM_FAILED:
        return tr("Invalid file contents (checksum verification failed).");
    case RC_NO_FREE_USER_SATELLITE_SLOTS:
        return tr(
            "Merge impossible - not enough free user satellite slots. Please remove some user satellites "
            "before proceeding.");
    case RC_NO_SERVICE_LIST:
        if (!countriesInFile.isEmpty())
            return tr("No service list found for specified country (%1).\nThe file holds lists for these "
                      "countries: %2. Please choose one of them.")
                .arg(country, countriesInFile.join(QStringLiteral(", ")));
        return tr("No service list found for specified country (%1).").arg(country);
    case RC_ASTRA_HD_RANGE_FULL:
        return tr("The Astra HD+ favourite range (1 to %1) holds more channels than it has numbers.")
            .arg(AstraHDChannel::FAVOURITE_RANGE_LAST);
    case RC_LIST_TOO_LONG:
        return tr("The channel list is too long for this file format.");
    default:
        return tr("Unknown error.");
    }
}

void MainWindow::showFileError(const QString &title, const QString &file, int code, const QString &country) {
    // Only the file's name: the folder would make the box wide and says nothing the user does not know.
    const QString text = QFileInfo(file).fileName() + QStringLiteral(": ") +
                         fileErrorMessage(code, country, dataDirector.countriesToChooseFrom());
    CustomMessageBox::critical(this, title, text, QDialogButtonBox::Ok, QDialogButtonBox::Ok);
}

void MainWindow::showReadBackError(const QString &file, int code, const QString &country) {
    // The save went through: the box must not read as if the file were lost, nor as if the window now showed
    // what the file holds.
    const QString text = QFileInfo(file).fileName() + QStringLiteral(": ") +
                         tr("The file was saved but could not be read back.") + QLatin1Char('\n') +
                         fileErrorMessage(code, country, dataDirector.countriesToChooseFrom()) +
                         QLatin1Char('\n') +
                         tr("The window keeps the document as it is, still marked as modified.");
    CustomMessageBox::exclamation(this, tr("File read-back error!"), text, QDialogButtonBox::Ok,
                                  QDialogButtonBox::Ok);
}

// ---- loading
// -----------------------------------------------------------------------------------------------------

int MainWindow::rowProgress(int n, int total) {
    if (total <= 0)
        return 20;
    return 20 + int((80LL * n) / (3LL * total));
}

bool MainWindow::loadFile(const QString &file, bool merge, const QString &country, bool convert, bool quiet) {
    if (loadInProgress || (convert && !provider))
        return false;
    loadInProgress = true;
    struct LoadGuard {
        bool &flag;
        ~LoadGuard() { flag = false; }
    } guard{loadInProgress};

    const QString name = QFileInfo(file).fileName();
    QString title;
    QString progressText;
    if (convert) {
        title = tr("File format conversion");
        progressText = tr("Converting...");
    } else {
        title = (merge ? tr("Merge") : tr("Open")) + QStringLiteral(": ") + name;
        progressText = merge ? tr("Merging file") : tr("Opening File");
    }
    std::unique_ptr<ProgressDialog> progress;
    if (!quiet) {
        progress = std::make_unique<ProgressDialog>(title, progressText, 0, 100, this);
        progress->setWindowModality(Qt::ApplicationModal);
        progress->show();
        progress->setValue(0);
    }
    // Moves the bar and lets it paint. A quiet load handles no events at all: without the modal dialog a
    // click could reach the window while its tables are being replaced.
    const auto advance = [&progress](int value) {
        if (!progress)
            return;
        progress->setValue(value);
        QCoreApplication::processEvents(LOAD_EVENTS);
    };
    // The dialog turns close() into a cancel request while it is shown: it is ended with done() instead.
    const auto endProgress = [&progress] {
        if (progress) {
            progress->done(QDialog::Rejected);
            progress.reset();
        }
    };

    // The document worked on: a new one that is read now, or the open one whose tables are rebuilt.
    ChannelListProvider *document = provider.get();
    std::unique_ptr<ChannelListProvider> newDocument;
    if (!convert) {
        newDocument = std::make_unique<ChannelListProvider>(&dataDirector);
        if (merge && provider) {
            newDocument->assignChannels(*provider);
            // The merged document is still the open one in the open file's format: its favourites keep their
            // order and their number of lists.
            newDocument->setFormatCode(provider->formatCode());
            newDocument->setFavouritesListCount(provider->favouritesListCount());
        }
        const int code = merge ? newDocument->merge(file) : newDocument->open(file, country);
        if (code != RC_SUCCESS) {
            endProgress();
            if (quiet)
                showReadBackError(file, code, country);
            else
                showFileError(merge ? tr("File merge error!") : tr("File open error!"), file, code, country);
            return false;
        }
        document = newDocument.get();
        advance(5);
    }

    LoadList loadList;
    QMap<int, MainGrid *> main;
    QMap<int, FavGrid *> left;
    QMap<int, FavGrid *> right;
    // Until the install, the director still holds what the read replaced (handler, working folder, satellite
    // database): a cancel puts it back, so a later save of the open document goes where it came from.
    const auto cancelled = [&]() -> bool {
        if (convert || !progress || !progress->wasCanceled())
            return false;
        endProgress();
        deleteGrids(loadList);
        newDocument.reset();
        dataDirector.rollback();
        return true;
    };
    if (cancelled())
        return false;

    const bool ordered = holdsOrderedFavourites(document->formatCode());
    createMainGrids(main, loadList, ordered);
    advance(10);
    if (cancelled())
        return false;
    createFavGrids(left, loadList, false, !ordered);
    advance(15);
    if (cancelled())
        return false;
    createFavGrids(right, loadList, ordered, !ordered);
    advance(20);
    if (cancelled())
        return false;

    const int total = totalChannels(document);
    int n = 0;
    for (const auto &pair : std::as_const(loadList)) {
        std::unique_ptr<IChListUploader> uploader(createUploader(document, pair));
        if (!uploader)
            continue;
        uploader->begin();
        while (uploader->uploadNext()) {
            ++n;
            if (n % 10 == 0)
                advance(rowProgress(n, total));
            if (!convert && progress && progress->wasCanceled()) {
                uploader->finish();
                uploader.reset();
                cancelled();
                return false;
            }
        }
        uploader->finish();
    }

    if (progress) {
        progress->setValue(100);
        // The full bar stays in view a moment; nothing runs meanwhile.
        QMutex mutex;
        QWaitCondition never;
        QMutexLocker locker(&mutex);
        never.wait(&mutex, FINISHED_PAUSE_MS);
    }

    endProgress();
    if (!convert) {
        // Nothing can stop the install any more: what the read replaced goes for good.
        dataDirector.commit();
        if (!merge) {
            // A freshly opened file is what the document holds: nothing merged into it, nothing unsaved.
            mergedSinceSave = false;
            readBackFailed = false;
        }
    }
    // A conversion keeps the open document: newDocument is null then.
    installDocument(std::move(newDocument), main, left, right, file, merge);
    return true;
}

// ---- open and merge
// ----------------------------------------------------------------------------------------------

namespace {
// The folder a file dialog starts in: the remembered path when it is a folder, else the folder holding it.
QString startFolder(const QString &path) {
    const QFileInfo info(path);
    return info.isDir() ? path : info.absolutePath();
}
} // namespace

void MainWindow::on_actionOpen(bool) {
    if (isModified() && !askSaveChanges())
        return;
    OpenFileDialog dialog(this, tr("Open File"), startFolder(lastDirectory()), false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.selectedFiles().value(0);
    const QString country = dialog.selectedCountry();
    if (file.isEmpty())
        return;
    loadFile(file, false, country, false);
    // Also after a failed or cancelled open: the document that stayed gets its country's defaults again.
    applyCountryDefaults();
}

void MainWindow::on_menuMergeClicked(bool) {
    if (!fileLoaded || !provider)
        return;
    OpenFileDialog dialog(this, tr("Choose file to merge"), startFolder(lastDirectory()), true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return;
    if (!loadFile(file, true, provider->country(), false))
        return;
    // The merge cannot be undone step by step: the history goes, and the document counts as modified.
    markSaved();
    mergedSinceSave = true;
    updateStatus();
    const QString report =
        mergeReport(dataDirector.astraHDChannelsLeftOut(), dataDirector.favouriteMembershipsReplaced(),
                    dataDirector.childLocksReplaced(), provider->formatCode() != FF_RAW_2010_01);
    if (!report.isEmpty())
        CustomMessageBox::information(this, tr("Merge"), report);
}

QString MainWindow::mergeReport(int astraLeftOut, int memberships, int locks, bool astraReplaced) {
    // A user who merged for that list would otherwise look for it in vain.
    QStringList said;
    if (astraLeftOut > 0)
        said.append(tr("The file's Astra HD+ list (%n channel(s)) was not merged: a 2010-01 list holds no "
                       "Astra HD+ list.",
                       nullptr, astraLeftOut));
    // The replaced lists leave no trace in the window: what went with them is named while not saving still
    // keeps it.
    if (memberships > 0 || locks > 0) {
        const QString entries = tr("%n entry(s) in favourites lists", nullptr, memberships);
        const QString locked = tr("%n child lock(s)", nullptr, locks);
        const QString gone = memberships > 0 && locks > 0 ? tr("%1 and %2").arg(entries, locked)
                             : memberships > 0            ? entries
                                                          : locked;
        const QString replaced =
            astraReplaced
                ? tr("The merge put the file's air, cable and Astra HD+ lists, where it has them, in "
                     "place of the channel list's own.")
                : tr("The merge put the file's air and cable lists, where it has them, in place of "
                     "the channel list's own.");
        said.append(replaced + QLatin1Char(' ') +
                    tr("The file holds no favourites and no child locks: %1 went with the replaced lists. "
                       "Nothing is saved until you save the channel list.")
                        .arg(gone));
    }
    return said.join(QStringLiteral("\n\n"));
}

// ---- save
// --------------------------------------------------------------------------------------------------------

void MainWindow::on_actionSave(bool) {
    if (!fileLoaded || !provider)
        return;
    saveInOwnFormat();
}

bool MainWindow::confirmSaveLosses(int format, bool &lossy) {
    const SaveCapacity capacity(*provider, format);
    lossy = !capacity.isEmpty();
    const bool older = SaveCapacity::isOlderFormat(provider->formatCode(), format);
    if (!lossy && !older)
        return true;
    const bool saveAs = format != FF_KEEP;
    const SaveWarning warning = saveWarning(capacity, older, saveAs);
    // The old format warning keeps its title; any other save is named by its action.
    const QString title = older ? tr("Compatibility warning") : saveAs ? tr("Save As") : tr("Save");
    const bool listed = !warning.lists.isEmpty();
    CustomMessageBox box(this, title, listed ? warning.intro : warning.question,
                         QStringLiteral(":/img/dialogs/exclamation"),
                         QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::No);
    if (listed)
        box.setList(warning.lists.first(), warning.question);
    box.fitToScreen(warning.lists);
    box.exec();
    return box.clickedButton() == QDialogButtonBox::Yes;
}

bool MainWindow::saveInOwnFormat() {
    // Nothing the document holds should be beyond its own format; should something be, the user is asked
    // as for Save As, and No writes nothing.
    bool lossy = false;
    if (!confirmSaveLosses(FF_KEEP, lossy))
        return false;
    const int code = provider->saveAs(currentFile, FF_KEEP);
    if (code != RC_SUCCESS) {
        // The changes are still only here: whatever was asked for next must not throw them away.
        showFileError(tr("File save error!"), lastDirectory(), code, QString());
        return false;
    }
    markSaved();
    // The window drops what the file could not keep, as after a Save As.
    if (lossy)
        reopenSavedFile(currentFile);
    updateStatus();
    return true;
}

void MainWindow::numberUnpositionedFavourites(ChannelListProvider *document) {
    if (!document)
        return;
    numberListFavourites(document->airList());
    numberListFavourites(document->cableList());
    numberListFavourites(document->satelliteList());
    numberListFavourites(document->astraHDList());
}

void MainWindow::on_actionSaveAs(bool) {
    if (!fileLoaded || !provider)
        return;
    SaveFileDialog dialog(this, tr("Save As"), provider->formatCode(), QString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int nv = dialog.selectedFormat();
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return;

    // An older model year may drop anything; any target drops what it has no place for (a universal
    // document's Astra HD+ list in "2010-01", names longer than a raw record holds).
    bool lossy = false;
    if (!confirmSaveLosses(nv, lossy))
        return;
    if (QFileInfo::exists(file) && file != currentFile) {
        const auto answer = CustomMessageBox::exclamation(
            this, tr("Save As"),
            tr("%1 file already exists\nDo you want to replace it?").arg(QFileInfo(file).fileName()),
            QDialogButtonBox::Yes | QDialogButtonBox::No, QDialogButtonBox::No);
        if (answer != QDialogButtonBox::Yes)
            return;
    }

    // Gaining the order within favourites lists: the members without a place get places, in list order.
    if (!holdsOrderedFavourites(provider->formatCode()) && holdsOrderedFavourites(nv))
        numberUnpositionedFavourites(provider.get());

    // In its own format, and with nothing lost, the file holds what the window shows, as after a Save.
    const bool sameFormat =
        nv == (provider->formatCode() == FF_UNIVERSAL_HANDLER ? int(FF_UNIVERSAL) : provider->formatCode());
    const int code = provider->saveAs(file, nv);
    if (code != RC_SUCCESS) {
        showFileError(tr("File save error!"), file, code, QString());
        return;
    }
    currentFile = file;
    markSaved();
    // From now on the document is in the format it was saved in, so the next Save As compares against it (a
    // universal file read back reports the handler's code, not the one a save asks for). Set before the
    // read-back too: should that fail, the tables are built anew for this format.
    provider->setFormatCode(nv);
    if (lossy || !sameFormat)
        reopenSavedFile(file);
    if (provider)
        provider->setFormatCode(nv);
    setLastFilePath(file);
    setTitle(file);
    if (provider)
        updateVersionCountryLabel(provider->country(), provider->versionText());
    // The new format may offer another number of favourites lists.
    updateActions();
}

void MainWindow::reopenSavedFile(const QString &file) {
    // The written file, read back, becomes the document: the window then shows exactly what the next Save
    // writes, and nothing the format dropped can be edited any further. The tables are built anew for the
    // format, with an order within favourites lists exactly for "2012-01". The read-back is quiet: no
    // progress dialog, no pause and no cancel, as the save itself had none. The country stays, and so do its
    // defaults and the user's insert or swap choice.
    const UndoState view = undoStack.state();
    if (!loadFile(file, false, provider->country(), false, true)) {
        // The file cannot be read back (the error box has said why). The document still holds what the file
        // may not: its tables are built anew for the format it is now in, and it stays modified until it is
        // saved again.
        loadFile(file, false, provider->country(), true, true);
        readBackFailed = true;
        updateStatus();
    }
    showViewAfterReopen(view);
}

void MainWindow::showViewAfterReopen(UndoState view) {
    if (view.listId != currentListId()) {
        if (QPushButton *button = listButton(view.listId))
            button->click();
    }
    // A favourites list the new format lacks is not offered: the page shows the first one instead.
    const int favouritesLists = provider ? provider->favouritesListCount() : 0;
    if (view.rightFavIndex >= favouritesLists)
        view.rightFavIndex = 0;
    restoreView(view);
    storeViewState();
}

// ---- unsaved changes and closing
// ---------------------------------------------------------------------------------

bool MainWindow::askSaveChanges() {
    // A box closed without a button answers Cancel: nothing is lost by a stray Escape.
    const auto answer = CustomMessageBox::exclamation(
        this, windowTitle(), tr("Do you want to save changes?"),
        QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel, QDialogButtonBox::Cancel);
    if (answer == QDialogButtonBox::Yes)
        return !provider || saveInOwnFormat();
    return answer != QDialogButtonBox::Cancel;
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (loadInProgress || (isModified() && !askSaveChanges())) {
        event->ignore();
        return;
    }
    if (fileLoaded) {
        closeDocument();
        updateFileDependentUi();
        updateActions();
    }
    // The document and its handler go now; the working folder with them, whether or not the process lingers.
    provider.reset();
    dataDirector.close();
    event->accept();
}
