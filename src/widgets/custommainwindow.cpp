#include "widgets/custommainwindow.h"

#include "widgets/customtitlebar.h"
#include "widgets/resizableframe.h"

#include <QEvent>
#include <QFrame>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Qt asserts on an insert position past the end of a box layout; such a position means "at the end".
int insertPosition(const QBoxLayout *layout, int index) {
    return index <= layout->count() ? index : -1;
}
} // namespace

CustomMainWindow::CustomMainWindow(Qt::WindowFlags flags)
    : QMainWindow(nullptr, flags | Qt::FramelessWindowHint) {
    resize(900, 500);
    setAttribute(Qt::WA_TranslucentBackground);

    m_backgroundFrame = new QFrame(this);
    m_backgroundFrame->setObjectName(QStringLiteral("backgroundFrame"));
    setCentralWidget(m_backgroundFrame);
    m_mainLayout = new QVBoxLayout;
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
    m_mainLayout->setSpacing(0);

    m_titleBar =
        new CustomTitleBar(this, QStringLiteral("Test title"), QStringLiteral(":/img/icons/icon-small"));
    m_mainLayout->addWidget(m_titleBar, 0);

    m_bodyFrame = new ResizableFrame;
    m_bodyFrame->setObjectName(QStringLiteral("resFrame"));
    m_mainLayout->addWidget(m_bodyFrame, 100);
    m_bodyLayout = new QVBoxLayout;
    m_bodyLayout->setContentsMargins(0, 0, 0, 0);
    m_bodyLayout->setSpacing(0);
    m_bodyFrame->setLayout(m_bodyLayout);

    m_backgroundFrame->setLayout(m_mainLayout);
    setStyleSheet(
        QStringLiteral("CustomMainWindow {}"
                       "QFrame#backgroundFrame {background: transparent; border: 0 solid transparent; }"
                       "QFrame#resFrame {background: #232427;}"));
}

void CustomMainWindow::insertMenuBarWidget(QWidget *widget) {
    m_bodyLayout->insertWidget(insertPosition(m_bodyLayout, 0), widget, 0, Qt::AlignTop);
}

void CustomMainWindow::insertTabBarWidget(QWidget *widget) {
    m_bodyLayout->insertWidget(insertPosition(m_bodyLayout, 1), widget, 0, Qt::AlignTop);
}

void CustomMainWindow::insertLayout(QLayout *layout) {
    m_bodyLayout->insertLayout(insertPosition(m_bodyLayout, 2), layout, 100);
}

void CustomMainWindow::showMaximized() {
    if (m_maximized) {
        setGeometry(m_normalGeometry);
        m_maximized = false;
    } else {
        m_normalGeometry = normalGeometry();
        if (const QScreen *s = screen())
            setGeometry(s->availableGeometry());
        m_maximized = true;
    }
    m_bodyFrame->setMaximized(m_maximized);
    // The maximise button also tells the bar; any other caller must not leave the bar behind.
    m_titleBar->setMaximizedState(m_maximized);
}

void CustomMainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // A window system may maximise the window on its own (a keyboard shortcut); the frame then takes over
    // with its own maximised state, so the bar, the body and the window agree and restoring works.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        const QRect normal = normalGeometry();
        setWindowState(windowState() & ~Qt::WindowMaximized);
        if (!m_maximized) {
            showMaximized();
            if (normal.isValid())
                m_normalGeometry = normal;
        }
    }
}
