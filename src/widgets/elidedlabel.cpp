#include "widgets/elidedlabel.h"

#include <QPainter>
#include <QStyle>

namespace {
const QChar ellipsis(0x2026);
} // namespace

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : PlainTextLabel(text, parent) {}

QSize ElidedLabel::minimumSizeHint() const {
    // Frame, style-sheet padding and margin stay; of the text only the ellipsis must fit.
    return QSize(chromeSize().width() + fontMetrics().horizontalAdvance(ellipsis),
                 PlainTextLabel::minimumSizeHint().height());
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
