// Draws the main-window images of Tunelane: the menu bar, the list tabs, the category panel on the left, the
// tool buttons over the channel tables and the two buttons of the favourites page. Run through mainwindow.sh;
// the PNGs it writes are committed, so building the program never needs this tool.
#include "paintkit.h"

#include <QRadialGradient>
#include <QtMath>
#include <functional>

namespace {

using namespace paintkit;

// The palette of the window chrome: dark graphite with a calm teal accent.
const QColor accent(0x3f, 0xb0, 0xc0);
const QColor accentLight(0x7e, 0xe0, 0xec);
const QColor glyphDefault(0xd9, 0xdc, 0xe1);
const QColor glyphDisabled(0x5a, 0x5e, 0x65);
const QColor outline(0x10, 0x11, 0x13);
const QColor body(0x27, 0x27, 0x27);

QPen roundPen(const QColor &c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// ---- menu bar
// -----------------------------------------------------------------------------------------------

// Used as a border image: a one-pixel light line on top, a soft gradient, a dark line at the bottom.
void menuBar() {
    QImage bg = canvas(12, 24);
    {
        QPainter p(&bg);
        p.fillRect(bg.rect(), vertical(0, 24, QColor(0x3a, 0x3d, 0x43), QColor(0x26, 0x28, 0x2c)));
        p.fillRect(QRect(0, 0, 12, 1), QColor(255, 255, 255, 22));
        p.fillRect(QRect(0, 23, 12, 1), outline);
    }
    save(bg, QStringLiteral("menuBar/background"));

    QImage sel = canvas(16, 22);
    {
        QPainter p(&sel);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath r;
        r.addRoundedRect(QRectF(0.5, 0.5, 15, 21), 3, 3);
        p.fillPath(r, vertical(0, 22, QColor(0x2f, 0x8e, 0x9c), QColor(0x1f, 0x62, 0x6d)));
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(3, 1.5), QPointF(13, 1.5));
        p.setPen(QPen(QColor(0x15, 0x45, 0x4d), 1));
        p.drawPath(r);
    }
    save(sel, QStringLiteral("menuBar/selected"));
}

// ---- list tabs
// ----------------------------------------------------------------------------------------------

// 165 x 34; the chosen tab takes the colour of the body below it, so it reads as the front card.
void tab(const QString &name, const QColor &top, const QColor &bottom, bool selected) {
    QImage img = canvas(165, 34);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.moveTo(0.5, 34);
    shape.lineTo(0.5, 6);
    shape.quadTo(0.5, 0.5, 6, 0.5);
    shape.lineTo(159, 0.5);
    shape.quadTo(164.5, 0.5, 164.5, 6);
    shape.lineTo(164.5, 34);
    p.fillPath(shape, vertical(0, 34, top, bottom));
    p.setPen(QPen(selected ? QColor(0x0c, 0x0c, 0x0d) : QColor(0x0a, 0x0a, 0x0b), 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, selected ? 30 : 18), 1));
    p.drawLine(QPointF(6, 1.5), QPointF(159, 1.5));
    if (selected) {
        // A teal cap marks the chosen list.
        QPainterPath cap;
        cap.addRoundedRect(QRectF(6, 1, 153, 3), 1.5, 1.5);
        p.fillPath(cap, accent);
    } else {
        p.fillRect(QRect(0, 33, 165, 1), QColor(0x3a, 0x3b, 0x3e));
    }
    save(img, QStringLiteral("tabs/") + name);
}

void tabs() {
    tab(QStringLiteral("default"), QColor(0x2c, 0x2e, 0x32), QColor(0x1c, 0x1d, 0x20), false);
    tab(QStringLiteral("over"), QColor(0x3b, 0x3e, 0x44), QColor(0x26, 0x28, 0x2c), false);
    tab(QStringLiteral("selected"), QColor(0x34, 0x35, 0x37), body, true);
}

// ---- category panel
// -----------------------------------------------------------------------------------------

void triangle(const QString &name, bool open) {
    QImage img = canvas(12, 12);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath t;
    if (open) {
        t.moveTo(2, 4);
        t.lineTo(10, 4);
        t.lineTo(6, 9);
    } else {
        t.moveTo(4, 2);
        t.lineTo(9, 6);
        t.lineTo(4, 10);
    }
    t.closeSubpath();
    p.fillPath(t, open ? accentLight : QColor(0x9a, 0x9f, 0xa7));
    save(img, QStringLiteral("leftMenu/category/") + name);
}

