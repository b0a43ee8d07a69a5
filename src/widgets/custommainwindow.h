#ifndef CUSTOMMAINWINDOW_H
#define CUSTOMMAINWINDOW_H

#include <QMainWindow>
#include <QRect>

class CustomTitleBar;
class QFrame;
class QLayout;
class QVBoxLayout;
class ResizableFrame;

// Base of the frameless main window: its own title bar above a body frame that resizes the window at its
// edges. The subclass places its form into the body with the three insert operations.
class CustomMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit CustomMainWindow(Qt::WindowFlags flags = Qt::WindowFlags());

    // Positions in the body, top to bottom: menu bar, tab bar, main area. An index the body does not reach
    // yet appends.
    void insertMenuBarWidget(QWidget *widget);
    void insertTabBarWidget(QWidget *widget);
    void insertLayout(QLayout *layout);

    CustomTitleBar *titleBar() const { return m_titleBar; }
    ResizableFrame *resizableFrame() const { return m_bodyFrame; }
    QVBoxLayout *bodyLayout() const { return m_bodyLayout; }
    // Maximised by this frame (the window fills the screen's available area), as opposed to the window
    // system's maximised state, which a frameless window does not use.
    bool isFrameMaximized() const { return m_maximized; }
    QRect storedNormalGeometry() const { return m_normalGeometry; }

public slots:
    // Toggles between the stored normal geometry and the available area of the window's screen.
    virtual void showMaximized();

protected:
    void changeEvent(QEvent *event) override;

private:
    bool m_maximized = false;
    QFrame *m_backgroundFrame;
    QVBoxLayout *m_mainLayout;
    QRect m_normalGeometry;
    ResizableFrame *m_bodyFrame;
    QVBoxLayout *m_bodyLayout;
    CustomTitleBar *m_titleBar;
};

#endif // CUSTOMMAINWINDOW_H
