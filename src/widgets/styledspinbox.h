#ifndef STYLEDSPINBOX_H
#define STYLEDSPINBOX_H

#include <QSpinBox>

// A spin box that is grey while idle and white while it is being edited, and that leaves Return and Enter to
// its dialog so that the dialog's default button acts on them.
class StyledSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit StyledSpinBox(QWidget *parent = nullptr);

    static const QString &normalStyleSheet();
    static const QString &focusedStyleSheet();

public slots:
    void onEditingFinished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

#endif // STYLEDSPINBOX_H
