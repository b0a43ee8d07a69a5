// Draws the window-chrome images of Tunelane: title bars and their buttons, the dialog skin and buttons, the
// message-box pictures, check boxes, spin-box arrows and the program icons. Run through chrome.sh; the PNGs
// it writes are committed, so building the program never needs this tool.
#include "paintkit.h"

#include <QRadialGradient>

namespace {

using namespace paintkit;

// One palette for the whole chrome: dark graphite with a calm teal accent.
const QColor barTop(0x4a, 0x4e, 0x56);
const QColor barBottom(0x2c, 0x2f, 0x34);
const QColor outline(0x17, 0x18, 0x1a);
const QColor accent(0x3f, 0xb0, 0xc0);
const QColor steelTop(0x74, 0x79, 0x82);
const QColor steelBottom(0x4b, 0x4f, 0x56);

// ---- title bars
// ---------------------------------------------------------------------------------------------

// 29 rows: one highlight row on top (the top slice), six columns on each side (the side slices), a gradient
// body that is stretched between them.
void titleBarBackground() {
    QImage img = canvas(40, 29);
    QPainter p(&img);
    p.fillRect(img.rect(), vertical(0, 29, barTop, barBottom));
    // The top row is a soft highlight: on a dialog it meets the cap of the background frame without a seam.
    p.fillRect(QRect(0, 0, 40, 1), barTop.lighter(108));
    p.fillRect(QRect(0, 0, 1, 29), outline);
    p.fillRect(QRect(39, 0, 1, 29), outline);
    p.fillRect(QRect(1, 1, 1, 28), QColor(255, 255, 255, 18));
    p.fillRect(QRect(0, 28, 40, 1), QColor(0, 0, 0, 90));
    save(img, QStringLiteral("TitleBar/default/background"));
}

enum class Glyph { Close, Minimize, Maximize, Unmaximize };

// Title-bar buttons hang from the top edge of the bar: square top, rounded bottom corners.
void titleButton(const QString &name, int w, Glyph glyph, bool danger, bool pressed) {
    QImage img = canvas(w, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    const QRectF r(0.5, -4.5, w - 1.0, 22.0);
    shape.addRoundedRect(r, 4, 4);
    QPainterPath clip;
    clip.addRect(0, 0, w, 18);
    shape = shape.intersected(clip);

    QColor top = danger ? QColor(0xb2, 0x4a, 0x40) : QColor(0x5d, 0x62, 0x6b);
    QColor bottom = danger ? QColor(0x86, 0x2f, 0x29) : QColor(0x3c, 0x40, 0x46);
    if (pressed) {
        top = top.darker(135);
        bottom = bottom.darker(125);
        std::swap(top, bottom);
    }
    p.fillPath(shape, vertical(0, 18, top, bottom));
    p.setPen(QPen(outline, 1));
    p.drawPath(shape);
    if (!pressed) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(1.5, 0.5), QPointF(w - 1.5, 0.5));
    }

    const QPointF c(w / 2.0, pressed ? 9.5 : 9.0);
    p.setPen(QPen(QColor(0xf2, 0xf3, 0xf5), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Close:
        p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
        p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
        break;
    case Glyph::Minimize:
        p.drawLine(c + QPointF(-4, 3.5), c + QPointF(4, 3.5));
        break;
    case Glyph::Maximize:
        p.drawRect(QRectF(c.x() - 4.5, c.y() - 4, 9, 8));
        p.drawLine(c + QPointF(-4.5, -2.8), c + QPointF(4.5, -2.8));
        break;
    case Glyph::Unmaximize:
        p.setPen(QPen(QColor(0xf2, 0xf3, 0xf5), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({c + QPointF(-2, -2.5), c + QPointF(-2, -4.5), c + QPointF(5, -4.5),
                                  c + QPointF(5, 1.5), c + QPointF(3, 1.5)}));
        p.drawRect(QRectF(c.x() - 5, c.y() - 1.5, 7.5, 6));
        break;
    }
    save(img, QStringLiteral("TitleBar/%1/%2")
                  .arg(pressed ? QStringLiteral("pressed") : QStringLiteral("default"), name));
}

void titleButtons() {
    for (bool pressed : {false, true}) {
        titleButton(QStringLiteral("closeSingle"), 33, Glyph::Close, true, pressed);
        titleButton(QStringLiteral("close"), 31, Glyph::Close, true, pressed);
        titleButton(QStringLiteral("minimize"), 24, Glyph::Minimize, false, pressed);
        titleButton(QStringLiteral("maximize"), 23, Glyph::Maximize, false, pressed);
        titleButton(QStringLiteral("unmaximize"), 23, Glyph::Unmaximize, false, pressed);
    }
}

// ---- dialog skin
// --------------------------------------------------------------------------------------------

// The dialog's background frame: the top nine rows are a rounded cap above the title bar; the rest shows as a
// thin dark outline around the dialog's border frame. Drawn at the dialogs' usual width so the cap's corners
// keep their shape there.
void dialogBackground() {
    const int w = 365, h = 60;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath cap;
    cap.addRoundedRect(QRectF(0, 0, w, 9 + 12), 6, 6);
    QPainterPath rows;
    rows.addRect(0, 0, w, 9);
    cap = cap.intersected(rows);
    p.fillPath(cap, vertical(0, 9, barTop.lighter(118), barTop.lighter(109)));
    // Outline only round the top: the bottom of the cap runs on into the title bar.
    p.save();
    p.setClipRect(QRect(0, 0, w, 9));
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, 9 + 12), 6, 6);
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    p.drawLine(QPointF(6, 1.5), QPointF(w - 6, 1.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 9, w, h - 9), QColor(0x1e, 0x1f, 0x22));
    save(img, QStringLiteral("winCommon/background"));
}

