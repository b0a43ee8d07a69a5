#include "widgets/custommainwindow.h"
#include "widgets/customtitlebar.h"
#include "widgets/resizableframe.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

namespace {

void sendMouse(QWidget *target, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void press(QWidget *target, QPoint local) {
    sendMouse(target, QEvent::MouseButtonPress, local, target->mapToGlobal(local), Qt::LeftButton,
              Qt::LeftButton);
}

// Moves with the left button held to a global position, then releases there.
void dragTo(QWidget *target, QPoint global) {
    sendMouse(target, QEvent::MouseMove, target->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, target->mapFromGlobal(global), global, Qt::LeftButton,
              Qt::NoButton);
}

Qt::CursorShape hoverShape(QWidget *target, QPoint local) {
    sendMouse(target, QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton);
    return target->cursor().shape();
}

// A frame window as the program's main window builds it: a menu bar strip on top and a main area whose
// children cover the body's edges.
struct Window {
    CustomMainWindow window;
    QWidget *menu = new QWidget;
    QWidget *status = new QWidget;
    QWidget *inner = new QWidget;
    ResizableFrame::ResizeEventsFilter *menuFilter;
    ResizableFrame::ResizeEventsFilter *statusFilter;
    ResizableFrame::ResizeEventsFilter *innerFilter;

    Window() {
        // Plain moves reach a widget's event filters only with mouse tracking on (a menu bar has it).
        menu->setFixedHeight(24);
        menu->setMouseTracking(true);
        inner->setMouseTracking(true);
        window.insertMenuBarWidget(menu);
        auto *area = new QVBoxLayout;
        area->setContentsMargins(0, 0, 0, 0);
        auto *middle = new QWidget;
        auto *middleLayout = new QVBoxLayout(middle);
        middleLayout->setContentsMargins(100, 10, 100, 10);
        middleLayout->addWidget(inner);
        area->addWidget(middle, 1);
        status->setFixedHeight(20);
        status->setMouseTracking(true);
        area->addWidget(status);
        window.insertLayout(area);
        menuFilter = new ResizableFrame::ResizeEventsFilter(window.resizableFrame());
        statusFilter = new ResizableFrame::ResizeEventsFilter(window.resizableFrame());
        innerFilter = new ResizableFrame::ResizeEventsFilter(window.resizableFrame());
        menu->installEventFilter(menuFilter);
        status->installEventFilter(statusFilter);
        inner->installEventFilter(innerFilter);
        window.setMinimumSize(300, 200);
        window.setGeometry(100, 80, 500, 350);
        window.show();
    }
    ~Window() {
        delete menuFilter;
        delete statusFilter;
        delete innerFilter;
    }
};

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

private slots:
    void frameTree();
    void insertPositions();
    void titleBarButtons();
    void maximisedWindowIgnoresDragsAndEdges();
    void titleBarZones();
    void bodyZonesAndCursors();
    void titleBarDragMovesWindow();
    void topLeftCornerResize();
    void leftEdgeStopsAtMinimumKeepingRightEdge();
    void topEdgeStopsAtMinimumKeepingBottomEdge();
    void rightEdgeAtMinimumWaitsForLimitRegion();
    void bottomRightHonoursBothMinimums();
    void limitPolygonsFollowTheWindowsScreen();
    void longTitleLeavesTheMinimumWidth();
    void filterMapsChildPositions();
    void windowSystemMaximiseKeepsFlagsInStep();
};

void TestFrame::frameTree() {
    CustomMainWindow window;
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(window.size(), QSize(900, 500));
    QCOMPARE(window.centralWidget()->objectName(), QStringLiteral("backgroundFrame"));
    QCOMPARE(window.resizableFrame()->objectName(), QStringLiteral("resFrame"));
    QVERIFY(window.resizableFrame()->hasMouseTracking());
    QCOMPARE(window.windowTitle(), QStringLiteral("Test title"));
    QCOMPARE(window.titleBar()->titleLabel()->objectName(), QStringLiteral("winTitle"));
    QCOMPARE(window.titleBar()->titleLabel()->textFormat(), Qt::PlainText);
    QVERIFY(!window.windowIcon().isNull());
    const struct {
        const char *name;
        QSize size;
    } buttons[] = {{"minButton", {24, 18}}, {"maxButton", {23, 18}}, {"closeButton", {31, 18}}};
    for (const auto &b : buttons) {
        auto *button = window.titleBar()->findChild<QPushButton *>(QLatin1String(b.name));
        QVERIFY2(button, b.name);
        QCOMPARE(button->minimumSize(), b.size);
        QCOMPARE(button->maximumSize(), b.size);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    QVERIFY(window.styleSheet().contains(QLatin1String("QFrame#resFrame {background: #232427;}")));
}

void TestFrame::insertPositions() {
    {
        // The form's order: menu bar, tab bar, main area.
        CustomMainWindow window;
        QWidget *menu = new QWidget, *tabs = new QWidget;
        auto *area = new QVBoxLayout;
        window.insertMenuBarWidget(menu);
        window.insertTabBarWidget(tabs);
        window.insertLayout(area);
        QCOMPARE(window.bodyLayout()->itemAt(0)->widget(), menu);
        QCOMPARE(window.bodyLayout()->itemAt(1)->widget(), tabs);
        QCOMPARE(window.bodyLayout()->itemAt(2)->layout(), area);
        QCOMPARE(window.bodyLayout()->stretch(2), 100);
        QCOMPARE(window.bodyLayout()->itemAt(0)->alignment(), Qt::AlignTop);
    }
    {
        // Positions the body does not reach yet append instead of failing.
        CustomMainWindow window;
        auto *area = new QVBoxLayout;
        window.insertLayout(area);
        QWidget *tabs = new QWidget;
        window.insertTabBarWidget(tabs);
        QCOMPARE(window.bodyLayout()->count(), 2);
        QCOMPARE(window.bodyLayout()->itemAt(0)->layout(), area);
        QCOMPARE(window.bodyLayout()->itemAt(1)->widget(), tabs);
    }
}

void TestFrame::titleBarButtons() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QRect normal = w.window.geometry();
    auto *maxButton = w.window.titleBar()->maxButton();

    QTest::mouseClick(maxButton, Qt::LeftButton);
    QVERIFY(w.window.isFrameMaximized());
    QVERIFY(w.window.resizableFrame()->isMaximized());
    QVERIFY(w.window.titleBar()->isMaximized());
    QCOMPARE(w.window.geometry(), w.window.screen()->availableGeometry());
    QVERIFY(maxButton->styleSheet().contains(QLatin1String(":/img/TitleBar/default/unmaximize")));
    QVERIFY(maxButton->styleSheet().contains(QLatin1String(":/img/TitleBar/pressed/unmaximize")));

    QTest::mouseClick(maxButton, Qt::LeftButton);
    QVERIFY(!w.window.isFrameMaximized());
    QVERIFY(!w.window.resizableFrame()->isMaximized());
    QVERIFY(!w.window.titleBar()->isMaximized());
    QCOMPARE(w.window.geometry(), normal);
    QVERIFY(maxButton->styleSheet().contains(QLatin1String(":/img/TitleBar/default/maximize)")));

    // A double click on the bar maximises and restores as well.
    QTest::mouseDClick(w.window.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 15));
    QVERIFY(w.window.isFrameMaximized() && w.window.titleBar()->isMaximized());
    QTest::mouseDClick(w.window.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 15));
    QVERIFY(!w.window.isFrameMaximized() && !w.window.titleBar()->isMaximized());
    QCOMPARE(w.window.geometry(), normal);

    // A direct call keeps the bar in step too.
    w.window.showMaximized();
    QVERIFY(w.window.titleBar()->isMaximized());
    w.window.showMaximized();
    QVERIFY(!w.window.titleBar()->isMaximized());

    QTest::mouseClick(w.window.titleBar()->findChild<QPushButton *>(QStringLiteral("minButton")),
                      Qt::LeftButton);
    QVERIFY(w.window.windowState() & Qt::WindowMinimized);
    w.window.showNormal();

    QVERIFY(w.window.isVisible());
    QTest::mouseClick(w.window.titleBar()->findChild<QPushButton *>(QStringLiteral("closeButton")),
                      Qt::LeftButton);
    QVERIFY(!w.window.isVisible());
}

