#ifndef RENUMBERDIALOG_H
#define RENUMBERDIALOG_H

#include "widgets/customdialog.h"

// Asks whether a channel may take a number that another channel holds; accepted means the two channels
// swap their numbers.
class RenumberDialog : public CustomDialog {
    Q_OBJECT
public:
    RenumberDialog(int number, QWidget *parent);
};

#endif // RENUMBERDIALOG_H
