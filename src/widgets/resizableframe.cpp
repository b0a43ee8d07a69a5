#include "widgets/resizableframe.h"

#include "widgets/windowsystem.h"

#include <QMouseEvent>
#include <QScreen>

namespace {

// One step of a resize: moves a single edge (1 top, 3 right, 5 bottom, 7 left) to the cursor.
void resizeSide(QWidget *window, ResizeEdge edge, int gx, int gy) {
    const QRect g = window->geometry();
    const int x = g.x(), y = g.y(), width = g.width(), height = g.height();
    const int minW = window->minimumWidth(), minH = window->minimumHeight();
    // A window held at its minimum size on this side follows the cursor again only once the cursor is back on
    // or beyond the edge; otherwise moving into the window would make it jump.
    const auto outsideLimit = [&] {
        return !ResizableFrame::resizeLimitPolygon(window, edge)
                    .containsPoint(QPoint(gx, gy), Qt::OddEvenFill);
    };
    switch (edge) {
    case ResizableFrame::Top: {
        if (height <= minH && outsideLimit())
            return;
        const int newHeight = window->frameGeometry().height() + y - gy;
        if (newHeight >= minH)
            window->setGeometry(x, gy, width, newHeight);
        else
            window->setGeometry(x, y + height - minH, width, minH); // keeps the bottom edge
        break;
    }
    case ResizableFrame::Right: {
        if (width <= minW && outsideLimit())
            return;
        window->setGeometry(x, y, qMax(gx - x, minW), height);
        break;
    }
    case ResizableFrame::Bottom: {
        if (height <= minH && outsideLimit())
            return;
        window->setGeometry(x, y, width, qMax(gy - y, minH));
        break;
    }
    case ResizableFrame::Left: {
        if (width <= minW && outsideLimit())
            return;
        const int newWidth = width + x - gx;
        if (newWidth >= minW)
            window->setGeometry(gx, y, newWidth, height);
        else
            window->setGeometry(x + width - minW, y, minW, height); // keeps the right edge
        break;
    }
    default:
        break;
    }
}

} // namespace

ResizableFrame::ResizableFrame() : QFrame(nullptr) {
    setMouseTracking(true);
}

ResizeEdge ResizableFrame::edgeAt(const QPoint &local) const {
    const int w = width(), h = height();
    const bool left = local.x() < 6;
    const bool right = !left && local.x() >= w - 5;
    if (local.y() >= h - 5)
        return left ? BottomLeft : (right ? BottomRight : Bottom);
    if (left)
        return Left;
    if (right)
        return Right;
    return NoEdge;
}

QCursor ResizableFrame::cursorAt(int globalX, int globalY) const {
    if (m_maximized)
        return QCursor(Qt::ArrowCursor);
    const QWidget *w = window();
    const QRect g = w->geometry();
    const int rx = globalX - g.x(), ry = globalY - g.y();
    const int width = g.width(), height = g.height();
    if (ry < height - 5)
        return QCursor((rx > 5 && rx < width - 5) ? Qt::ArrowCursor : Qt::SizeHorCursor);
    if (rx <= 5)
        return QCursor(Qt::SizeBDiagCursor);
    if (rx < width - 5)
        return QCursor(Qt::SizeVerCursor);
    return QCursor(Qt::SizeFDiagCursor);
}

void ResizableFrame::resizeWindow(QWidget *window, ResizeEdge edge, int globalX, int globalY) {
    if (!window)
        return;
    // Corners are two steps, the vertical one first, each honouring its own minimum.
    switch (edge) {
    case Top:
    case Right:
    case Bottom:
    case Left:
        resizeSide(window, edge, globalX, globalY);
        break;
    case TopRight:
        resizeSide(window, Top, globalX, globalY);
        resizeSide(window, Right, globalX, globalY);
        break;
    case BottomRight:
        resizeSide(window, Bottom, globalX, globalY);
        resizeSide(window, Right, globalX, globalY);
        break;
    case BottomLeft:
        resizeSide(window, Bottom, globalX, globalY);
        resizeSide(window, Left, globalX, globalY);
        break;
    case TopLeft:
        resizeSide(window, Top, globalX, globalY);
        resizeSide(window, Left, globalX, globalY);
        break;
    default:
        break;
    }
}

