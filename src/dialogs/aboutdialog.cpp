#include "dialogs/aboutdialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

AboutDialog::AboutDialog(QWidget *parent) : CustomDialog(parent, tr("About program")) {
    setContentLayout(aboutLayout());
}

QHBoxLayout *AboutDialog::aboutLayout() {
    auto *row = new QHBoxLayout;
    row->addSpacing(20);
    auto *icon = new QLabel;
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(QPixmap(QStringLiteral(":/img/icons/icon-big")));
    row->addWidget(icon, 0);
    row->addSpacing(20);
    auto *text = new QLabel(tr("Quorlin Tunelane v%1\nCopyright (C) Quorlin Electronics Co. Ltd. "
                               "All rights reserved.")
                                .arg(QCoreApplication::applicationVersion()));
    text->setObjectName(QStringLiteral("aboutText"));
    text->setTextFormat(Qt::PlainText);
    // The rights notice wraps, so the box keeps the dialogs' common width.
    text->setWordWrap(true);
    row->addWidget(text, 100);
    // As much room right of the text as left of the icon.
    row->addSpacing(20);
    return row;
}