// Push-button skin, sliced 6 4 6 4: rounded corners stay in the corner slices, the gradient stretches.
void dialogButton(const QString &name, const QColor &top, const QColor &bottom, bool pressed) {
    const int w = 40, h = 30;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, w - 1.0, h - 1.0);
    QPainterPath shape;
    shape.addRoundedRect(r, 3.5, 3.5);
    p.fillPath(shape, vertical(0, h, top, bottom));
    if (!pressed) {
        QPainterPath shine;
        shine.addRoundedRect(QRectF(1.5, 1.5, w - 3.0, h / 2.0 - 1), 2.5, 2.5);
        p.fillPath(shine, QColor(255, 255, 255, 22));
    }
    p.setPen(QPen(outline, 1));
    p.drawPath(shape);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 55), 1));
    p.drawLine(QPointF(3.5, 1.5), QPointF(w - 3.5, 1.5));
    save(img, QStringLiteral("dialogs/") + name);
}

void dialogButtons() {
    dialogButton(QStringLiteral("dialog_button"), steelTop, steelBottom, false);
    dialogButton(QStringLiteral("dialog_button_over"), steelTop.lighter(118), steelBottom.lighter(118),
                 false);
    dialogButton(QStringLiteral("dialog_button_pressed"), steelBottom.darker(125), steelTop.darker(120),
                 true);
}

// ---- message pictures
// ---------------------------------------------------------------------------------------

void roundBadge(QPainter &p, const QColor &light, const QColor &dark) {
    QRadialGradient g(QPointF(20, 16), 30);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(QPen(dark.darker(160), 1.2));
    p.drawEllipse(QRectF(4.5, 4.5, 39, 39));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7.5, 7.5, 33, 33), 40 * 16, 100 * 16);
}

void critical() {
    QImage img = canvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    roundBadge(p, QColor(0xe0, 0x6a, 0x5e), QColor(0x9c, 0x2c, 0x25));
    p.setPen(QPen(Qt::white, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 17), QPointF(31, 31));
    p.drawLine(QPointF(17, 31), QPointF(31, 17));
    save(img, QStringLiteral("dialogs/critical"));
}

void information() {
    QImage img = canvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    roundBadge(p, QColor(0x62, 0xb8, 0xe6), QColor(0x1f, 0x5f, 0x96));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 14.5), 2.9, 2.9);
    QPainterPath stem;
    stem.addRoundedRect(QRectF(21.4, 20, 5.2, 15), 1.5, 1.5);
    p.drawPath(stem);
    p.drawRoundedRect(QRectF(18.5, 32.5, 11, 3.2), 1.2, 1.2);
    p.drawRoundedRect(QRectF(19.5, 20, 5, 3), 1, 1);
    save(img, QStringLiteral("dialogs/information"));
}

void exclamation() {
    QImage img = canvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(24, 5);
    tri.lineTo(44, 41);
    tri.lineTo(4, 41);
    tri.closeSubpath();
    QPainterPathStroker round;
    round.setWidth(6);
    round.setJoinStyle(Qt::RoundJoin);
    QPainterPath body = tri.united(round.createStroke(tri));
    p.fillPath(body, vertical(3, 44, QColor(0xf6, 0xc8, 0x4c), QColor(0xd4, 0x8a, 0x1c)));
    p.setPen(QPen(QColor(0x7a, 0x4b, 0x08), 1.2));
    p.drawPath(body.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x22, 0x14));
    QPainterPath bar;
    bar.moveTo(21.3, 15);
    bar.lineTo(26.7, 15);
    bar.lineTo(25.4, 30);
    bar.lineTo(22.6, 30);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(24, 35.2), 2.7, 2.7);
    save(img, QStringLiteral("dialogs/exclamation"));
}