void TestFrame::maximisedWindowIgnoresDragsAndEdges() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    w.window.titleBar()->maxButton()->click();
    const QRect maximised = w.window.geometry();
    CustomTitleBar *bar = w.window.titleBar();
    ResizableFrame *body = w.window.resizableFrame();

    press(bar, QPoint(200, 15)); // would move
    QVERIFY(!bar->isDragging());
    dragTo(bar, bar->mapToGlobal(QPoint(260, 90)));
    press(bar, QPoint(2, 2)); // would resize
    QCOMPARE(bar->edge(), ResizableFrame::NoEdge);
    dragTo(bar, bar->mapToGlobal(QPoint(40, 40)));
    press(body, QPoint(body->width() - 2, body->height() - 2));
    QCOMPARE(body->edge(), ResizableFrame::NoEdge);
    dragTo(body, body->mapToGlobal(QPoint(body->width() - 60, body->height() - 60)));
    QCOMPARE(w.window.geometry(), maximised);

    for (const QPoint &p : {QPoint(1, 50), QPoint(body->width() - 1, 50), QPoint(1, body->height() - 1),
                            QPoint(body->width() / 2, body->height() - 1), QPoint(body->width() / 2, 50)}) {
        QCOMPARE(body->cursorAt(body->mapToGlobal(p).x(), body->mapToGlobal(p).y()).shape(), Qt::ArrowCursor);
    }
}

