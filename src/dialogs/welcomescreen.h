#ifndef WELCOMESCREEN_H
#define WELCOMESCREEN_H

#include "widgets/customdialog.h"

class QCheckBox;

// Shown over the main window at start-up while the setting "welcomescreen/show" is true: the about row, an
// "Open File" button, and a check box that switches the screen off for later starts of this version.
class WelcomeScreen : public CustomDialog {
    Q_OBJECT
public:
    // The program's one setting, kept in the group named by the application version.
    static constexpr const char *SHOW_SETTING = "welcomescreen/show";

    explicit WelcomeScreen(QWidget *parent);

    // The stored setting of this version; true when absent or unreadable.
    static bool showOnStartup();

signals:
    // The "Open File" button was clicked; the welcome screen has closed itself already. The main window
    // connects this to its open action (checked is always true).
    void openFileRequested(bool checked);

private slots:
    void onCheckboxChangeState(int state);
    void onOpenFileClicked();

private:
    QCheckBox *showAgain;
};

#endif // WELCOMESCREEN_H