// Border images of a 25-px category row: hover (unchecked) and checked.
void categoryRow(const QString &name, bool checked) {
    QImage img = canvas(20, 25);
    QPainter p(&img);
    if (checked) {
        p.fillRect(img.rect(), vertical(0, 25, QColor(0x23, 0x4a, 0x52), QColor(0x1a, 0x35, 0x3b)));
        p.fillRect(QRect(0, 0, 3, 25), accent);
        p.fillRect(QRect(3, 0, 17, 1), QColor(255, 255, 255, 25));
        p.fillRect(QRect(0, 24, 20, 1), QColor(0, 0, 0, 120));
    } else {
        p.fillRect(img.rect(), vertical(0, 25, QColor(0x3a, 0x3d, 0x42), QColor(0x30, 0x32, 0x36)));
        p.fillRect(QRect(0, 0, 20, 1), QColor(255, 255, 255, 18));
        p.fillRect(QRect(0, 24, 20, 1), QColor(0, 0, 0, 90));
    }
    save(img, QStringLiteral("leftMenu/category/") + name);
}

void categoryLine() {
    QImage img = canvas(20, 3);
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 20, 1), QColor(0x12, 0x13, 0x14));
    p.fillRect(QRect(0, 1, 20, 1), QColor(0x3f, 0xb0, 0xc0, 110));
    p.fillRect(QRect(0, 2, 20, 1), QColor(0x3a, 0x3b, 0x3e));
    save(img, QStringLiteral("leftMenu/category/line"));
}

// Satellite rows under a category (25 px): chosen and hovered.
void satelliteItem(const QString &name, bool selected) {
    QImage img = canvas(20, 25);
    QPainter p(&img);
    if (selected) {
        p.fillRect(img.rect(), vertical(0, 25, QColor(0x1d, 0x5a, 0x64), QColor(0x15, 0x40, 0x47)));
        p.fillRect(QRect(0, 0, 3, 25), accentLight);
    } else {
        p.fillRect(img.rect(), vertical(0, 25, QColor(0x26, 0x29, 0x2d), QColor(0x1d, 0x1f, 0x22)));
        p.fillRect(QRect(0, 0, 3, 25), QColor(0x3f, 0xb0, 0xc0, 120));
    }
    p.fillRect(QRect(0, 24, 20, 1), QColor(0, 0, 0, 140));
    save(img, QStringLiteral("leftMenu/item/") + name);
}

// ---- tool buttons
// -------------------------------------------------------------------------------------------

void toolBackground() {
    QImage img = canvas(4, 46);
    QPainter p(&img);
    p.fillRect(img.rect(), vertical(0, 46, QColor(0x36, 0x38, 0x3d), QColor(0x24, 0x26, 0x29)));
    p.fillRect(QRect(0, 0, 4, 1), QColor(255, 255, 255, 20));
    p.fillRect(QRect(0, 45, 4, 1), outline);
    save(img, QStringLiteral("toolButtons/background"));
}

using Glyph = std::function<void(QPainter &, const QColor &)>;

void undoGlyph(QPainter &p, const QColor &c) {
    p.setPen(roundPen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(9, 12);
    arc.cubicTo(13, 7, 22, 7, 24, 14);
    arc.cubicTo(25.5, 19, 22, 24, 16, 24);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(6, 8);
    head.lineTo(13, 9);
    head.lineTo(8, 15);
    head.closeSubpath();
    p.setPen(roundPen(c, 1.4));
    p.setBrush(c);
    p.drawPath(head);
}

void redoGlyph(QPainter &p, const QColor &c) {
    p.save();
    p.translate(31, 0);
    p.scale(-1, 1);
    undoGlyph(p, c);
    p.restore();
}

void copyGlyph(QPainter &p, const QColor &c) {
    p.setPen(roundPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 6, 12, 15), 2, 2);
    p.setBrush(QColor(0x2a, 0x2c, 0x30));
    p.drawRoundedRect(QRectF(12, 11, 12, 15), 2, 2);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(12, 13, 12, 12), Qt::AlignCenter, QStringLiteral("99"));
}

void deleteGlyph(QPainter &p, const QColor &c) {
    p.setPen(roundPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(7.5, 9), QPointF(23.5, 9));
    p.drawLine(QPointF(12.5, 9), QPointF(13, 6.5));
    p.drawLine(QPointF(13, 6.5), QPointF(18, 6.5));
    p.drawLine(QPointF(18, 6.5), QPointF(18.5, 9));
    QPainterPath can;
    can.moveTo(9.5, 11);
    can.lineTo(10.8, 25);
    can.lineTo(20.2, 25);
    can.lineTo(21.5, 11);
    p.drawPath(can);
    p.setPen(roundPen(c, 1.3));
    p.drawLine(QPointF(13.5, 13.5), QPointF(13.8, 22.5));
    p.drawLine(QPointF(15.5, 13.5), QPointF(15.5, 22.5));
    p.drawLine(QPointF(17.5, 13.5), QPointF(17.2, 22.5));
}