void TestFrame::titleBarZones() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QRect geometry = w.window.geometry();
    CustomTitleBar *bar = w.window.titleBar();
    const int wide = bar->width();
    const struct {
        QPoint at;
        ResizeEdge edge;
        bool drag;
        Qt::CursorShape cursor;
    } cases[] = {
        {{3, 3}, ResizableFrame::TopLeft, false, Qt::SizeFDiagCursor},
        {{5, 5}, ResizableFrame::TopLeft, false, Qt::SizeFDiagCursor},
        {{6, 5}, ResizableFrame::Top, false, Qt::SizeVerCursor},
        {{wide / 2, 0}, ResizableFrame::Top, false, Qt::SizeVerCursor},
        {{wide - 6, 5}, ResizableFrame::Top, false, Qt::SizeVerCursor},
        {{wide - 5, 5}, ResizableFrame::TopRight, false, Qt::SizeBDiagCursor},
        {{wide - 1, 0}, ResizableFrame::TopRight, false, Qt::SizeBDiagCursor},
        {{0, 6}, ResizableFrame::Left, false, Qt::SizeHorCursor},
        {{5, 20}, ResizableFrame::Left, false, Qt::SizeHorCursor},
        {{wide - 5, 6}, ResizableFrame::Right, false, Qt::SizeHorCursor},
        {{wide / 2, 6}, ResizableFrame::NoEdge, true, Qt::ArrowCursor},
        {{wide / 2, 20}, ResizableFrame::NoEdge, true, Qt::ArrowCursor},
    };
    for (const auto &c : cases) {
        // A release resizes to the cursor, which need not lie exactly on the edge: start each case afresh.
        w.window.setGeometry(geometry);
        bool drag = false;
        QCOMPARE(bar->edgeAt(c.at, &drag), c.edge);
        QCOMPARE(drag, c.drag);
        QCOMPARE(hoverShape(bar, c.at), c.cursor);
        press(bar, c.at);
        QCOMPARE(bar->edge(), c.edge);
        QCOMPARE(bar->isDragging(), c.drag);
        sendMouse(bar, QEvent::MouseButtonRelease, c.at, bar->mapToGlobal(c.at), Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(bar->edge(), ResizableFrame::NoEdge);
        QVERIFY(!bar->isDragging());
    }
    // Only the left button grabs.
    sendMouse(bar, QEvent::MouseButtonPress, QPoint(3, 3), bar->mapToGlobal(QPoint(3, 3)), Qt::RightButton,
              Qt::RightButton);
    QCOMPARE(bar->edge(), ResizableFrame::NoEdge);
}

