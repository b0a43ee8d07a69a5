#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include "widgets/customdialog.h"

class QHBoxLayout;

// The program's name, version and maker beside its big icon; left with the title bar's close button or
// Escape.
class AboutDialog : public CustomDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent);

    // The icon-and-text row that the about box and the welcome screen share. A new layout without parent:
    // whoever installs it owns it.
    static QHBoxLayout *aboutLayout();
};

#endif // ABOUTDIALOG_H