QPolygon ResizableFrame::resizeLimitPolygon(QWidget *window, ResizeEdge edge) {
    if (!window)
        return QPolygon();
    // The region runs from just inside the edge to the far end of the whole desktop (all screens together),
    // so a window at its minimum size can be grown across onto a neighbouring screen; with one screen that is
    // the screen itself.
    const QScreen *screen = window->screen();
    const QRect s = screen ? screen->virtualGeometry() : QRect();
    const QRect w = window->geometry();
    const int sRight = s.x() + s.width() - 1, sBottom = s.y() + s.height() - 1;
    switch (edge) {
    case Top:
        return QPolygon(QRect(QPoint(s.x(), s.y()), QPoint(sRight, w.y() + 5)));
    case Right:
        return QPolygon(QRect(QPoint(w.x() + w.width() - 6, s.y()), QPoint(sRight, sBottom)));
    case Bottom:
        return QPolygon(QRect(QPoint(s.x(), w.y() + w.height() - 6), QPoint(sRight, sBottom)));
    case Left:
        return QPolygon(QRect(QPoint(s.x(), s.y()), QPoint(w.x() + 5, sBottom)));
    default:
        return QPolygon();
    }
}

Qt::Edges ResizableFrame::systemEdges(ResizeEdge edge) {
    switch (edge) {
    case Top:
        return Qt::TopEdge;
    case TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case Right:
        return Qt::RightEdge;
    case BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case Bottom:
        return Qt::BottomEdge;
    case BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case Left:
        return Qt::LeftEdge;
    case TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    default:
        return Qt::Edges();
    }
}

void ResizableFrame::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_maximized)
        return;
    const ResizeEdge edge = edgeAt(event->position().toPoint());
    if (edge == NoEdge)
        return;
    if (WindowSystem::startSystemResize(window(), systemEdges(edge)))
        return;
    m_edge = edge;
}

void ResizableFrame::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_maximized)
        return;
    if (m_edge != NoEdge) {
        const QPoint global = event->globalPosition().toPoint();
        resizeWindow(window(), m_edge, global.x(), global.y());
        m_edge = NoEdge;
    }
}

void ResizableFrame::mouseMoveEvent(QMouseEvent *event) {
    if (m_maximized)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (m_edge != NoEdge)
        resizeWindow(window(), m_edge, global.x(), global.y());
    else
        setCursor(cursorAt(global.x(), global.y()));
}

void ResizableFrame::leaveEvent(QEvent *) {
    setCursor(Qt::ArrowCursor);
}

ResizableFrame::ResizeEventsFilter::ResizeEventsFilter(ResizableFrame *frame)
    : QObject(nullptr), m_frame(frame) {}

bool ResizableFrame::ResizeEventsFilter::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (!m_frame ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);

    // The child's position is its own; the frame decides by its own coordinates, so the same point gives the
    // same edge and the same cursor whether it lies on the frame or on a child covering it.
    const QPointF framePos = m_frame->mapFromGlobal(widget->mapToGlobal(mouse->position()));
    QMouseEvent forwarded(type, framePos, mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                          mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
    QObject *frame = m_frame;

    switch (type) {
    case QEvent::MouseButtonPress:
        if (m_frame->isMaximized() || m_frame->edgeAt(framePos.toPoint()) == NoEdge)
            return false;
        static_cast<QObject *>(widget)->event(event);
        return frame->event(&forwarded);
    case QEvent::MouseMove:
        if (m_frame->edge() != NoEdge)
            return frame->event(&forwarded);
        {
            const QPoint global = mouse->globalPosition().toPoint();
            widget->setCursor(m_frame->cursorAt(global.x(), global.y()));
        }
        return false;
    default: // release
        if (m_frame->edge() != NoEdge)
            return frame->event(&forwarded);
        return false;
    }
}