void TestFrame::bodyZonesAndCursors() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    ResizableFrame *body = w.window.resizableFrame();
    const int bw = body->width(), bh = body->height();
    const struct {
        QPoint at;
        ResizeEdge edge;
        Qt::CursorShape cursor;
    } cases[] = {
        {{0, bh - 1}, ResizableFrame::BottomLeft, Qt::SizeBDiagCursor},
        {{5, bh - 5}, ResizableFrame::BottomLeft, Qt::SizeBDiagCursor},
        {{bw / 2, bh - 5}, ResizableFrame::Bottom, Qt::SizeVerCursor},
        {{bw - 5, bh - 1}, ResizableFrame::BottomRight, Qt::SizeFDiagCursor},
        {{0, bh / 2}, ResizableFrame::Left, Qt::SizeHorCursor},
        {{5, bh / 2}, ResizableFrame::Left, Qt::SizeHorCursor},
        {{bw - 5, bh / 2}, ResizableFrame::Right, Qt::SizeHorCursor},
        {{bw - 1, 0}, ResizableFrame::Right, Qt::SizeHorCursor},
        {{bw / 2, bh / 2}, ResizableFrame::NoEdge, Qt::ArrowCursor},
        {{bw / 2, bh - 6}, ResizableFrame::NoEdge, Qt::ArrowCursor},
    };
    const QRect geometry = w.window.geometry();
    for (const auto &c : cases) {
        w.window.setGeometry(geometry);
        QCOMPARE(body->edgeAt(c.at), c.edge);
        const QPoint g = body->mapToGlobal(c.at);
        QCOMPARE(body->cursorAt(g.x(), g.y()).shape(), c.cursor);
        press(body, c.at);
        QCOMPARE(body->edge(), c.edge);
        sendMouse(body, QEvent::MouseButtonRelease, c.at, g, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(body->edge(), ResizableFrame::NoEdge);
    }
}

void TestFrame::titleBarDragMovesWindow() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    CustomTitleBar *bar = w.window.titleBar();
    const QRect start = w.window.geometry();
    const QPoint grab = bar->mapToGlobal(QPoint(bar->width() / 2, 15));
    press(bar, QPoint(bar->width() / 2, 15));
    QVERIFY(bar->isDragging());
    sendMouse(bar, QEvent::MouseMove, QPoint(), grab + QPoint(40, 25), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.window.geometry(), start.translated(40, 25));
    sendMouse(bar, QEvent::MouseButtonRelease, QPoint(), grab + QPoint(50, 30), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(w.window.geometry(), start.translated(50, 30));
    QVERIFY(!bar->isDragging());
}

void TestFrame::topLeftCornerResize() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    CustomTitleBar *bar = w.window.titleBar();
    const QRect start = w.window.geometry();
    press(bar, QPoint(3, 3));
    QCOMPARE(bar->edge(), ResizableFrame::TopLeft);
    dragTo(bar, start.topLeft() - QPoint(30, 20));
    QCOMPARE(w.window.geometry(),
             QRect(start.x() - 30, start.y() - 20, start.width() + 30, start.height() + 20));
}

void TestFrame::leftEdgeStopsAtMinimumKeepingRightEdge() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    ResizableFrame *body = w.window.resizableFrame();
    const QRect start = w.window.geometry();
    press(body, QPoint(2, body->height() / 2));
    QCOMPARE(body->edge(), ResizableFrame::Left);
    dragTo(body, QPoint(start.right() - 50, start.y() + 100)); // far past the minimum width of 300
    QCOMPARE(w.window.width(), 300);
    QCOMPARE(w.window.geometry().right(), start.right());
    QCOMPARE(w.window.geometry().top(), start.top());
    QCOMPARE(w.window.height(), start.height());
}

