#include "dialogs/filedialoglayout.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QStackedWidget>

QLineEdit *FileDialogLayout::fileNameEdit(QFileDialog *dialog) {
    return dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

QComboBox *FileDialogLayout::fileTypeCombo(QFileDialog *dialog) {
    return dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
}

QStackedWidget *FileDialogLayout::folderContentsView(QFileDialog *dialog) {
    if (auto *stack = dialog->findChild<QStackedWidget *>(QStringLiteral("stackedWidget")))
        return stack;
    // Another toolkit version may name it differently: the first stack below the folder area.
    if (auto *grid = qobject_cast<QGridLayout *>(dialog->layout())) {
        if (QLayoutItem *item = grid->itemAtPosition(1, 0); item && item->widget())
            return item->widget()->findChild<QStackedWidget *>();
    }
    return nullptr;
}

void FileDialogLayout::addRowBelowFileTypes(QFileDialog *dialog, QWidget *label, QWidget *field) {
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    if (!grid) {
        // No grid to extend: keep the widgets out of sight rather than floating over the dialog.
        label->hide();
        field->hide();
        return;
    }
    int row = 3;
    if (QComboBox *types = fileTypeCombo(dialog)) {
        const int index = grid->indexOf(types);
        if (index >= 0) {
            int column, rowSpan, columnSpan;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            row += rowSpan - 1;
        }
    }
    grid->addWidget(label, row + 1, 0);
    grid->addWidget(field, row + 1, 1);
}
