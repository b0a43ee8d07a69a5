#ifndef DELETEDIALOG_H
#define DELETEDIALOG_H

#include "widgets/customdialog.h"

// Asks before channels are deleted, naming the one channel or counting several. Accepted means delete.
class DeleteDialog : public CustomDialog {
    Q_OBJECT
public:
    DeleteDialog(const QString &channelName, QWidget *parent);
    DeleteDialog(int channelCount, QWidget *parent);

private:
    void build(const QString &question);
};

#endif // DELETEDIALOG_H