void TestFrame::topEdgeStopsAtMinimumKeepingBottomEdge() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    CustomTitleBar *bar = w.window.titleBar();
    const QRect start = w.window.geometry();
    press(bar, QPoint(bar->width() / 2, 2));
    dragTo(bar, QPoint(start.center().x(), start.bottom() - 20));
    QCOMPARE(w.window.height(), 200);
    QCOMPARE(w.window.geometry().bottom(), start.bottom());
    QCOMPARE(w.window.width(), start.width());
}

void TestFrame::rightEdgeAtMinimumWaitsForLimitRegion() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    w.window.setGeometry(100, 80, 300, 350); // at its minimum width
    QWidget *win = &w.window;
    const int y = 200;
    // Deep inside the window: nothing.
    ResizableFrame::resizeWindow(win, ResizableFrame::Right, 250, y);
    QCOMPARE(win->geometry(), QRect(100, 80, 300, 350));
    // Back on the edge band and beyond it: the edge follows again.
    ResizableFrame::resizeWindow(win, ResizableFrame::Right, 395, y);
    QCOMPARE(win->width(), 300);
    ResizableFrame::resizeWindow(win, ResizableFrame::Right, 450, y);
    QCOMPARE(win->geometry(), QRect(100, 80, 350, 350));
    // Not at the minimum: moving inwards shrinks down to the minimum, no further.
    ResizableFrame::resizeWindow(win, ResizableFrame::Right, 200, y);
    QCOMPARE(win->geometry(), QRect(100, 80, 300, 350));
    // Codes outside 1..8 do nothing.
    ResizableFrame::resizeWindow(win, 0, 700, 700);
    ResizableFrame::resizeWindow(win, 9, 700, 700);
    QCOMPARE(win->geometry(), QRect(100, 80, 300, 350));
}

void TestFrame::bottomRightHonoursBothMinimums() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    ResizableFrame *body = w.window.resizableFrame();
    const QRect start = w.window.geometry();
    press(body, QPoint(body->width() - 2, body->height() - 2));
    QCOMPARE(body->edge(), ResizableFrame::BottomRight);
    sendMouse(body, QEvent::MouseMove, QPoint(), QPoint(start.x() + 450, start.y() + 100), Qt::NoButton,
              Qt::LeftButton);
    QCOMPARE(w.window.geometry(), QRect(start.x(), start.y(), 450, 200));
    dragTo(body, QPoint(start.x() + 100, start.y() + 260));
    QCOMPARE(w.window.geometry(), QRect(start.x(), start.y(), 300, 260));
}

void TestFrame::limitPolygonsFollowTheWindowsScreen() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    QWidget *win = &w.window;
    const QRect s = win->screen()->geometry();
    const QRect g = win->geometry();
    QCOMPARE(ResizableFrame::resizeLimitPolygon(win, ResizableFrame::Top),
             QPolygon(QRect(QPoint(s.left(), s.top()), QPoint(s.right(), g.y() + 5))));
    QCOMPARE(ResizableFrame::resizeLimitPolygon(win, ResizableFrame::Right),
             QPolygon(QRect(QPoint(g.right() - 5, s.top()), s.bottomRight())));
    QCOMPARE(ResizableFrame::resizeLimitPolygon(win, ResizableFrame::Bottom),
             QPolygon(QRect(QPoint(s.left(), g.bottom() - 5), s.bottomRight())));
    QCOMPARE(ResizableFrame::resizeLimitPolygon(win, ResizableFrame::Left),
             QPolygon(QRect(s.topLeft(), QPoint(g.x() + 5, s.bottom()))));
    const QPolygon right = ResizableFrame::resizeLimitPolygon(win, ResizableFrame::Right);
    QVERIFY(right.containsPoint(QPoint(g.right() - 2, g.center().y()), Qt::OddEvenFill));
    QVERIFY(!right.containsPoint(QPoint(g.right() - 20, g.center().y()), Qt::OddEvenFill));
    QVERIFY(ResizableFrame::resizeLimitPolygon(win, ResizableFrame::TopLeft).isEmpty());
    QVERIFY(ResizableFrame::resizeLimitPolygon(win, 0).isEmpty());
}

