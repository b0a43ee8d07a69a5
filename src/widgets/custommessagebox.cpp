#include "widgets/custommessagebox.h"

#include "widgets/wrappinglabel.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>

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
