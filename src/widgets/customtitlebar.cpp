#include "widgets/customtitlebar.h"

#include "widgets/custommainwindow.h"
#include "widgets/elidedlabel.h"
#include "widgets/windowsystem.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace {
const char *const titleBarSheet =
    "CustomTitleBar {"
    "height: 29px; min-height: 29px; max-height: 29px;"
    "padding: 0px; margin: 0px;"
    "border-style: solid; border-color: transparent;"
    "border-width: 1px 6px 0px 6px;"
    "border-image: url(:/img/TitleBar/default/background) 1 6 0 6 stretch stretch;"
    "}"
    "CustomTitleBar > QPushButton {padding: 0px; margin: 0px; border: 0px;}"
    "QPushButton#closeButton {background-image: url(:/img/TitleBar/default/close);}"
    "QPushButton#closeButton:pressed {background-image: url(:/img/TitleBar/pressed/close);}"
    "QPushButton#minButton {background-image: url(:/img/TitleBar/default/minimize);}"
    "QPushButton#minButton:pressed {"
    "background-image: url(:/img/TitleBar/pressed/minimize);}"
    "QPushButton#maxButton {background-image: url(:/img/TitleBar/default/maximize);}"
    "QPushButton#maxButton:pressed {"
    "background-image: url(:/img/TitleBar/pressed/maximize);}"
    "QLabel#winTitle {color: white; font-size: 12px;}";

QString maxButtonSheet(bool maximized) {
    const QString image = maximized ? QStringLiteral("unmaximize") : QStringLiteral("maximize");
    return QStringLiteral("QPushButton#maxButton {background-image: url(:/img/TitleBar/default/%1);}"
                          "QPushButton#maxButton:pressed {background-image: url(:/img/TitleBar/pressed/%1);}")
        .arg(image);
}

QPushButton *titleButton(QWidget *parent, const char *name, int width) {
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setMinimumSize(width, 18);
    button->setMaximumSize(width, 18);
    return button;
}
} // namespace

CustomTitleBar::CustomTitleBar(QWidget *window, const QString &title, const QString &iconPath)
    : QFrame(window) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);

    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("winIcon"));
    icon->setPixmap(QPixmap(iconPath));
    icon->setCursor(Qt::ArrowCursor);
    if (window)
        window->setWindowIcon(QIcon(iconPath));
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addSpacing(5);

    // The title names the open file, which is shown literally and elided to the room between icon and
    // buttons.
    m_title = new ElidedLabel(title, this);
    m_title->setObjectName(QStringLiteral("winTitle"));
    if (window)
        window->setWindowTitle(title);
    layout->addWidget(m_title, 10, Qt::AlignVCenter);
    layout->addSpacing(5);

    QPushButton *minButton = titleButton(this, "minButton", 24);
    minButton->setToolTip(tr("Minimize"));
    m_maxButton = titleButton(this, "maxButton", 23);
    m_maxButton->setToolTip(tr("Maximize"));
    QPushButton *closeButton = titleButton(this, "closeButton", 31);
    closeButton->setToolTip(tr("Close"));
    layout->addWidget(minButton, 0, Qt::AlignTop);
    layout->addWidget(m_maxButton, 0, Qt::AlignTop);
    layout->addWidget(closeButton, 0, Qt::AlignTop);
    layout->addSpacing(5);

    if (window) {
        connect(closeButton, &QPushButton::clicked, window, &QWidget::close);
        connect(minButton, &QPushButton::clicked, window, &QWidget::showMinimized);
        // By name, so a window class that brings its own showMaximized() (the frame's toggle) gets it.
        connect(m_maxButton, SIGNAL(clicked()), window, SLOT(showMaximized()));
    }
    connect(m_maxButton, &QPushButton::clicked, this, &CustomTitleBar::onMaximize);

    setLayout(layout);
    setStyleSheet(QString::fromLatin1(titleBarSheet));
}

ResizeEdge CustomTitleBar::edgeAt(const QPoint &local, bool *drag) const {
    const int w = width();
    const bool left = local.x() < 6;
    const bool right = !left && local.x() >= w - 5;
    if (drag)
        *drag = false;
    if (local.y() < 6)
        return left ? ResizableFrame::TopLeft : (right ? ResizableFrame::TopRight : ResizableFrame::Top);
    if (left)
        return ResizableFrame::Left;
    if (right)
        return ResizableFrame::Right;
    if (drag)
        *drag = true;
    return ResizableFrame::NoEdge;
}

QCursor CustomTitleBar::cursorAt(const QPoint &local) const {
    switch (edgeAt(local)) {
    case ResizableFrame::TopLeft:
        return QCursor(Qt::SizeFDiagCursor);
    case ResizableFrame::Top:
        return QCursor(Qt::SizeVerCursor);
    case ResizableFrame::TopRight:
        return QCursor(Qt::SizeBDiagCursor);
    case ResizableFrame::Left:
    case ResizableFrame::Right:
        return QCursor(Qt::SizeHorCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

void CustomTitleBar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_maximized)
        return;
    const QPoint global = event->globalPosition().toPoint();
    m_lastX = global.x();
    m_lastY = global.y();
    bool drag = false;
    const ResizeEdge edge = edgeAt(event->position().toPoint(), &drag);
    // Where the window system places windows itself (Wayland), it runs the move or the resize.
    if (drag ? WindowSystem::startSystemMove(window())
             : WindowSystem::startSystemResize(window(), ResizableFrame::systemEdges(edge)))
        return;
    if (drag)
        m_dragging = true;
    else
        m_edge = edge;
}

void CustomTitleBar::mouseMoveEvent(QMouseEvent *event) {
    if (m_maximized)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (m_dragging) {
        window()->move(window()->pos() + QPoint(global.x() - m_lastX, global.y() - m_lastY));
        m_lastX = global.x();
        m_lastY = global.y();
    } else if (m_edge != ResizableFrame::NoEdge) {
        ResizableFrame::resizeWindow(window(), m_edge, global.x(), global.y());
    } else {
        setCursor(cursorAt(event->position().toPoint()));
    }
}

void CustomTitleBar::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_maximized)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (m_dragging) {
        window()->move(window()->pos() + QPoint(global.x() - m_lastX, global.y() - m_lastY));
        m_dragging = false;
    } else if (m_edge != ResizableFrame::NoEdge) {
        ResizableFrame::resizeWindow(window(), m_edge, global.x(), global.y());
        m_edge = ResizableFrame::NoEdge;
    }
}

void CustomTitleBar::mouseDoubleClickEvent(QMouseEvent *) {
    m_maxButton->click();
}

void CustomTitleBar::leaveEvent(QEvent *) {
    setCursor(Qt::ArrowCursor);
}

void CustomTitleBar::setMaximizedState(bool maximized) {
    m_maximized = maximized;
    m_dragging = false;
    m_edge = ResizableFrame::NoEdge;
    m_maxButton->setStyleSheet(maxButtonSheet(maximized));
    m_maxButton->setToolTip(maximized ? tr("Restore") : tr("Maximize"));
}

void CustomTitleBar::onMaximize() {
    // In a frame window the window's own state is the truth (it may have been maximised or restored some
    // other way); elsewhere the bar toggles.
    if (auto *frameWindow = qobject_cast<CustomMainWindow *>(window()))
        setMaximizedState(frameWindow->isFrameMaximized());
    else
        setMaximizedState(!m_maximized);
}