void renumberGlyph(QPainter &p, const QColor &c) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(3, 5, 18, 13), Qt::AlignCenter, QStringLiteral("12"));
    // An arrow turning down into a new place.
    p.setPen(roundPen(c, 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(21, 10);
    path.cubicTo(26, 11, 26, 18, 21, 22);
    p.drawPath(path);
    QPainterPath head;
    head.moveTo(19, 19);
    head.lineTo(20.5, 23.5);
    head.lineTo(25, 22.5);
    p.drawPath(head);
    p.drawLine(QPointF(6, 23), QPointF(16, 23));
}

void renameGlyph(QPainter &p, const QColor &c) {
    p.setPen(roundPen(c, 1.5));
    p.setBrush(Qt::NoBrush);
    // A pencil drawn along the diagonal.
    p.save();
    p.translate(16, 15);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-8, -3, 14, 6), 1, 1);
    QPainterPath tip;
    tip.moveTo(6, -3);
    tip.lineTo(11, 0);
    tip.lineTo(6, 3);
    p.drawPath(tip);
    p.setBrush(c);
    p.drawEllipse(QPointF(10, 0), 0.8, 0.8);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(-5, -3), QPointF(-5, 3));
    p.restore();
    p.drawLine(QPointF(7, 25), QPointF(24, 25));
}

void padlock(QPainter &p, const QColor &c, bool closed) {
    p.setPen(roundPen(c, 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    if (closed) {
        shackle.moveTo(11, 14);
        shackle.lineTo(11, 10.5);
        shackle.arcTo(QRectF(11, 5.5, 9, 10), 180, -180);
        shackle.lineTo(20, 14);
    } else {
        shackle.moveTo(11, 14);
        shackle.lineTo(11, 8.5);
        shackle.arcTo(QRectF(11, 3.5, 9, 10), 180, -180);
        shackle.lineTo(20, 10);
    }
    p.drawPath(shackle);
    p.setPen(roundPen(c, 1.4));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(8, 14, 15, 11), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x22, 0x25));
    p.drawEllipse(QPointF(15.5, 18.5), 1.6, 1.6);
    p.drawRect(QRectF(14.9, 18.5, 1.2, 3.5));
}

