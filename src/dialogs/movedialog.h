#ifndef MOVEDIALOG_H
#define MOVEDIALOG_H

#include "widgets/customdialog.h"

class StyledSpinBox;

// Asks for a channel number between a minimum and a maximum. It closes as accepted only for a number in
// that range; the caller then reads spinBox()->value().
class MoveDialog : public CustomDialog {
    Q_OBJECT
public:
    MoveDialog(int minimum, int value, int maximum, QWidget *parent, const QString &title,
               const QString &text);

    StyledSpinBox *spinBox() const { return m_spinBox; }

public slots:
    void accept() override;

private:
    StyledSpinBox *m_spinBox;
};

#endif // MOVEDIALOG_H
