#include "dialogs/renumberdialog.h"

#include "dialogs/questionrow.h"

#include <QHBoxLayout>

RenumberDialog::RenumberDialog(int number, QWidget *parent)
    : CustomDialog(parent, tr("Channel number collision"), QDialogButtonBox::Ok | QDialogButtonBox::Cancel) {
    setContentLayout(QuestionRow::create(QStringLiteral(":/img/dialogs/exclamation"),
                                         tr("Number %1 is already used by another channel.\nDo you want to "
                                            "continue (channel numbers will be swapped)?")
                                             .arg(number)));
}
