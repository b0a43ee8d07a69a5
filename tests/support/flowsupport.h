#ifndef FLOWSUPPORT_H
#define FLOWSUPPORT_H

// What the document-flow tests share: channel-list files written by our own writers, a reader that looks at a
// saved file without disturbing the window's satellite database, a script that answers the modal dialogs a
// flow brings up, and a recorder of the progress dialog.

#include "archive/ziparchive.h"
#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "core/satellitechannel.h"
#include "datafilehandlers/datadirector.h"
#include "datafilehandlers/datafilehandler_rvl.h"
#include "datafilehandlers/datafilehandler_ulmx.h"
#include "dialogs/progressdialog.h"
#include "support/databasesnapshot.h"
#include "support/documentfixture.h"
#include "widgets/custommessagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace FlowSupport {

const QString RAW_FILTER = QStringLiteral("Quorlin raw channel list files (*.rvl)");
const QString UNIVERSAL_FILTER = QStringLiteral("Quorlin universal channel list files (*.ulmx)");

// ---- files

// Writes the document (with the process-wide database) as a raw list of the model year, or as a universal
// file for FF_UNIVERSAL, the way the program's own handlers write them.
inline bool writeList(ChannelListProvider &document, const QString &path, int format) {
    QFile::remove(path);
    if (format == FF_UNIVERSAL || format == FF_UNIVERSAL_HANDLER) {
        DataFileHandler_ulmx handler(path);
        const bool ok = handler.save(document) == RC_SUCCESS;
        handler.endSave(ok);
        return ok;
    }
    QTemporaryDir work;
    if (!work.isValid())
        return false;
    std::unique_ptr<DataFileHandler> handler = DocumentFixture::rawHandler(format, QDir(work.path()));
    if (handler->save(document) != RC_SUCCESS)
        return false;
    handler->endSave(true);
    const QStringList members = QDir(work.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &member : members) {
        if (zipAddFile(path, work.filePath(member), member) != RC_SUCCESS)
            return false;
    }
    return !members.isEmpty();
}

// A saved file read back by a director of its own; the window's database is left as it was.
struct ReadBack {
    int code = RC_UNKNOWN_ERROR;
    DataDirector director;
    ChannelListProvider document{&director};
    SatelliteMap satellites;

    ReadBack(const QString &path, const QString &country = QStringLiteral("*")) {
        const DatabaseSnapshot before;
        code = document.open(path, country);
        director.commit();
        satellites = SatelliteChannel::satellites;
        before.restore();
    }
    ~ReadBack() { director.close(); }
};

// Names of the channels of a list that are not marked deleted, in list order.
template <typename T> QStringList liveNames(const ChannelList<T> *list) {
    QStringList names;
    for (int i = 0; i < list->size(); ++i) {
        if (!list->channelAt(i)->isDeleted())
            names << list->channelAt(i)->name();
    }
    return names;
}

template <typename T> const T *channelNamed(const ChannelList<T> *list, const QString &name) {
    for (int i = 0; i < list->size(); ++i) {
        if (!list->channelAt(i)->isDeleted() && list->channelAt(i)->name() == name)
            return list->channelAt(i);
    }
    return nullptr;
}

inline QStringList workingFolders() {
    return QDir(QDir::tempPath()).entryList({QStringLiteral("tunewrk_*")}, QDir::Dirs | QDir::Hidden);
}

// ---- modal dialogs

// Answers the modal dialogs of a flow in the order they come up, while the flow's code is blocked in them.
// Each answer is one step; a modal that comes up when no step is left is recorded as unexpected and
// dismissed, so a wrong flow fails its test instead of hanging it. The progress dialog is left alone (see
// ProgressRecorder).
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget *)>;

    ModalScript() {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::poll);
        m_timer.start();
    }

    void add(const Step &step) { m_steps.append(step); }
    bool done() const { return m_steps.isEmpty(); }
    // "title|text" of every message box met, "dialog|caption" of every file dialog, "UNEXPECTED|title" of
    // every modal no step was left for.
    QStringList seen;

    // Chooses the file in an open dialog (with the country of a universal file) and accepts it.
    void openFile(const QString &path, const QString &country = QStringLiteral("*")) {
        add([path, country](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog)
                return;
            if (path.endsWith(QLatin1String(".ulmx"), Qt::CaseInsensitive) &&
                dialog->nameFilters().contains(UNIVERSAL_FILTER))
                dialog->selectNameFilter(UNIVERSAL_FILTER);
            if (auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("countryCombo")))
                combo->setCurrentIndex(combo->findText(country));
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
    }
    // Types the target in a save dialog, chooses the format (1 universal, else a model year) and accepts.
    void saveFile(const QString &path, int format) {
        add([path, format](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog)
                return;
            dialog->selectNameFilter(format == FF_UNIVERSAL ? UNIVERSAL_FILTER : RAW_FILTER);
            if (auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("formatCombo"));
                combo && format != FF_UNIVERSAL)
                combo->setCurrentIndex(combo->findData(format));
            dialog->setDirectory(QFileInfo(path).absolutePath());
            if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(QFileInfo(path).fileName());
            static_cast<QDialog *>(dialog)->accept();
        });
    }
    // Clicks a standard button of a message box (or of any dialog with a button box).
    void press(QDialogButtonBox::StandardButton button) {
        add([button](QWidget *w) {
            if (auto *box = w->findChild<QDialogButtonBox *>()) {
                if (QPushButton *b = box->button(button)) {
                    b->click();
                    return;
                }
            }
            QTest::keyClick(w, Qt::Key_Escape);
        });
    }
    // Dismisses the dialog without choosing a button.
    void escape() {
        add([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    }

private:
    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || !modal->isVisible() || qobject_cast<ProgressDialog *>(modal))
            return;
        m_last = modal;
        if (auto *box = qobject_cast<CustomMessageBox *>(modal))
            seen << modal->windowTitle() + QLatin1Char('|') + box->text();
        else if (qobject_cast<QFileDialog *>(modal))
            seen << QStringLiteral("dialog|") + modal->windowTitle();
        if (m_steps.isEmpty()) {
            seen << QStringLiteral("UNEXPECTED|") + modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        const Step step = m_steps.takeFirst();
        step(modal);
    }

    QTimer m_timer;
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
};

// Records what the progress dialog of a load shows and can ask it to cancel when the bar reaches a value.
class ProgressRecorder : public QObject {
public:
    ProgressRecorder() { qApp->installEventFilter(this); }
    ~ProgressRecorder() override { qApp->removeEventFilter(this); }

    QList<int> values;
    QString title;
    QString label;
    int cancelAt = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            if (auto *dialog = qobject_cast<ProgressDialog *>(watched);
                dialog && !m_dialogs.contains(dialog)) {
                m_dialogs.append(dialog);
                title = dialog->windowTitle();
                if (auto *text = dialog->findChild<QLabel *>(QStringLiteral("progressText")))
                    label = text->text();
                if (auto *bar = dialog->findChild<QProgressBar *>()) {
                    QPointer<ProgressDialog> guarded(dialog);
                    connect(bar, &QProgressBar::valueChanged, this, [this, guarded](int value) {
                        values << value;
                        if (cancelAt >= 0 && value >= cancelAt && guarded)
                            QMetaObject::invokeMethod(guarded, "reject");
                    });
                }
            }
        }
        return false;
    }

private:
    QList<QPointer<ProgressDialog>> m_dialogs;
};

} // namespace FlowSupport

#endif
