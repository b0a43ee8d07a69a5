#include "dialogs/progressdialog.h"

#include "widgets/plaintextlabel.h"

#include <QProgressBar>
#include <QSpacerItem>
#include <QVBoxLayout>

ProgressDialog::ProgressDialog(const QString &title, const QString &text, int minimum, int maximum,
                               QWidget *parent)
    : CustomDialog(parent, title, QDialogButtonBox::Cancel) {
    resize(440, 186);
    auto *layout = new QVBoxLayout;
    layout->addSpacing(0);
    layout->setContentsMargins(12, 12, 12, 12);

    progressBar = new QProgressBar;
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setMinimum(minimum);
    progressBar->setMaximum(maximum);
    progressBar->setValue(0);
    progressBar->setStyleSheet(QStringLiteral("color:white;"));
    progressBar->setTextVisible(false);

    auto *label = new PlainTextLabel(text);
    label->setObjectName(QStringLiteral("progressText"));
    layout->addWidget(label, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addItem(new QSpacerItem(0, 10, QSizePolicy::Fixed, QSizePolicy::Fixed));
    // Vertically centred, and as wide as the contents: a bar at its size hint would be a stub in the middle.
    layout->addWidget(progressBar, 0, Qt::AlignVCenter);
    layout->addItem(new QSpacerItem(0, 20, QSizePolicy::Expanding, QSizePolicy::Expanding));
    setContentLayout(layout);
}

void ProgressDialog::setValue(int value) {
    progressBar->setValue(value);
}

void ProgressDialog::reject() {
    // Neither hidden nor finished: the owner decides when to stop and destroys the dialog.
    canceled = true;
}
