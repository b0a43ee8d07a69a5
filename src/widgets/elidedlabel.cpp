#include "widgets/elidedlabel.h"

#include <QPainter>
#include <QStyle>

namespace {
const QChar ellipsis(0x2026);
} // namespace

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : PlainTextLabel(text, parent) {}

QSize ElidedLabel::minimumSizeHint() const {
    ensurePolished();
    // Frame, style-sheet padding and margin stay; of the text only the ellipsis must fit.
    const int chrome = width() - contentsRect().width() + 2 * margin();
    return QSize(chrome + fontMetrics().horizontalAdvance(ellipsis),
                 PlainTextLabel::minimumSizeHint().height());
}

QRect ElidedLabel::textRoom() const {
    return contentsRect().adjusted(margin(), margin(), -margin(), -margin());
}

void ElidedLabel::paintEvent(QPaintEvent *event) {
    const QRect room = textRoom();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    if (shown == text()) {
        PlainTextLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}
