#include "widgets/customdialog.h"

#include "widgets/dialogtitlebar.h"

#include <QFrame>
#include <QLayout>
#include <QVBoxLayout>

namespace {
const char *const dialogSheet =
    "CustomDialog QFrame#backgroundFrame {"
    "border-width: 9 0 0 0; border-style: solid; border-color: transparent;"
    "border-image: url(:/img/winCommon/background) 9 0 0 0 stretch stretch;"
    "}"
    "CustomDialog QFrame#borderFrame {"
    "background-clip: content;"
    "margin-left: 1px; margin-right: 1px; margin-bottom: 1px;"
    "padding-left: 1px; padding-right: 1px; padding-bottom: 1px;"
    "border: 1px solid rgb(56,57,58);"
    "}"
    "CustomDialog QFrame#borderFrame > QFrame#contentsFrame {background-color: rgb(44,44,44);}"
    "CustomDialog QFrame#borderFrame > QFrame#contentsFrame > QLabel {color: white; font-size: 12px;}"
    // A message box's list, in an area that scrolls when the screen is too small for it, reads as the text.
    "CustomDialog QScrollArea#listArea, CustomDialog QScrollArea#listArea > QWidget#qt_scrollarea_viewport {"
    "background: transparent; border: none;"
    "}"
    "CustomDialog QScrollArea#listArea QLabel {color: white; font-size: 12px; background: transparent;}"
    "CustomDialog QDialogButtonBox QPushButton, CustomDialog QPushButton#steelStyle {"
    "width: 75px; height: 18px;"
    "border-left: 4px; border-right: 4px; border-top: 6px; border-bottom: 6px;"
    "border-image: url(:/img/dialogs/dialog_button) 6 4 6 4 stretch stretch;"
    "font-size: 12px;"
    "}"
    "CustomDialog QDialogButtonBox QPushButton:hover, CustomDialog QPushButton#steelStyle:hover {"
    "border-image: url(:/img/dialogs/dialog_button_over) 6 4 6 4 stretch stretch;"
    "}"
    "CustomDialog QDialogButtonBox QPushButton:hover:pressed, CustomDialog "
    "QPushButton#steelStyle:hover:pressed {"
    "border-image: url(:/img/dialogs/dialog_button_pressed) 6 4 6 4 stretch stretch;"
    "}"
    "CustomDialog #showAgain {color: white;}"
    "CustomDialog #showAgain::indicator:unchecked {image: url(:/img/editor/checkbox/unselected);}"
    "CustomDialog #showAgain::indicator:checked {image: url(:/img/editor/checkbox/selected);}";
} // namespace

CustomDialog::CustomDialog(QWidget *parent, const QString &title, QDialogButtonBox::StandardButtons buttons)
    : QDialog(parent, Qt::FramelessWindowHint) {
    resize(365, 180);
    setWindowTitle(title);
    setAttribute(Qt::WA_TranslucentBackground);

    m_mainLayout = new QVBoxLayout;
    m_mainLayout->setContentsMargins(0, 0, 0, 0);
    m_backgroundFrame = new QFrame(this);
    m_backgroundFrame->setObjectName(QStringLiteral("backgroundFrame"));
    m_mainLayout->addWidget(m_backgroundFrame, 0);
    setLayout(m_mainLayout);

    m_titleBar = new DialogTitleBar(this, title);

    m_backgroundLayout = new QVBoxLayout;
    m_backgroundLayout->setContentsMargins(0, 0, 0, 0);
    m_backgroundLayout->setSpacing(0);
    m_backgroundLayout->addWidget(m_titleBar, 0);
    m_borderFrame = new QFrame(m_backgroundFrame);
    m_borderFrame->setObjectName(QStringLiteral("borderFrame"));
    m_backgroundLayout->addWidget(m_borderFrame, 10);
    m_borderLayout = new QVBoxLayout;
    m_borderFrame->setLayout(m_borderLayout);
    m_contentsFrame = new QFrame(m_borderFrame);
    m_contentsFrame->setObjectName(QStringLiteral("contentsFrame"));
    m_borderLayout->addWidget(m_contentsFrame, 100);

    if (buttons != QDialogButtonBox::NoButton) {
        m_buttonBox = new QDialogButtonBox(buttons, Qt::Horizontal, m_borderFrame);
        m_buttonBox->setCenterButtons(true);
        m_buttonBox->setStyleSheet(QStringLiteral("margin:6px;"));
        m_borderLayout->addWidget(m_buttonBox);
    }
    m_borderLayout->setContentsMargins(2, 2, 2, 2);

    m_backgroundFrame->setLayout(m_backgroundLayout);
    connect(m_titleBar, &DialogTitleBar::positionChanged, this, &CustomDialog::on_updatePosition);
    setStyleSheet(QString::fromLatin1(dialogSheet));

    if (m_buttonBox) {
        connect(m_buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    }
}

void CustomDialog::setContentLayout(QLayout *layout) {
    m_contentsFrame->setLayout(layout);
}

void CustomDialog::on_updatePosition(QPoint vector) {
    move(pos() + vector);
}