void TestFrame::longTitleLeavesTheMinimumWidth() {
    CustomMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int ownMinimum = window.minimumSizeHint().width();
    const QString longName = QString(200, QLatin1Char('x')) + QStringLiteral(".rvl - Tunelane");
    window.titleBar()->titleLabel()->setText(longName);
    // Each layout level hands the change up one event at a time.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    QCOMPARE(window.minimumSizeHint().width(), ownMinimum);
    QVERIFY(window.width() < 1024);
    // Shortened on screen only: the label keeps the whole name.
    QCOMPARE(window.titleBar()->titleLabel()->text(), longName);
}

void TestFrame::filterMapsChildPositions() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    ResizableFrame *body = w.window.resizableFrame();
    QVERIFY(w.inner->mapTo(body, QPoint(0, 0)).x() >= 100);

    // A child well inside the body: its own left end is not the window's left edge.
    press(w.inner, QPoint(2, 10));
    QCOMPARE(body->edge(), ResizableFrame::NoEdge);
    QCOMPARE(hoverShape(w.inner, QPoint(2, 10)), Qt::ArrowCursor);

    // The menu strip spans the body: its ends are the window's edges, with the cursor to match.
    QCOMPARE(hoverShape(w.menu, QPoint(2, 10)), Qt::SizeHorCursor);
    const QRect start = w.window.geometry();
    press(w.menu, QPoint(w.menu->width() - 2, 10));
    QCOMPARE(body->edge(), ResizableFrame::Right);
    dragTo(w.menu, QPoint(start.x() + 560, start.y() + 50));
    QCOMPARE(body->edge(), ResizableFrame::NoEdge);
    QCOMPARE(w.window.geometry(), QRect(start.x(), start.y(), 560, start.height()));

    // The status strip lies on the bottom edge: where it shows a resize cursor, a press resizes.
    const QRect before = w.window.geometry();
    const QPoint bottomMiddle(w.status->width() / 2, w.status->height() - 2);
    QCOMPARE(hoverShape(w.status, bottomMiddle), Qt::SizeVerCursor);
    press(w.status, bottomMiddle);
    QCOMPARE(body->edge(), ResizableFrame::Bottom);
    dragTo(w.status, QPoint(before.center().x(), before.y() + 400));
    QCOMPARE(w.window.geometry(), QRect(before.x(), before.y(), before.width(), 400));
    const QPoint bottomLeft(1, w.status->height() - 1);
    QCOMPARE(hoverShape(w.status, bottomLeft), Qt::SizeBDiagCursor);
    press(w.status, bottomLeft);
    QCOMPARE(body->edge(), ResizableFrame::BottomLeft);
    sendMouse(w.status, QEvent::MouseButtonRelease, bottomLeft, w.status->mapToGlobal(bottomLeft),
              Qt::LeftButton, Qt::NoButton);
    QCOMPARE(body->edge(), ResizableFrame::NoEdge);
}

void TestFrame::windowSystemMaximiseKeepsFlagsInStep() {
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QRect normal = w.window.geometry();
    w.window.setWindowState(Qt::WindowMaximized);
    QVERIFY(w.window.isFrameMaximized());
    QVERIFY(w.window.titleBar()->isMaximized());
    QVERIFY(w.window.resizableFrame()->isMaximized());
    QVERIFY(!(w.window.windowState() & Qt::WindowMaximized));
    w.window.titleBar()->maxButton()->click();
    QVERIFY(!w.window.isFrameMaximized() && !w.window.titleBar()->isMaximized());
    QCOMPARE(w.window.geometry(), normal);
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