void lockGlyph(QPainter &p, const QColor &c) {
    padlock(p, c, true);
}
void unlockGlyph(QPainter &p, const QColor &c) {
    padlock(p, c, false);
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? inner : outer;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt(centre.x() + r * qCos(a), centre.y() + r * qSin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

Glyph favGlyph(int list) {
    return [list](QPainter &p, const QColor &c) {
        p.setPen(roundPen(c, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(starPath(QPointF(14, 14.5), 10, 4.3));
        // The list number sits in a small badge at the lower right.
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(23, 22), 5.5, 5.5);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x1c, 0x1d, 0x20));
        p.drawText(QRectF(17.5, 16.5, 11, 11), Qt::AlignCenter, QString::number(list));
    };
}

// 39 x 36 button; the glyph is drawn in a 31 x 31 box centred in it.
void toolButton(const QString &name, const QString &disabledName, const Glyph &glyph) {
    struct State {
        const char *folder;
        QColor top, bottom, edge, glyph;
        bool plate;
    };
    const State states[] = {
        {"default", QColor(0x45, 0x48, 0x4e), QColor(0x33, 0x35, 0x3a), QColor(0x1a, 0x1b, 0x1e),
         glyphDefault, true},
        {"over", QColor(0x55, 0x5a, 0x62), QColor(0x3d, 0x41, 0x47), QColor(0x2f, 0x8e, 0x9c), accentLight,
         true},
        {"pressed", QColor(0x1d, 0x1f, 0x22), QColor(0x2a, 0x2c, 0x30), QColor(0x2f, 0x8e, 0x9c), accent,
         true},
        {"disabled", QColor(0x30, 0x32, 0x36), QColor(0x2a, 0x2b, 0x2f), QColor(0x1f, 0x20, 0x23),
         glyphDisabled, true},
    };
    for (const State &s : states) {
        QImage img = canvas(39, 36);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        if (s.plate) {
            QPainterPath plate;
            plate.addRoundedRect(QRectF(1.5, 1.5, 36, 33), 4, 4);
            p.fillPath(plate, vertical(1, 35, s.top, s.bottom));
            p.setPen(QPen(s.edge, 1));
            p.drawPath(plate);
            if (QLatin1String(s.folder) != QLatin1String("pressed")) {
                p.setPen(QPen(QColor(255, 255, 255, 26), 1));
                p.drawLine(QPointF(5, 2.5), QPointF(34, 2.5));
            }
        }
        p.translate(4, 2.5);
        if (QLatin1String(s.folder) == QLatin1String("pressed"))
            p.translate(0, 1);
        glyph(p, s.glyph);
        p.end();
        const bool disabled = QLatin1String(s.folder) == QLatin1String("disabled");
        save(img, QStringLiteral("toolButtons/") + QLatin1String(s.folder) + QLatin1Char('/') +
                      (disabled ? disabledName : name));
    }
}

void toolButtons() {
    toolBackground();
    toolButton(QStringLiteral("undo"), QStringLiteral("undo"), undoGlyph);
    toolButton(QStringLiteral("redo"), QStringLiteral("redo"), redoGlyph);
    toolButton(QStringLiteral("astraHDCopy"), QStringLiteral("astraHDCopy"), copyGlyph);
    toolButton(QStringLiteral("delete"), QStringLiteral("delete"), deleteGlyph);
    toolButton(QStringLiteral("renumber"), QStringLiteral("renumber"), renumberGlyph);
    toolButton(QStringLiteral("rename"), QStringLiteral("rename"), renameGlyph);
    toolButton(QStringLiteral("lock"), QStringLiteral("locked"), lockGlyph);
    toolButton(QStringLiteral("unlock"), QStringLiteral("unlocked"), unlockGlyph);
    for (int i = 1; i <= 5; ++i)
        toolButton(QStringLiteral("fav%1").arg(i), QStringLiteral("fav%1").arg(i), favGlyph(i));
}

// ---- favourites page buttons
// --------------------------------------------------------------------------------

// 50 x 48 round buttons between the two tables: "add" carries channels to the right, "delete" takes them out.
void favouritesButton(const QString &name, bool add) {
    struct State {
        const char *folder;
        QColor top, bottom, ring, glyph;
    };
    const State states[] = {
        {"default", QColor(0x4a, 0x4e, 0x55), QColor(0x2e, 0x31, 0x35), QColor(0x16, 0x17, 0x19),
         glyphDefault},
        {"over", QColor(0x2f, 0x8e, 0x9c), QColor(0x1d, 0x5c, 0x66), QColor(0x12, 0x3a, 0x40), Qt::white},
        {"pressed", QColor(0x17, 0x48, 0x50), QColor(0x22, 0x6c, 0x78), QColor(0x0e, 0x2c, 0x31),
         accentLight},
        // Not offered while the table beside it has nothing selected.
        {"disabled", QColor(0x36, 0x38, 0x3c), QColor(0x2b, 0x2d, 0x30), QColor(0x1e, 0x1f, 0x22),
         glyphDisabled},
    };
    for (const State &s : states) {
        QImage img = canvas(50, 48);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(4, 3, 42, 42);
        // A soft shadow under the disc.
        QRadialGradient shadow(QPointF(25, 26), 24);
        shadow.setColorAt(0.8, QColor(0, 0, 0, 110));
        shadow.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawEllipse(QRectF(1, 3, 48, 45));
        p.setBrush(vertical(3, 45, s.top, s.bottom));
        p.setPen(QPen(s.ring, 1.2));
        p.drawEllipse(disc);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(disc.adjusted(2, 2, -2, -2), 35 * 16, 110 * 16);
        p.setPen(roundPen(s.glyph, 3.2));
        const qreal y = 24 + (QLatin1String(s.folder) == QLatin1String("pressed") ? 1 : 0);
        if (add) {
            p.drawLine(QPointF(15, y), QPointF(34, y));
            p.drawLine(QPointF(27, y - 7), QPointF(34, y));
            p.drawLine(QPointF(27, y + 7), QPointF(34, y));
        } else {
            p.drawLine(QPointF(16, y), QPointF(35, y));
            p.drawLine(QPointF(23, y - 7), QPointF(16, y));
            p.drawLine(QPointF(23, y + 7), QPointF(16, y));
        }
        p.end();
        save(img, QStringLiteral("myChannels/buttons/") + QLatin1String(s.folder) + QLatin1Char('/') + name);
    }
}

} // namespace

int main(int argc, char *argv[]) {
    return paintkit::run(argc, argv, [] {
        menuBar();
        tabs();
        triangle(QStringLiteral("opened"), true);
        triangle(QStringLiteral("rolled1"), false);
        categoryRow(QStringLiteral("selected"), false);
        categoryRow(QStringLiteral("selectedOver"), true);
        categoryLine();
        satelliteItem(QStringLiteral("selected"), true);
        satelliteItem(QStringLiteral("over"), false);
        toolButtons();
        favouritesButton(QStringLiteral("add"), true);
        favouritesButton(QStringLiteral("delete"), false);
    });
}
