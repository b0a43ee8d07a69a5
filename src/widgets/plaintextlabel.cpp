#include "widgets/plaintextlabel.h"

PlainTextLabel::PlainTextLabel(QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

PlainTextLabel::PlainTextLabel(const QString &text, QWidget *parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(text);
}

void PlainTextLabel::setPlainText(QLabel *label, const QString &text) {
    if (!label)
        return;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}
