#ifndef RESIZABLEFRAME_H
#define RESIZABLEFRAME_H

#include <QCursor>
#include <QFrame>
#include <QPolygon>

// The edge or corner of a frameless window that is being dragged, numbered clockwise from the top.
using ResizeEdge = int;

// The body of the frameless main window. Presses on its left, right and bottom bands resize the window; the
// title bar handles the top edge. The static helpers do the actual resizing for both.
class ResizableFrame : public QFrame {
    Q_OBJECT

public:
    static constexpr ResizeEdge NoEdge = 0;
    static constexpr ResizeEdge Top = 1;
    static constexpr ResizeEdge TopRight = 2;
    static constexpr ResizeEdge Right = 3;
    static constexpr ResizeEdge BottomRight = 4;
    static constexpr ResizeEdge Bottom = 5;
    static constexpr ResizeEdge BottomLeft = 6;
    static constexpr ResizeEdge Left = 7;
    static constexpr ResizeEdge TopLeft = 8;

    // Hands the mouse events of a widget lying on the body's edges to the body, so those edges resize the
    // window too. The filter does not own the frame.
    class ResizeEventsFilter : public QObject {
    public:
        explicit ResizeEventsFilter(ResizableFrame *frame);

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override;

    private:
        ResizableFrame *m_frame;
    };

    ResizableFrame();

    QCursor cursorAt(int globalX, int globalY) const;
    // The edge that a press at a frame-local position grabs (0 for none).
    ResizeEdge edgeAt(const QPoint &local) const;

    bool isMaximized() const { return m_maximized; }
    void setMaximized(bool maximized) { m_maximized = maximized; }
    ResizeEdge edge() const { return m_edge; }

    static void resizeWindow(QWidget *window, ResizeEdge edge, int globalX, int globalY);
    static QPolygon resizeLimitPolygon(QWidget *window, ResizeEdge edge);
    // The window-system edges of a resize edge code, for compositors that run the resize themselves.
    static Qt::Edges systemEdges(ResizeEdge edge);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_maximized = false;
    ResizeEdge m_edge = NoEdge;
};

#endif // RESIZABLEFRAME_H
