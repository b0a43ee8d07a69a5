#include "widgets/custommessagebox.h"

#include "widgets/wrappinglabel.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

CustomMessageBox::CustomMessageBox(QWidget *parent, const QString &title, const QString &text,
                                   const QString &iconPath, QDialogButtonBox::StandardButtons buttons,
                                   QDialogButtonBox::StandardButton defaultButton)
    : CustomDialog(parent, title, buttons), m_clicked(dismissAnswer(buttons)) {
    auto *layout = new QHBoxLayout;
    layout->addSpacing(20);
    auto *icon = new QLabel;
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(QPixmap(iconPath)); // a missing image leaves the label empty
    layout->addWidget(icon, 0);
    layout->addSpacing(20);
    // The text often carries a file name or a channel name: shown literally, never as markup.
    m_textLabel = new WrappingLabel(text);
    m_textLabel->setObjectName(QStringLiteral("textLabel"));
    m_textLabel->setWordWrap(true);
    m_textLabel->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    layout->addWidget(m_textLabel, 100);
    setContentLayout(layout);

    if (QDialogButtonBox *box = buttonBox()) {
        connect(box, &QDialogButtonBox::clicked, this, &CustomMessageBox::rememberClicked);
        if (defaultButton != QDialogButtonBox::NoButton) {
            if (QPushButton *button = box->button(defaultButton))
                button->setDefault(true);
        }
    }
}

void CustomMessageBox::setList(const QString &list, const QString &closing) {
    auto *row = qobject_cast<QHBoxLayout *>(contentsFrame()->layout());
    if (m_listArea || !row)
        return;
    // The text, the list and the closing text make one column beside the icon, where the text alone was.
    ensurePolished();
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    // A blank line between the parts, as between the paragraphs of one text.
    column->setSpacing(QFontMetrics(m_textLabel->font()).height());
    row->removeWidget(m_textLabel);
    row->addLayout(column, 100);
    column->addWidget(m_textLabel);

    m_listArea = new QScrollArea;
    m_listArea->setObjectName(QStringLiteral("listArea"));
    m_listArea->setFrameShape(QFrame::NoFrame);
    // The list wraps to the area's width, so only its height can ever need scrolling.
    m_listArea->setWidgetResizable(true);
    m_listArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listArea->verticalScrollBar()->setObjectName(QStringLiteral("customscrollbar"));
    m_listLabel = new WrappingLabel(list);
    m_listLabel->setObjectName(QStringLiteral("listLabel"));
    m_listLabel->setWordWrap(true);
    m_listLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // As wide as the area and as tall as its text at that width: its own minimum, the height at its usual
    // width, would make it scroll in an area the full height of its text.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    policy.setHeightForWidth(true);
    m_listLabel->setSizePolicy(policy);
    m_listArea->setWidget(m_listLabel);
    column->addWidget(m_listArea, 100);

    m_closingLabel = new WrappingLabel(closing);
    m_closingLabel->setObjectName(QStringLiteral("closingLabel"));
    m_closingLabel->setWordWrap(true);
    m_closingLabel->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Minimum);
    column->addWidget(m_closingLabel);
    m_textLabel->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Minimum);
}

namespace {
// The minimum size of a dialog not shown yet. Until they are shown, its widgets do not tell the layouts
// around them that their minimum size changed, and the layouts keep what they measured before: every layout
// forgets it, so the size is that of the sizes set now, as is the dialog's when it is shown.
QSize unshownMinimumSize(QWidget &dialog) {
    for (QWidget *widget : dialog.findChildren<QWidget *>())
        widget->updateGeometry();
    for (QLayout *layout : dialog.findChildren<QLayout *>())
        layout->invalidate();
    return dialog.minimumSizeHint();
}
} // namespace

