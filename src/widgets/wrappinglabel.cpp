#include "widgets/wrappinglabel.h"

#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <cmath>

WrappingLabel::WrappingLabel(const QString &text, QWidget *parent) : PlainTextLabel(text, parent) {}

bool WrappingLabel::hasHeightForWidth() const {
    return true;
}

int WrappingLabel::layOutText(int textWidth, QPainter *painter, const QPointF &origin) const {
    QTextOption option(QStyle::visualAlignment(layoutDirection(), alignment() & Qt::AlignHorizontal_Mask));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal y = 0;
    for (const QString &paragraph : text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(qMax(1, textWidth));
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, origin);
    }
    return int(std::ceil(y));
}

int WrappingLabel::heightForWidth(int width) const {
    const QSize chrome = chromeSize();
    return layOutText(width - chrome.width()) + chrome.height();
}

QSize WrappingLabel::sizeHint() const {
    const int width = qMin(PlainTextLabel::sizeHint().width(), widestMinimum);
    return QSize(width, heightForWidth(width));
}

QSize WrappingLabel::minimumSizeHint() const {
    // As tall as the text wrapped at the preferred width, so a dialog of its usual size shows all of it; a
    // word-wrapped text at its narrowest (one word a line) would make every dialog needlessly tall.
    const int width = qMin(PlainTextLabel::minimumSizeHint().width(), widestMinimum);
    return QSize(width, heightForWidth(sizeHint().width()));
}

void WrappingLabel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = textRoom();
    const int textHeight = layOutText(room.width());
    qreal top = room.top();
    if (alignment() & Qt::AlignVCenter)
        top += (room.height() - textHeight) / 2.0;
    else if (alignment() & Qt::AlignBottom)
        top += room.height() - textHeight;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layOutText(room.width(), &painter, QPointF(room.left(), top));
}
