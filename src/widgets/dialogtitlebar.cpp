#include "widgets/dialogtitlebar.h"

#include "widgets/elidedlabel.h"
#include "widgets/windowsystem.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>

namespace {
const char *const titleBarSheet =
    "DialogTitleBar {"
    "height: 29px; min-height: 29px; max-height: 29px;"
    "padding: 0px; margin: 0px;"
    "border-style: solid; border-color: transparent;"
    "border-width: 1px 6px 0px 6px;"
    "border-image: url(:/img/TitleBar/default/background) 1 6 0 6 stretch stretch;"
    "}"
    "DialogTitleBar > QPushButton {padding: 0px; margin: 0px; border: 0px;}"
    "QPushButton#closeButton {background-image: url(:/img/TitleBar/default/closeSingle);}"
    "QPushButton#closeButton:pressed {"
    "background-image: url(:/img/TitleBar/pressed/closeSingle);}"
    "QLabel#winTitle {color: white; font-size: 12px; padding-left: 10px;}";
} // namespace

DialogTitleBar::DialogTitleBar(QWidget *parent, const QString &title) : QFrame(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(sizePolicy().hasHeightForWidth());
    setSizePolicy(policy);
    setMouseTracking(true);

    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);

    // The title may name a file; it is shown as it is, never interpreted, and elided to the bar's room.
    m_title = new ElidedLabel(title, this);
    m_title->setObjectName(QStringLiteral("winTitle"));
    layout->addWidget(m_title, 10);

    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setSizePolicy(policy);
    m_closeButton->setMinimumSize(33, 18);
    m_closeButton->setMaximumSize(33, 18);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setToolTip(tr("Close"));
    layout->addWidget(m_closeButton, 0, Qt::AlignTop);

    // Closing a QDialog through close() rejects it, exactly like Escape.
    if (parent)
        connect(m_closeButton, &QPushButton::clicked, parent, &QWidget::close);
    setLayout(layout);
    setStyleSheet(QString::fromLatin1(titleBarSheet));
}

void DialogTitleBar::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return;
    // Where the application may not place its own windows (Wayland), the compositor does the move.
    if (WindowSystem::startSystemMove(window()))
        return;
    const QPoint local = event->position().toPoint();
    m_pressX = local.x();
    m_pressY = local.y();
    m_dragging = true;
}

void DialogTitleBar::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    const QPoint local = event->position().toPoint();
    emit positionChanged(QPoint(local.x() - m_pressX, local.y() - m_pressY));
    m_dragging = false;
}

void DialogTitleBar::mouseMoveEvent(QMouseEvent *event) {
    if (!(event->buttons() & Qt::LeftButton) || !m_dragging)
        return;
    // The dialog moves under the cursor, so the press point keeps its place in the bar and each move reports
    // only the distance since the previous event.
    const QPoint local = event->position().toPoint();
    emit positionChanged(QPoint(local.x() - m_pressX, local.y() - m_pressY));
}
