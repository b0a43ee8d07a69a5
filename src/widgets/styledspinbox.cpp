#include "widgets/styledspinbox.h"

#include <QKeyEvent>

const QString &StyledSpinBox::normalStyleSheet() {
    static const QString sheet = QStringLiteral(
        "QSpinBox {background-color: rgb(140,140,140); color: white; border: 1px solid rgb(44,44,44);}"
        "QSpinBox::up-button {border-image: url(:/img/SpinBox/up_default) 1;}"
        "QSpinBox::up-button:hover {border-image: url(:/img/SpinBox/up_over) 1;}"
        "QSpinBox::up-button:pressed {border-image: url(:/img/SpinBox/up_pressed) 1;}"
        "QSpinBox::down-button {border-image: url(:/img/SpinBox/down_default) 1;}"
        "QSpinBox::down-button:hover {border-image: url(:/img/SpinBox/down_over) 1;}"
        "QSpinBox::down-button:pressed {border-image: url(:/img/SpinBox/down_pressed) 1;}");
    return sheet;
}

const QString &StyledSpinBox::focusedStyleSheet() {
    static const QString sheet =
        QStringLiteral("QSpinBox {background-color: white; color: black; border: 1px solid rgb(44,44,44);"
                       "selection-color: white; selection-background-color: rgb(44,44,44);}"
                       "QSpinBox::up-button {border-image: url(:/img/SpinBox/up_over) 1;"
                       "subcontrol-origin: contents; subcontrol-position: top right; border: 0;}"
                       "QSpinBox::up-button:pressed {border-image: url(:/img/SpinBox/up_pressed) 1;"
                       "subcontrol-origin: contents; subcontrol-position: top right; border-width: 0;}"
                       "QSpinBox::down-button {border-image: url(:/img/SpinBox/down_over) 1;"
                       "subcontrol-origin: contents; subcontrol-position: bottom right; border-width: 0px;}"
                       "QSpinBox::down-button:pressed {border-image: url(:/img/SpinBox/down_pressed) 1;"
                       "subcontrol-origin: contents; subcontrol-position: bottom right; border-width: 0px;}");
    return sheet;
}

StyledSpinBox::StyledSpinBox(QWidget *parent) : QSpinBox(parent) {
    setStyleSheet(normalStyleSheet());
    connect(this, &QAbstractSpinBox::editingFinished, this, &StyledSpinBox::onEditingFinished);
    setMouseTracking(true);
}

void StyledSpinBox::onEditingFinished() {
    setStyleSheet(normalStyleSheet());
}

void StyledSpinBox::keyPressEvent(QKeyEvent *event) {
    // Return and Enter belong to the dialog: its default button runs the check of the value.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void StyledSpinBox::focusInEvent(QFocusEvent *event) {
    setStyleSheet(focusedStyleSheet());
    QAbstractSpinBox::focusInEvent(event);
}
