#include "dialogs/deletedialog.h"

#include "dialogs/questionrow.h"

#include <QHBoxLayout>

DeleteDialog::DeleteDialog(const QString &channelName, QWidget *parent)
    : CustomDialog(parent, tr("Confirm channel delete"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel) {
    // The name comes from the channel-list file: shown as plain text, never as markup.
    build(tr("Delete selected channel completely from the channel list?\nChannel: ") + channelName);
}

DeleteDialog::DeleteDialog(int channelCount, QWidget *parent)
    : CustomDialog(parent, tr("Confirm channel delete"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel) {
    build(tr("Delete selected channels completely from the channel list?\n") + QString::number(channelCount) +
          tr(" channels selected."));
}

void DeleteDialog::build(const QString &question) {
    setContentLayout(QuestionRow::create(QStringLiteral(":/img/dialogs/trashBin"), question));
}
