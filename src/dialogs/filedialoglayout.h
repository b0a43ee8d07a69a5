#ifndef FILEDIALOGLAYOUT_H
#define FILEDIALOGLAYOUT_H

#include <QString>

class QComboBox;
class QFileDialog;
class QLineEdit;
class QStackedWidget;
class QWidget;

// What the open and save dialogs know about the inside of the toolkit's widget-based file dialog. The
// children are found by the object names the toolkit gives them and may be missing in another toolkit
// version: every caller checks for null.
class FileDialogLayout {
public:
    static QLineEdit *fileNameEdit(QFileDialog *dialog);
    static QComboBox *fileTypeCombo(QFileDialog *dialog);
    // The stack holding the list and detail views of the folder's contents.
    static QStackedWidget *folderContentsView(QFileDialog *dialog);
    // Puts a label and a field into the row directly below the file-type row.
    static void addRowBelowFileTypes(QFileDialog *dialog, QWidget *label, QWidget *field);
};

#endif // FILEDIALOGLAYOUT_H
