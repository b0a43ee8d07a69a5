#ifndef SAVEFILEDIALOG_H
#define SAVEFILEDIALOG_H

#include <QFileDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

// The toolkit's widget-based save dialog with a "Format:" row below the file types: the model year to
// write when the raw file type is chosen. Accepting completes the name with the chosen type's suffix
// and closes at once; the caller asks about overwriting an existing file itself.
class SaveFileDialog : public QFileDialog {
    Q_OBJECT
public:
    SaveFileDialog(QWidget *parent, const QString &caption, int format, const QString &directory);

    // FF_UNIVERSAL for the universal format, else the raw model year's code (FF_RAW_2012_01, FF_RAW_2011_01
    // or FF_RAW_2010_01).
    int selectedFormat() const;
    // Fills the format row and selects the entry of the given code, or "2012-01" for any other code.
    void fillFormats(int format);

public slots:
    void accept() override;

protected slots:
    void setFormatSelectionAvaliability(const QString &text);
    // Judges the dialog's current folder; the argument is not used.
    void onDriveChange(const QString &path);

private:
    QLabel *formatLabel;
    QComboBox *formatCombo;
    QLineEdit *fileNameEdit = nullptr;
    QComboBox *fileTypeCombo = nullptr;
    QStackedWidget *fileView = nullptr;
};

#endif // SAVEFILEDIALOG_H
