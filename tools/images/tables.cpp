// Draws the channel-table images of Tunelane: the child-lock padlock, the analogue mark of the number
// column and the badge behind each number of the favourites strip. Run through tables.sh; the PNGs it
// writes are committed, so building the program never needs this tool.
#include "paintkit.h"

#include <cmath>

namespace {

using namespace paintkit;

// The chrome's teal accent, and a warm amber for the favourites badge, on the tables' graphite rows.
const QColor accent(0x3f, 0xb0, 0xc0);
const QColor accentLight(0x7e, 0xe0, 0xec);
const QColor amber(0xf2, 0xb1, 0x3a);
const QColor amberDark(0xb5, 0x74, 0x12);
const QColor edge(0x17, 0x18, 0x1a);

// A padlock, 16 x 16: steel shackle over a teal body with a key hole.
void locked() {
    QImage img = canvas(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(4.0, 1.5, 8.0, 9.0), 0, 180 * 16);
    p.drawLine(QPointF(4.0, 6.0), QPointF(4.0, 8.0));
    p.drawLine(QPointF(12.0, 6.0), QPointF(12.0, 8.0));
    p.setPen(QPen(QColor(0xc9, 0xce, 0xd4), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(4.0, 1.5, 8.0, 9.0), 0, 180 * 16);
    p.drawLine(QPointF(4.0, 6.0), QPointF(4.0, 8.0));
    p.drawLine(QPointF(12.0, 6.0), QPointF(12.0, 8.0));
    p.setPen(QPen(edge, 1));
    p.setBrush(vertical(7, 15, accentLight, accent.darker(130)));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.6, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawEllipse(QPointF(8.0, 10.6), 1.4, 1.4);
    p.drawRect(QRectF(7.4, 11.0, 1.2, 2.8));
    save(img, QStringLiteral("editor/locked"));
}

// The analogue mark, 16 x 14: a small screen with a sine wave, beside the number of an analogue channel.
void analog() {
    QImage img = canvas(16, 14);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(edge, 1));
    p.setBrush(vertical(1, 12, QColor(0x5a, 0x60, 0x68), QColor(0x35, 0x38, 0x3e)));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 11), 2, 2);
    p.setPen(QPen(accentLight, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath wave;
    wave.moveTo(2.5, 6.0);
    wave.cubicTo(4.0, 1.5, 5.5, 1.5, 6.5, 6.0);
    wave.cubicTo(7.5, 10.5, 9.0, 10.5, 10.0, 6.0);
    wave.cubicTo(11.0, 1.5, 12.5, 1.5, 13.5, 6.0);
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.setPen(QPen(QColor(0x8b, 0x90, 0x98), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 13.2), QPointF(10.5, 13.2));
    save(img, QStringLiteral("editor/analog"));
}

// The favourites badge, 13 x 13: an amber star; the list number is written to its right.
void fav() {
    QImage img = canvas(13, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    const QPointF centre(6.5, 6.8);
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2) ? 2.6 : 6.1;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(amberDark, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(0, 13, QColor(0xff, 0xd8, 0x7a), amber));
    p.drawPath(star);
    save(img, QStringLiteral("editor/fav"));
}

} // namespace

int main(int argc, char *argv[]) {
    return paintkit::run(argc, argv, [] {
        locked();
        analog();
        fav();
    });
}
