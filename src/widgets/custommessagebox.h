#ifndef CUSTOMMESSAGEBOX_H
#define CUSTOMMESSAGEBOX_H

#include "widgets/customdialog.h"

#include <QStringList>

class QAbstractButton;
class QLabel;
class QScrollArea;

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

    // Adds a list below the text and a closing text below the list, each a paragraph apart. The list is the
    // part that may be too long for the screen: it lies in an area of its own, which scrolls when
    // fitToScreen() leaves it less height than it needs, so the text, the closing text and the buttons stay
    // in view. Called once, before fitToScreen().
    void setList(const QString &list, const QString &closing);
    // Null until setList().
    QScrollArea *listArea() const { return m_listArea; }
    QLabel *listLabel() const { return m_listLabel; }
    QLabel *closingLabel() const { return m_closingLabel; }
    // Sizes the box for the screen it comes up on. A long text reads better in a wider box than in a taller
    // one: the texts take the narrowest of a few widths at which they stay within a comfortable height, in a
    // box the screen holds. The list may come in several forms, from the most open to the tightest: the box
    // shows the first that fits, else the tightest, in the widest box the screen takes and scrolling in the
    // height the screen leaves it. So the box never runs off the screen: its text, closing text and buttons
    // are always there to be read and clicked. Called once, before the box is shown.
    void fitToScreen(const QStringList &listForms = {});
    // Everything the box says, as it reads from the top: the text, then the list and the closing text.
    QString text() const;

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
    QScrollArea *m_listArea = nullptr;
    QLabel *m_listLabel = nullptr;
    QLabel *m_closingLabel = nullptr;
    QDialogButtonBox::StandardButton m_clicked;
};

#endif // CUSTOMMESSAGEBOX_H