void trashBin() {
    QImage img = canvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor edge(0x22, 0x24, 0x28);
    // Can: slightly tapered, with ribs.
    QPainterPath can;
    can.moveTo(11.5, 14);
    can.lineTo(36.5, 14);
    can.lineTo(34, 43);
    can.quadTo(33.8, 44.5, 32, 44.5);
    can.lineTo(16, 44.5);
    can.quadTo(14.2, 44.5, 14, 43);
    can.closeSubpath();
    QLinearGradient side(10, 0, 38, 0);
    side.setColorAt(0, QColor(0x8f, 0x95, 0x9e));
    side.setColorAt(0.45, QColor(0xc9, 0xce, 0xd4));
    side.setColorAt(1, QColor(0x6f, 0x75, 0x7e));
    p.fillPath(can, side);
    p.setPen(QPen(edge, 1.2));
    p.drawPath(can);
    p.setPen(QPen(QColor(0x5a, 0x60, 0x68), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {18.5, 24.0, 29.5})
        p.drawLine(QPointF(x, 18.5), QPointF(x + (x - 24) * 0.08, 40.5));
    // Lid and handle.
    p.setPen(QPen(edge, 1.2));
    p.setBrush(vertical(7, 14, QColor(0xd2, 0xd6, 0xdb), QColor(0x86, 0x8c, 0x95)));
    p.drawRoundedRect(QRectF(8.5, 9.5, 31, 4.5), 1.8, 1.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 1.6));
    p.drawRoundedRect(QRectF(19.5, 5.5, 9, 4), 1.5, 1.5);
    save(img, QStringLiteral("dialogs/trashBin"));
}

// ---- check boxes
// --------------------------------------------------------------------------------------------

void checkBox(const QString &name, int state) {
    QImage img = canvas(13, 13);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(state ? accent : QColor(0x8b, 0x90, 0x98), 1));
    p.setBrush(vertical(0, 13, QColor(0x25, 0x27, 0x2b), QColor(0x32, 0x35, 0x3a)));
    p.drawRoundedRect(QRectF(0.5, 0.5, 12, 12), 2, 2);
    if (state == 2) {
        p.setPen(QPen(QColor(0x7e, 0xe0, 0xec), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3.2, 6.6), QPointF(5.5, 9.0), QPointF(9.9, 3.8)}));
    } else if (state == 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x7e, 0xe0, 0xec));
        p.drawRoundedRect(QRectF(3, 5.5, 7, 2), 0.8, 0.8);
    }
    save(img, QStringLiteral("editor/checkbox/") + name);
}

// ---- spin-box arrows
// ----------------------------------------------------------------------------------------

// Sliced with a one-pixel border; the arrow sits in the stretched middle, so the image is drawn at about the
// size the button takes on screen.
void spinArrow(bool up, const QString &state, const QColor &top, const QColor &bottom, const QColor &arrow) {
    const int w = 16, h = 11;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.fillRect(img.rect(), vertical(0, h, top, bottom));
    p.setPen(QColor(0x2c, 0x2c, 0x2c));
    p.drawLine(0, 0, 0, h - 1);
    if (up)
        p.drawLine(0, h - 1, w - 1, h - 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    const qreal cx = w / 2.0 + 0.5, cy = h / 2.0;
    QPolygonF tri = up ? QPolygonF({QPointF(cx - 4, cy + 2), QPointF(cx + 4, cy + 2), QPointF(cx, cy - 2.2)})
                       : QPolygonF({QPointF(cx - 4, cy - 2), QPointF(cx + 4, cy - 2), QPointF(cx, cy + 2.2)});
    p.drawPolygon(tri);
    save(img, QStringLiteral("SpinBox/%1_%2").arg(up ? QStringLiteral("up") : QStringLiteral("down"), state));
}

void spinArrows() {
    for (bool up : {true, false}) {
        spinArrow(up, QStringLiteral("default"), QColor(0x9a, 0x9a, 0x9a), QColor(0x7c, 0x7c, 0x7c),
                  QColor(0xf4, 0xf4, 0xf4));
        spinArrow(up, QStringLiteral("over"), QColor(0x6a, 0x6f, 0x77), QColor(0x4c, 0x50, 0x57), Qt::white);
        spinArrow(up, QStringLiteral("pressed"), QColor(0x33, 0x36, 0x3b), QColor(0x45, 0x49, 0x4f), accent);
    }
}

// The drop-down mark of the combo button, drawn by the style sheet at the button's right end.
void comboArrow() {
    QImage img = canvas(18, 10);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xdb, 0xdf));
    p.drawPolygon(QPolygonF({QPointF(4, 3), QPointF(12, 3), QPointF(8, 7.5)}));
    save(img, QStringLiteral("widgets/comboArrow"));
}

