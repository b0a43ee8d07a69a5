#ifndef CUSTOMMESSAGEBOX_H
#define CUSTOMMESSAGEBOX_H

#include "widgets/customdialog.h"

class QAbstractButton;
class QLabel;

// A dialog with an icon, a word-wrapped text and standard buttons; the static functions run one modally and
// return the button the user chose.
class CustomMessageBox : public CustomDialog {
    Q_OBJECT

public:
    CustomMessageBox(QWidget *parent, const QString &title, const QString &text, const QString &iconPath,
                     QDialogButtonBox::StandardButtons buttons,
                     QDialogButtonBox::StandardButton defaultButton = QDialogButtonBox::NoButton);

    // The button the user clicked; until a click, the answer that means "no consent" (see the constructor).
    QDialogButtonBox::StandardButton clickedButton() const { return m_clicked; }
    QLabel *textLabel() const { return m_textLabel; }

    static QDialogButtonBox::StandardButton
    critical(QWidget *parent, const QString &title, const QString &text,
             QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok,
             QDialogButtonBox::StandardButton defaultButton = QDialogButtonBox::NoButton);
    static QDialogButtonBox::StandardButton
    information(QWidget *parent, const QString &title, const QString &text,
                QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok,
                QDialogButtonBox::StandardButton defaultButton = QDialogButtonBox::NoButton);
    static QDialogButtonBox::StandardButton
    exclamation(QWidget *parent, const QString &title, const QString &text,
                QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok,
                QDialogButtonBox::StandardButton defaultButton = QDialogButtonBox::NoButton);

    // What a box with these buttons answers when it is closed without a click (Escape, the title bar's
    // close).
    static QDialogButtonBox::StandardButton dismissAnswer(QDialogButtonBox::StandardButtons buttons);

public slots:
    void rememberClicked(QAbstractButton *button);

private:
    static QDialogButtonBox::StandardButton run(QWidget *parent, const QString &title, const QString &text,
                                                const QString &iconPath,
                                                QDialogButtonBox::StandardButtons buttons,
                                                QDialogButtonBox::StandardButton defaultButton);

    QLabel *m_textLabel;
    QDialogButtonBox::StandardButton m_clicked;
};

#endif // CUSTOMMESSAGEBOX_H
