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

QSize PlainTextLabel::chromeSize() const {
    ensurePolished();
    // Frame and style-sheet padding lie between the widget's rectangle and its contents rectangle.
    return QSize(width() - contentsRect().width() + 2 * margin(),
                 height() - contentsRect().height() + 2 * margin());
}

QRect PlainTextLabel::textRoom() const {
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}