// ---- program icons
// ------------------------------------------------------------------------------------------

// A television screen whose picture is a set of channel "lanes" of different lengths.
void programIcon(const QString &name, int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Stand.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5c, 0x62, 0x6b));
    p.drawRoundedRect(QRectF(22, 50, 20, 6), 2, 2);
    p.drawRect(QRectF(29, 46, 6, 6));
    // Case and screen.
    p.setBrush(vertical(6, 50, QColor(0x5a, 0x5f, 0x68), QColor(0x2b, 0x2e, 0x33)));
    p.setPen(QPen(outline, 1.5));
    p.drawRoundedRect(QRectF(3, 7, 58, 41), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(11, 44, QColor(0x1b, 0x3a, 0x44), QColor(0x10, 0x1c, 0x22)));
    p.drawRoundedRect(QRectF(8, 12, 48, 31), 3.5, 3.5);
    // Lanes.
    const qreal lengths[] = {34, 24, 30, 18};
    const QColor colours[] = {accent, QColor(0x9a, 0xdc, 0xe6), accent.darker(115), QColor(0xf0, 0xb8, 0x4a)};
    for (int i = 0; i < 4; ++i) {
        const qreal y = 16.5 + i * 6.5;
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawEllipse(QPointF(14, y + 1.75), 1.9, 1.9);
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(18.5, y, lengths[i], 3.5), 1.75, 1.75);
    }
    // Glass reflection.
    QPainterPath glare;
    glare.moveTo(8, 12);
    glare.lineTo(34, 12);
    glare.lineTo(20, 43);
    glare.lineTo(8, 43);
    glare.closeSubpath();
    QPainterPath screen;
    screen.addRoundedRect(QRectF(8, 12, 48, 31), 3.5, 3.5);
    p.fillPath(glare.intersected(screen), QColor(255, 255, 255, 14));
    save(img, QStringLiteral("icons/") + name);
}

void fileOpen() {
    QImage img = canvas(48, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Folder back with tab.
    QPainterPath back;
    back.moveTo(4, 12);
    back.quadTo(4, 9, 7, 9);
    back.lineTo(17, 9);
    back.lineTo(21, 13);
    back.lineTo(39, 13);
    back.quadTo(42, 13, 42, 16);
    back.lineTo(42, 38);
    back.lineTo(4, 38);
    back.closeSubpath();
    p.fillPath(back, vertical(9, 38, QColor(0xc4, 0x8e, 0x2c), QColor(0x9a, 0x68, 0x16)));
    p.setPen(QPen(QColor(0x5e, 0x3e, 0x0a), 1.1));
    p.drawPath(back);
    // A sheet sticking out.
    p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 1));
    p.setBrush(QColor(0xf1, 0xf3, 0xf5));
    p.drawRect(QRectF(9.5, 15.5, 27, 16));
    // Open front flap.
    QPainterPath front;
    front.moveTo(9, 21);
    front.lineTo(46, 21);
    front.lineTo(41, 40);
    front.lineTo(4, 40);
    front.closeSubpath();
    p.fillPath(front, vertical(21, 40, QColor(0xf2, 0xc2, 0x58), QColor(0xcf, 0x93, 0x27)));
    p.setPen(QPen(QColor(0x5e, 0x3e, 0x0a), 1.1));
    p.drawPath(front);
    // Arrow out of the folder.
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    QPainterPath arrow;
    arrow.moveTo(33, 2);
    arrow.lineTo(41, 10);
    arrow.lineTo(36, 10);
    arrow.lineTo(36, 18);
    arrow.lineTo(30, 18);
    arrow.lineTo(30, 10);
    arrow.lineTo(25, 10);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.setPen(QPen(QColor(0x1d, 0x5c, 0x66), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    save(img, QStringLiteral("welcomescreen/fileopen"));
}

} // namespace

int main(int argc, char *argv[]) {
    return paintkit::run(argc, argv, [] {
        titleBarBackground();
        titleButtons();
        dialogBackground();
        dialogButtons();
        critical();
        information();
        exclamation();
        trashBin();
        checkBox(QStringLiteral("unselected"), 0);
        checkBox(QStringLiteral("partiallySelected"), 1);
        checkBox(QStringLiteral("selected"), 2);
        spinArrows();
        comboArrow();
        programIcon(QStringLiteral("icon-small"), 20);
        programIcon(QStringLiteral("icon-big"), 64);
        fileOpen();
    });
}
