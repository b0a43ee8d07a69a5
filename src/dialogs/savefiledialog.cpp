#include "dialogs/savefiledialog.h"

#include "core/resultcode.h"
#include "core/sharedtexts.h"
#include "dialogs/filedialoglayout.h"
#include "platform/removablemedia.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStackedWidget>

SaveFileDialog::SaveFileDialog(QWidget *parent, const QString &caption, int format, const QString &directory)
    : QFileDialog(parent, caption, directory, QString()) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setNameFilter(RAW_FILE_FILTER + QStringLiteral(";;") + UNIVERSAL_FILE_FILTER);

    formatLabel = new QLabel(tr("Format:"), this);
    formatLabel->setObjectName(QStringLiteral("formatLabel"));
    formatCombo = new QComboBox(this);
    formatCombo->setObjectName(QStringLiteral("formatCombo"));
    formatCombo->setEditable(false);
    fillFormats(format);
    FileDialogLayout::addRowBelowFileTypes(this, formatLabel, formatCombo);

    fileTypeCombo = FileDialogLayout::fileTypeCombo(this);
    if (fileTypeCombo) {
        connect(fileTypeCombo, &QComboBox::currentIndexChanged, this,
                [this](int) { setFormatSelectionAvaliability(fileTypeCombo->currentText()); });
    }
    fileNameEdit = FileDialogLayout::fileNameEdit(this);

    if (QComboBox *lookInCombo = findChild<QComboBox *>(QStringLiteral("lookInCombo"))) {
        connect(lookInCombo, &QComboBox::currentIndexChanged, this,
                [this, lookInCombo](int) { onDriveChange(lookInCombo->currentText()); });
    }
    connect(this, &QFileDialog::directoryEntered, this, &SaveFileDialog::onDriveChange);
    // The back, forward and parent buttons and setDirectory() change the folder without going through
    // the look-in combo; the folder model's root path follows every change.
    if (auto *model = findChild<QFileSystemModel *>())
        connect(model, &QFileSystemModel::rootPathChanged, this, &SaveFileDialog::onDriveChange);

    fileView = FileDialogLayout::folderContentsView(this);
    onDriveChange(QStringLiteral("start"));
}

void SaveFileDialog::fillFormats(int format) {
    formatCombo->insertItem(0, QIcon(), QStringLiteral("2012-01"), int(FF_RAW_2012_01));
    formatCombo->insertItem(1, QIcon(), QStringLiteral("2011-01"), int(FF_RAW_2011_01));
    formatCombo->insertItem(2, QIcon(), QStringLiteral("2010-01"), int(FF_RAW_2010_01));
    const int index = formatCombo->findData(format);
    if (index >= 0)
        formatCombo->setCurrentIndex(index);
}

int SaveFileDialog::selectedFormat() const {
    if (fileTypeCombo && fileTypeCombo->currentText() == UNIVERSAL_FILE_FILTER)
        return FF_UNIVERSAL;
    return formatCombo->currentData().toInt();
}

void SaveFileDialog::setFormatSelectionAvaliability(const QString &text) {
    if (fileNameEdit)
        fileNameEdit->clear();
    const bool raw = (text == RAW_FILE_FILTER);
    formatCombo->setEnabled(raw);
    formatLabel->setEnabled(raw);
}

void SaveFileDialog::onDriveChange(const QString &) {
    if (fileView)
        fileView->setEnabled(!RemovableMedia::isOnRemovableDrive(directory().absolutePath()));
}

void SaveFileDialog::accept() {
    if (!fileNameEdit || !fileTypeCombo)
        return QFileDialog::accept();
    QString name = fileNameEdit->text();
    // Without a name there is nothing to save to: a bare suffix would make a hidden file ".rvl".
    if (name.trimmed().isEmpty())
        return;
    const QString type = fileTypeCombo->currentText();
    if (type == RAW_FILE_FILTER && !name.endsWith(QLatin1String(RAW_FILE_SUFFIX)))
        name += QLatin1String(RAW_FILE_SUFFIX);
    else if (type == UNIVERSAL_FILE_FILTER && !name.endsWith(QLatin1String(UNIVERSAL_FILE_SUFFIX)))
        name += QLatin1String(UNIVERSAL_FILE_SUFFIX);
    // The selected files are the rows selected in the folder view, and only without any selection the
    // typed name: a folder clicked before typing would otherwise win over the completed name.
    if (auto *listView = findChild<QListView *>(QStringLiteral("listView"));
        listView && listView->selectionModel())
        listView->selectionModel()->clearSelection();
    fileNameEdit->setText(name);
    // The plain dialog acceptance: no overwrite question (the caller asks its own), no descent into a
    // typed folder name.
    QDialog::accept();
}
