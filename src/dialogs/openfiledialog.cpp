#include "dialogs/openfiledialog.h"

#include "core/sharedtexts.h"
#include "dialogs/filedialoglayout.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>

OpenFileDialog::OpenFileDialog(QWidget *parent, const QString &caption, const QString &directory,
                               bool mergeMode)
    : QFileDialog(parent, caption, directory, QString()) {
    // We add a row to the dialog's grid and reach into its children: only the widget-based dialog has them.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(mergeMode ? UNIVERSAL_FILE_FILTER
                            : RAW_FILE_FILTER + QStringLiteral(";;") + UNIVERSAL_FILE_FILTER);

    countryLabel = new QLabel(tr("Country:"), this);
    countryLabel->setObjectName(QStringLiteral("countryLabel"));
    countryCombo = new QComboBox(this);
    countryCombo->setObjectName(QStringLiteral("countryCombo"));
    countryCombo->setEditable(false);
    fillCountries();
    countryCombo->setEnabled(false);
    countryLabel->setEnabled(false);
    FileDialogLayout::addRowBelowFileTypes(this, countryLabel, countryCombo);

    if (QComboBox *fileTypeCombo = FileDialogLayout::fileTypeCombo(this); fileTypeCombo && !mergeMode) {
        connect(fileTypeCombo, &QComboBox::currentIndexChanged, this, [this, fileTypeCombo](int) {
            setCountrySelectionAvaliability(fileTypeCombo->currentText());
        });
    }
    fileNameEdit = FileDialogLayout::fileNameEdit(this);
}

void OpenFileDialog::fillCountries() {
    QStringList entries{QStringLiteral("*")};
    QFile codes(QStringLiteral(":/txt/countrycodes.txt"));
    if (codes.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream stream(&codes);
        while (!stream.atEnd()) {
            const QString code = stream.readLine().trimmed();
            if (!code.isEmpty())
                entries.append(code);
        }
    }
    countryCombo->insertItems(0, entries);
}

QString OpenFileDialog::selectedCountry() const {
    return countryCombo->currentText();
}

void OpenFileDialog::setCountrySelectionAvaliability(const QString &text) {
    if (fileNameEdit)
        fileNameEdit->clear();
    const bool universal = (text == UNIVERSAL_FILE_FILTER);
    countryCombo->setEnabled(universal);
    countryLabel->setEnabled(universal);
}
