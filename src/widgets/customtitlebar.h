#ifndef CUSTOMTITLEBAR_H
#define CUSTOMTITLEBAR_H

#include "widgets/resizableframe.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The main window's own title bar: icon, title, minimise, maximise/restore and close. Dragging it moves the
// window; its top band and its two ends resize it (top edge and upper corners).
class CustomTitleBar : public QFrame {
    Q_OBJECT

public:
    CustomTitleBar(QWidget *window, const QString &title, const QString &iconPath);

    QLabel *titleLabel() const { return m_title; }
    QPushButton *maxButton() const { return m_maxButton; }
    bool isMaximized() const { return m_maximized; }
    bool isDragging() const { return m_dragging; }
    ResizeEdge edge() const { return m_edge; }
    // The grab a press at a bar-local position starts: an edge code, or 0 with *drag set for a move.
    ResizeEdge edgeAt(const QPoint &local, bool *drag = nullptr) const;
    QCursor cursorAt(const QPoint &local) const;

    // Shows the maximised or the normal state (flag and button images).
    void setMaximizedState(bool maximized);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private slots:
    void onMaximize();

private:
    bool m_dragging = false;
    int m_lastX = 0;
    int m_lastY = 0;
    ResizeEdge m_edge = ResizableFrame::NoEdge;
    bool m_maximized = false;
    QPushButton *m_maxButton;
    QLabel *m_title;
};

#endif // CUSTOMTITLEBAR_H
