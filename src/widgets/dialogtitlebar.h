#ifndef DIALOGTITLEBAR_H
#define DIALOGTITLEBAR_H

#include <QFrame>
#include <QPoint>

class QLabel;
class QPushButton;

// The title bar of a frameless dialog: title text, a close button, and dragging. The bar does not move the
// dialog itself; it reports how far the cursor has moved and the dialog moves by that vector.
class DialogTitleBar : public QFrame {
    Q_OBJECT

public:
    DialogTitleBar(QWidget *parent, const QString &title);

    QLabel *titleLabel() const { return m_title; }
    QPushButton *closeButton() const { return m_closeButton; }
    bool isDragging() const { return m_dragging; }

signals:
    void positionChanged(QPoint delta);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_title;
    QPushButton *m_closeButton;
    bool m_dragging = false;
    int m_pressX = 0;
    int m_pressY = 0;
};

#endif // DIALOGTITLEBAR_H