void CustomMessageBox::fitToScreen(const QStringList &listForms) {
    constexpr int MAX_TEXT_HEIGHT = 560;
    constexpr int WIDTHS[] = {400, 560, 720, 880};
    // A box comes up centred over its parent's window, on that window's screen.
    const QScreen *screen = parentWidget() ? parentWidget()->window()->screen() : this->screen();
    const QRect room = screen->availableGeometry();
    // The style sheet's fonts first: the heights are those of the texts as drawn.
    ensurePolished();
    const int blankLine = QFontMetrics(m_textLabel->font()).height();
    // Gives the texts a width and the list at most listHeight, and returns the height of all the texts. Both
    // set: a label's own minimum is the height at its usual, narrower width.
    const auto layOut = [this, blankLine](int width, int listHeight) {
        m_textLabel->setMinimumSize(width, m_textLabel->heightForWidth(width));
        if (!m_listArea)
            return m_textLabel->minimumHeight();
        m_closingLabel->setMinimumSize(width, m_closingLabel->heightForWidth(width));
        const int fullHeight = m_listLabel->heightForWidth(width);
        m_listArea->setMinimumSize(width, std::min(listHeight, fullHeight));
        // A list the area holds in full has nothing to scroll, and a scroll bar beside it would only narrow
        // it: wrapped onto more lines than the area was sized for, its last line would hide behind a bar
        // that then stays. Such a bar does come up while the box is sized before it is shown.
        m_listArea->setVerticalScrollBarPolicy(listHeight < fullHeight ? Qt::ScrollBarAsNeeded
                                                                       : Qt::ScrollBarAlwaysOff);
        return m_textLabel->minimumHeight() + blankLine + m_listArea->minimumHeight() + blankLine +
               m_closingLabel->minimumHeight();
    };
    const QStringList forms = m_listArea && !listForms.isEmpty() ? listForms : QStringList{QString()};
    for (const QString &form : forms) {
        if (m_listArea && !form.isEmpty())
            m_listLabel->setText(form);
        for (const int width : WIDTHS) {
            const int height = layOut(width, QWIDGETSIZE_MAX);
            const QSize size = unshownMinimumSize(*this);
            if (size.width() > room.width())
                break;
            if (height <= MAX_TEXT_HEIGHT && size.height() <= room.height())
                return;
        }
    }
    // The widest of the widths the screen takes, at worst the width it has; and the list no taller than the
    // screen leaves it, yet a few lines tall should the screen hold hardly more than the rest of the box.
    layOut(WIDTHS[0], QWIDGETSIZE_MAX);
    const int besideText = unshownMinimumSize(*this).width() - WIDTHS[0];
    const int width = std::clamp(room.width() - besideText, 1, WIDTHS[std::size(WIDTHS) - 1]);
    layOut(width, QWIDGETSIZE_MAX);
    const int excess = unshownMinimumSize(*this).height() - room.height();
    if (m_listArea && excess > 0) {
        layOut(width, std::max(3 * blankLine, m_listArea->minimumHeight() - excess));
        unshownMinimumSize(*this);
    }
}

QString CustomMessageBox::text() const {
    if (!m_listArea)
        return m_textLabel->text();
    return m_textLabel->text() + QLatin1String("\n\n") + m_listLabel->text() + QLatin1String("\n\n") +
           m_closingLabel->text();
}

QDialogButtonBox::StandardButton CustomMessageBox::dismissAnswer(QDialogButtonBox::StandardButtons buttons) {
    // Callers compare the answer with the one button they ask about and treat anything else as the other way;
    // a box closed without a choice must therefore answer with the most cautious button it offers, or the
    // question "save changes?" answered by Escape would throw the changes away.
    if (buttons & QDialogButtonBox::Cancel)
        return QDialogButtonBox::Cancel;
    if (buttons & QDialogButtonBox::No)
        return QDialogButtonBox::No;
    return QDialogButtonBox::NoButton;
}

void CustomMessageBox::rememberClicked(QAbstractButton *button) {
    if (QDialogButtonBox *box = buttonBox())
        m_clicked = box->standardButton(button);
}

QDialogButtonBox::StandardButton CustomMessageBox::run(QWidget *parent, const QString &title,
                                                       const QString &text, const QString &iconPath,
                                                       QDialogButtonBox::StandardButtons buttons,
                                                       QDialogButtonBox::StandardButton defaultButton) {
    // A box needs its button box to report the click; one without buttons still gets an Ok to close it.
    if (buttons == QDialogButtonBox::NoButton)
        buttons = QDialogButtonBox::Ok;
    CustomMessageBox box(parent, title, text, iconPath, buttons, defaultButton);
    box.exec();
    return box.clickedButton();
}

QDialogButtonBox::StandardButton CustomMessageBox::critical(QWidget *parent, const QString &title,
                                                            const QString &text,
                                                            QDialogButtonBox::StandardButtons buttons,
                                                            QDialogButtonBox::StandardButton defaultButton) {
    return run(parent, title, text, QStringLiteral(":/img/dialogs/critical"), buttons, defaultButton);
}

QDialogButtonBox::StandardButton
CustomMessageBox::information(QWidget *parent, const QString &title, const QString &text,
                              QDialogButtonBox::StandardButtons buttons,
                              QDialogButtonBox::StandardButton defaultButton) {
    return run(parent, title, text, QStringLiteral(":/img/dialogs/information"), buttons, defaultButton);
}

QDialogButtonBox::StandardButton
CustomMessageBox::exclamation(QWidget *parent, const QString &title, const QString &text,
                              QDialogButtonBox::StandardButtons buttons,
                              QDialogButtonBox::StandardButton defaultButton) {
    return run(parent, title, text, QStringLiteral(":/img/dialogs/exclamation"), buttons, defaultButton);
}
