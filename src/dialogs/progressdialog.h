#ifndef PROGRESSDIALOG_H
#define PROGRESSDIALOG_H

#include "widgets/customdialog.h"

class QProgressBar;

// Shown, not run, while the main window opens, merges or converts a file. Every way of dismissing it
// (Cancel, Escape, the title bar's close button) only raises a flag that the owner polls between its
// stages; the owner destroys the dialog when it is done.
class ProgressDialog : public CustomDialog {
    Q_OBJECT
public:
    ProgressDialog(const QString &title, const QString &text, int minimum, int maximum, QWidget *parent);

    bool wasCanceled() const { return canceled; }

public slots:
    void setValue(int value);

protected slots:
    void reject() override;

private:
    QProgressBar *progressBar;
    bool canceled = false;
};

#endif // PROGRESSDIALOG_H
