#include "dialogs/welcomescreen.h"

#include "dialogs/aboutdialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

WelcomeScreen::WelcomeScreen(QWidget *parent) : CustomDialog(parent, tr("Tunelane")) {
    // The check box sits below the dark contents area, inside the border frame.
    borderLayout()->setContentsMargins(2, 2, 2, 9);
    borderLayout()->addSpacing(10);
    auto *checkRow = new QHBoxLayout;
    checkRow->addSpacing(10);
    showAgain = new QCheckBox(tr("Don't show again on startup"));
    showAgain->setObjectName(QStringLiteral("showAgain"));
    checkRow->addWidget(showAgain, 0, Qt::AlignLeft);
    borderLayout()->addLayout(checkRow);

    auto *contents = new QVBoxLayout;
    contents->addLayout(AboutDialog::aboutLayout());
    auto *buttonFrame = new QFrame;
    buttonFrame->setObjectName(QStringLiteral("buttonFrame"));
    buttonFrame->setStyleSheet(
        QStringLiteral("#buttonFrame {background-color: #4b5056;border: 1px solid black;}"));
    buttonFrame->setMinimumHeight(100);
    auto *buttonRow = new QHBoxLayout(buttonFrame);
    auto *openButton = new QPushButton(tr("Open File"));
    openButton->setObjectName(QStringLiteral("openFileButton"));
    const QPixmap openIcon(QStringLiteral(":/img/welcomescreen/fileopen"));
    openButton->setIcon(QIcon(openIcon));
    if (!openIcon.isNull())
        openButton->setIconSize(openIcon.size());
    openButton->setStyleSheet(QStringLiteral("background-color: transparent;border: 0;color: white;"));
    buttonRow->addWidget(openButton, 0, Qt::AlignLeft | Qt::AlignTop);
    connect(openButton, &QPushButton::clicked, this, &WelcomeScreen::onOpenFileClicked);
    contents->addWidget(buttonFrame);
    setContentLayout(contents);

    showAgain->setChecked(!showOnStartup());
    // Connected only now, so that showing the stored state writes nothing.
    connect(showAgain, &QCheckBox::stateChanged, this, &WelcomeScreen::onCheckboxChangeState);
}

bool WelcomeScreen::showOnStartup() {
    QSettings settings;
    settings.beginGroup(QCoreApplication::applicationVersion());
    const bool show = settings.value(QLatin1String(SHOW_SETTING), true).toBool();
    settings.endGroup();
    return show;
}

void WelcomeScreen::onCheckboxChangeState(int state) {
    // Written at once, so the choice holds even if the program ends while the screen is still up.
    QSettings settings;
    settings.beginGroup(QCoreApplication::applicationVersion());
    settings.setValue(QLatin1String(SHOW_SETTING), state != Qt::Checked);
    settings.endGroup();
}

void WelcomeScreen::onOpenFileClicked() {
    // Closed first: the open flow (its questions, the file dialog, the progress dialog) runs with the
    // welcome screen gone.
    close();
    emit openFileRequested(true);
}
