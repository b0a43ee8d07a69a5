#ifndef CUSTOMDIALOG_H
#define CUSTOMDIALOG_H

#include <QDialog>
#include <QDialogButtonBox>
#include <QPoint>

class DialogTitleBar;
class QFrame;
class QLayout;
class QVBoxLayout;

// Base of every dialog of the program (except the file dialogs): frameless and translucent, with its own
// title bar, a skinned frame, a contents area that the subclass fills through setContentLayout(), and an
// optional centred row of standard buttons.
class CustomDialog : public QDialog {
    Q_OBJECT

public:
    CustomDialog(QWidget *parent, const QString &title,
                 QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::NoButton);

    // Installs the subclass's contents; called once, at the end of the subclass's constructor.
    void setContentLayout(QLayout *layout);

    DialogTitleBar *titleBar() const { return m_titleBar; }
    // Null when the dialog was built without buttons.
    QDialogButtonBox *buttonBox() const { return m_buttonBox; }

protected:
    // The layout of the border frame: the contents frame, then the button box. Subclasses may add rows below
    // the contents (the welcome screen's check box does).
    QVBoxLayout *borderLayout() const { return m_borderLayout; }
    QFrame *contentsFrame() const { return m_contentsFrame; }

private slots:
    void on_updatePosition(QPoint vector);

private:
    QVBoxLayout *m_mainLayout;
    QFrame *m_backgroundFrame;
    DialogTitleBar *m_titleBar;
    QFrame *m_borderFrame;
    QFrame *m_contentsFrame;
    QVBoxLayout *m_backgroundLayout;
    QVBoxLayout *m_borderLayout;
    QDialogButtonBox *m_buttonBox = nullptr;
};

#endif // CUSTOMDIALOG_H
