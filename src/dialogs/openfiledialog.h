#ifndef OPENFILEDIALOG_H
#define OPENFILEDIALOG_H

#include <QFileDialog>

class QComboBox;
class QLabel;
class QLineEdit;

// The toolkit's widget-based file dialog with a "Country:" row below the file types. A universal file
// can hold service lists for several countries; the row says which one to load and is enabled only
// while universal files are the chosen type. In merge mode only universal files are offered and the
// row stays disabled: a merge always takes the open document's country.
class OpenFileDialog : public QFileDialog {
    Q_OBJECT
public:
    OpenFileDialog(QWidget *parent, const QString &caption, const QString &directory, bool mergeMode);

    // "*" (any country) or a three-letter code; read whether or not the row is enabled.
    QString selectedCountry() const;

protected slots:
    void setCountrySelectionAvaliability(const QString &text);

private:
    void fillCountries();

    QLabel *countryLabel;
    QComboBox *countryCombo;
    QLineEdit *fileNameEdit = nullptr;
};

#endif // OPENFILEDIALOG_H
