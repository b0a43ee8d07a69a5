// The widget tree of the main window. Object names matter: the style sheet draws every picture by object
// name, and the slots named on_<object>_<signal> are linked by name at the end of the set-up.
#include "mainwindow/mainwindow.h"

#include "core/sharedtexts.h"
#include "widgets/combobox.h"
#include "widgets/resizableframe.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QFrame *styledFrame(QWidget *parent, const char *name) {
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

QFrame *plainFrame(QWidget *parent, const char *name) {
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Plain);
    return frame;
}

void fixSize(QWidget *w, int width, int height) {
    w->setMinimumSize(width, height);
    w->setMaximumSize(width, height);
}

void fixHeight(QWidget *w, int height) {
    w->setMinimumHeight(height);
    w->setMaximumHeight(height);
}

// One list tab: an expanding spacer above the button, so the tab sits on the bottom edge of the tab strip.
QPushButton *tabButton(QWidget *parent, QHBoxLayout *strip, QVBoxLayout *&column, const char *layoutName,
                       const char *name) {
    column = new QVBoxLayout();
    column->setSpacing(0);
    column->setObjectName(QLatin1String(layoutName));
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setFocusPolicy(Qt::NoFocus);
    column->addWidget(button);
    strip->addLayout(column);
    return button;
}

QListWidget *satelliteList(QWidget *parent, const char *name) {
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setMaximumHeight(0); // collapsed until a document sizes it
    list->setFocusPolicy(Qt::NoFocus);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSortingEnabled(true);
    list->setResizeMode(QListView::Adjust);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

QRadioButton *categoryButton(QWidget *parent, const char *name, bool checked) {
    auto *button = new QRadioButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setChecked(checked);
    button->setAutoExclusive(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton *toolButton(QWidget *parent, QHBoxLayout *row, const char *name, const QString &toolTip) {
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(toolTip);
    fixSize(button, 39, 36);
    row->addWidget(button);
    return button;
}

// Presses near the window's edges on this widget resize the frameless window. The filter goes with the
// widget.
void installResizeFilter(QWidget *widget, ResizableFrame *frame) {
    auto *filter = new ResizableFrame::ResizeEventsFilter(frame);
    filter->setParent(widget);
    widget->installEventFilter(filter);
}

} // namespace

void MainWindow::setupUi() {
    // 1. Window properties.
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MainWindow"));
    resize(900, 600);
    setMouseTracking(false);
    setAutoFillBackground(false);
    setAnimated(false);
    setDocumentMode(false);
    setDockOptions(QMainWindow::AllowTabbedDocks);

    // 2. Actions, all children of the window.
    auto makeAction = [this](const char *name) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    actionOpen = makeAction("actionOpen");
    actionSave = makeAction("actionSave");
    actionSaveAs = makeAction("actionSaveAs");
    actionExit = makeAction("actionExit");
    actionUndo = makeAction("actionUndo");
    actionRedo = makeAction("actionRedo");
    actionRenumber = makeAction("actionRenumber");
    actionRename = makeAction("actionRename");
    actionLock = makeAction("actionLock");
    actionAbout_Program = makeAction("actionAbout_Program");
    actionUnlock = makeAction("actionUnlock");
    actionMy1 = makeAction("actionMy1");
    actionMy2 = makeAction("actionMy2");
    actionMy3 = makeAction("actionMy3");
    actionMy4 = makeAction("actionMy4");
    actionMy5 = makeAction("actionMy5");
    for (QAction *my : {actionMy1, actionMy2, actionMy3, actionMy4, actionMy5})
        my->setCheckable(true);
    actionSelectAll = makeAction("actionSelectAll");
    actionDeselectAll = makeAction("actionDeselectAll");
    actionMerge = makeAction("actionMerge");
    actionDelete = makeAction("actionDelete");
    actionAstraHDCopy = makeAction("actionAstraHDCopy");
    actionWelcomeScreen = makeAction("actionWelcomeScreen");

    // 3. The main layout, and the menu bar in its frame.
    verticalLayout = new QVBoxLayout();
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    menuBarFrame = styledFrame(this, "menuBarFrame");
    horizontalLayout = new QHBoxLayout(menuBarFrame);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->setSpacing(0);
    menuBar = new QMenuBar(menuBarFrame);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // A menu bar inside a frame of our own; never hand it to a platform menu bar.
    menuBar->setNativeMenuBar(false);
    horizontalLayout->addWidget(menuBar);
    menuFile = new QMenu(menuBar);
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuEdit = new QMenu(menuBar);
    menuEdit->setObjectName(QStringLiteral("menuEdit"));
    menuMyChannels = new QMenu(menuEdit);
    menuMyChannels->setObjectName(QStringLiteral("menuMyChannels"));
    menuAbout = new QMenu(menuBar);
    menuAbout->setObjectName(QStringLiteral("menuAbout"));
    insertMenuBarWidget(menuBarFrame);
    installResizeFilter(menuBar, resizableFrame());

    // 4. The list tabs.
    tabFrame = new QFrame(this);
    tabFrame->setObjectName(QStringLiteral("tabFrame"));
    tabFrame->setMouseTracking(true);
    fixHeight(tabFrame, 38);
    tabFrame->setLineWidth(0);
    installResizeFilter(tabFrame, resizableFrame());
    insertTabBarWidget(tabFrame);
    horizontalLayout_3 = new QHBoxLayout(tabFrame);
    horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    horizontalLayout_3->setSpacing(0);
    horizontalLayout_3->setContentsMargins(1, 0, 1, 0);
    spacer_1 = styledFrame(tabFrame, "spacer_1");
    fixSize(spacer_1, 3, 38);
    horizontalLayout_3->addWidget(spacer_1);
    airButton = tabButton(tabFrame, horizontalLayout_3, verticalLayout_6, "verticalLayout_6", "airButton");
    airButton->setMouseTracking(true);
    airButton->setChecked(true);
    spacer_2 = styledFrame(tabFrame, "spacer_2");
    fixSize(spacer_2, 3, 38);
    horizontalLayout_3->addWidget(spacer_2);
    cableButton =
        tabButton(tabFrame, horizontalLayout_3, verticalLayout_8, "verticalLayout_8", "cableButton");
    spacer_3 = styledFrame(tabFrame, "spacer_3");
    fixSize(spacer_3, 3, 38);
    horizontalLayout_3->addWidget(spacer_3);
    satButton = tabButton(tabFrame, horizontalLayout_3, verticalLayout_9, "verticalLayout_9", "satButton");
    spacer_5 = styledFrame(tabFrame, "spacer_5");
    fixSize(spacer_5, 3, 38);
    horizontalLayout_3->addWidget(spacer_5);
    astraHDButton =
        tabButton(tabFrame, horizontalLayout_3, verticalLayout_10, "verticalLayout_10", "astraHDButton");
    spacer_4 = styledFrame(tabFrame, "spacer_4");
    spacer_4->setMinimumSize(100, 37);
    spacer_4->setMaximumSize(9999, 37);
    horizontalLayout_3->addWidget(spacer_4);
    versionCountry = new QLabel(tabFrame);
    versionCountry->setObjectName(QStringLiteral("versionCountry"));
    versionCountry->setMouseTracking(true);
    versionCountry->setTextFormat(Qt::PlainText);
    versionCountry->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    horizontalLayout_3->addWidget(versionCountry);
    verticalLayout->addWidget(tabFrame);

    // 5. The body: category panel beside the two pages.
    body = styledFrame(this, "body");
    body->setMouseTracking(true);
    body->setAutoFillBackground(false);
    installResizeFilter(body, resizableFrame());
    verticalLayout_2 = new QVBoxLayout(body);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setContentsMargins(0, 9, 0, 0);
    splitter = new QSplitter(Qt::Horizontal, body);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);

    categoryFrame = styledFrame(splitter, "categoryFrame");
    categoryFrame->setCursor(Qt::ArrowCursor);
    categoryFrame->setMinimumWidth(200);
    verticalLayout_3 = new QVBoxLayout(categoryFrame);
    verticalLayout_3->setObjectName(QStringLiteral("verticalLayout_3"));
    verticalLayout_3->setSpacing(0);
    verticalLayout_3->setContentsMargins(0, 0, 0, 0);
    label = new QLabel(categoryFrame);
    label->setObjectName(QStringLiteral("label"));
    fixHeight(label, 29);
    verticalLayout_3->addWidget(label);
    allButton = categoryButton(categoryFrame, "allButton", true);
    verticalLayout_3->addWidget(allButton);
    satListAll = satelliteList(categoryFrame, "satListAll");
    satListAll->setMovement(QListView::Static);
    satListAll->setLayoutMode(QListView::Batched);
    verticalLayout_3->addWidget(satListAll);
    tvButton = categoryButton(categoryFrame, "tvButton", false);
    verticalLayout_3->addWidget(tvButton);
    satListTv = satelliteList(categoryFrame, "satListTv");
    verticalLayout_3->addWidget(satListTv);
    radioButton = categoryButton(categoryFrame, "radioButton", false);
    verticalLayout_3->addWidget(radioButton);
    satListRadio = satelliteList(categoryFrame, "satListRadio");
    satListRadio->setAutoScroll(false);
    verticalLayout_3->addWidget(satListRadio);
    dataButton = categoryButton(categoryFrame, "dataButton", false);
    verticalLayout_3->addWidget(dataButton);
    satListData = satelliteList(categoryFrame, "satListData");
    verticalLayout_3->addWidget(satListData);
    frame_3 = plainFrame(categoryFrame, "frame_3");
    fixHeight(frame_3, 8);
    verticalLayout_3->addWidget(frame_3);
    categorySplitter = styledFrame(categoryFrame, "categorySplitter");
    fixHeight(categorySplitter, 3);
    verticalLayout_3->addWidget(categorySplitter);
    frame_4 = styledFrame(categoryFrame, "frame_4");
    fixHeight(frame_4, 8);
    verticalLayout_3->addWidget(frame_4);
    myChannelsButton = categoryButton(categoryFrame, "myChannelsButton", false);
    verticalLayout_3->addWidget(myChannelsButton);
    leftMenuSpacer = new QLabel(categoryFrame);
    leftMenuSpacer->setObjectName(QStringLiteral("leftMenuSpacer"));
    leftMenuSpacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    verticalLayout_3->addWidget(leftMenuSpacer);
    splitter->addWidget(categoryFrame);

    mainPanels = new QStackedWidget(splitter);
    mainPanels->setObjectName(QStringLiteral("mainPanels"));
    mainPanels->setCursor(Qt::ArrowCursor);

    // Page 0: the tool buttons over the main table.
    lists = new QWidget();
    lists->setObjectName(QStringLiteral("lists"));
    verticalLayout_7 = new QVBoxLayout(lists);
    verticalLayout_7->setObjectName(QStringLiteral("verticalLayout_7"));
    verticalLayout_7->setSpacing(0);
    verticalLayout_7->setContentsMargins(0, 0, 0, 0);
    toolsFrame = plainFrame(lists, "toolsFrame");
    fixHeight(toolsFrame, 46);
    horizontalLayout_5 = new QHBoxLayout(toolsFrame);
    horizontalLayout_5->setObjectName(QStringLiteral("horizontalLayout_5"));
    horizontalLayout_5->setSpacing(5);
    horizontalLayout_5->setContentsMargins(6, 0, 6, 0);
    // The tool tips are the shared texts, set once; a later change of language leaves them as they are.
    undoButton = toolButton(toolsFrame, horizontalLayout_5, "undoButton", SharedTexts::tipUndo());
    redoButton = toolButton(toolsFrame, horizontalLayout_5, "redoButton", SharedTexts::tipRedo());
    horizontalLayout_5->addItem(new QSpacerItem(16, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    astraHDCopyButton =
        toolButton(toolsFrame, horizontalLayout_5, "astraHDCopyButton", SharedTexts::tipCopyToRange());
    deleteButton = toolButton(toolsFrame, horizontalLayout_5, "deleteButton", SharedTexts::tipDelete());
    renumberButton =
        toolButton(toolsFrame, horizontalLayout_5, "renumberButton", SharedTexts::tipEditNumber());
    renameButton = toolButton(toolsFrame, horizontalLayout_5, "renameButton", SharedTexts::tipEditName());
    horizontalLayout_5->addItem(new QSpacerItem(7, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    lockButton = toolButton(toolsFrame, horizontalLayout_5, "lockButton", SharedTexts::tipLock());
    unlockButton = toolButton(toolsFrame, horizontalLayout_5, "unlockButton", SharedTexts::tipUnlock());
    horizontalLayout_5->addItem(new QSpacerItem(7, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    fav1Button = toolButton(toolsFrame, horizontalLayout_5, "fav1Button", SharedTexts::tipMyFav(1));
    fav2Button = toolButton(toolsFrame, horizontalLayout_5, "fav2Button", SharedTexts::tipMyFav(2));
    fav3Button = toolButton(toolsFrame, horizontalLayout_5, "fav3Button", SharedTexts::tipMyFav(3));
    fav4Button = toolButton(toolsFrame, horizontalLayout_5, "fav4Button", SharedTexts::tipMyFav(4));
    fav5Button = toolButton(toolsFrame, horizontalLayout_5, "fav5Button", SharedTexts::tipMyFav(5));
    horizontalLayout_5->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    horizontalLayout_5->addItem(new QSpacerItem(20, 20, QSizePolicy::MinimumExpanding, QSizePolicy::Minimum));
    verticalLayout_7->addWidget(toolsFrame);
    mainPanels->addWidget(lists);

    // Page 1: the favourites page, source table left, favourites list right.
    myChannels = new QWidget();
    myChannels->setObjectName(QStringLiteral("myChannels"));
    myChannelsLayout = new QHBoxLayout(myChannels);
    myChannelsLayout->setObjectName(QStringLiteral("myChannelsLayout"));
    myChannelsLayout->setSpacing(7);
    myChannelsLayout->setContentsMargins(11, 11, 11, 11);
    fav1Layout = new QVBoxLayout();
    fav1Layout->setObjectName(QStringLiteral("fav1Layout"));
    fav1Layout->setSpacing(9);
    fav1Filter = new ComboBox(myChannels);
    fav1Filter->setObjectName(QStringLiteral("fav1Filter"));
    fav1Filter->setFocusPolicy(Qt::ClickFocus);
    fav1Filter->setContextMenuPolicy(Qt::NoContextMenu);
    fav1Layout->addWidget(fav1Filter);
    myChannelsLayout->addLayout(fav1Layout);
    buttonsLayout = new QVBoxLayout();
    buttonsLayout->setObjectName(QStringLiteral("buttonsLayout"));
    buttonsLayout->setSpacing(6);
    buttonsLayout->setContentsMargins(0, 0, 0, 0);
    buttonsLayout->setSizeConstraint(QLayout::SetFixedSize);
    buttonsLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    addButton = new QPushButton(myChannels);
    addButton->setObjectName(QStringLiteral("addButton"));
    addButton->setFocusPolicy(Qt::NoFocus);
    fixSize(addButton, 50, 48);
    buttonsLayout->addWidget(addButton);
    buttonsLayout->addItem(new QSpacerItem(20, 36, QSizePolicy::Minimum, QSizePolicy::Fixed));
    subButton = new QPushButton(myChannels);
    subButton->setObjectName(QStringLiteral("subButton"));
    subButton->setFocusPolicy(Qt::NoFocus);
    fixSize(subButton, 50, 48);
    buttonsLayout->addWidget(subButton);
    buttonsLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    myChannelsLayout->addLayout(buttonsLayout);
    fav2Layout = new QVBoxLayout();
    fav2Layout->setObjectName(QStringLiteral("fav2Layout"));
    fav2Layout->setSpacing(9);
    fav2Filter = new ComboBox(myChannels);
    fav2Filter->setObjectName(QStringLiteral("fav2Filter"));
    fav2Layout->addWidget(fav2Filter);
    myChannelsLayout->addLayout(fav2Layout);
    mainPanels->addWidget(myChannels);
    splitter->addWidget(mainPanels);
    // The tables take the room the category panel does not need.
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    verticalLayout_2->addWidget(splitter, 1);
    verticalLayout->addWidget(body);
    bodySpacer = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Expanding);
    verticalLayout->addItem(bodySpacer);

    // 6. The status strip under the splitter.
    statusBar = new QFrame(body);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setMouseTracking(true);
    // The strip keeps its height; the splitter above takes all the room there is.
    statusBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    fixHeight(statusBar, 26);
    installResizeFilter(statusBar, resizableFrame());
    auto *statusLayout = new QHBoxLayout(statusBar);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->setAlignment(Qt::AlignRight);
    channelCount = new QLabel(statusBar);
    channelCount->setObjectName(QStringLiteral("channelCount"));
    statusLayout->addWidget(channelCount);
    statusLayout->addStretch();
    selectionLabel = new QLabel(statusBar);
    statusLayout->addWidget(selectionLabel);
    insertButton = new QPushButton(statusBar);
    insertButton->setCheckable(true);
    insertButton->setFocusPolicy(Qt::NoFocus);
    statusLayout->addWidget(insertButton);
    modifiedLabel = new QLabel(statusBar);
    statusLayout->addWidget(modifiedLabel);
    verticalLayout_2->addWidget(statusBar);
    connect(insertButton, &QPushButton::clicked, this, &MainWindow::on_insertButtonClicked);

    // 7. The main area goes under the menu bar.
    insertLayout(verticalLayout);

    // 8. Menus.
    menuBar->addAction(menuFile->menuAction());
    menuBar->addAction(menuEdit->menuAction());
    menuBar->addAction(menuAbout->menuAction());
    menuFile->addAction(actionOpen);
    menuFile->addAction(actionSave);
    menuFile->addAction(actionSaveAs);
    menuFile->addSeparator();
    menuFile->addAction(actionMerge);
    menuFile->addSeparator();
    menuFile->addAction(actionExit);
    menuEdit->addAction(actionUndo);
    menuEdit->addAction(actionRedo);
    menuEdit->addSeparator();
    menuEdit->addAction(actionDelete);
    menuEdit->addAction(actionAstraHDCopy);
    menuEdit->addAction(actionRenumber);
    menuEdit->addAction(actionRename);
    menuEdit->addSeparator();
    menuEdit->addAction(actionLock);
    menuEdit->addAction(actionUnlock);
    menuEdit->addSeparator();
    menuEdit->addAction(menuMyChannels->menuAction());
    menuEdit->addSeparator();
    menuEdit->addAction(actionSelectAll);
    menuEdit->addAction(actionDeselectAll);
    menuMyChannels->addAction(actionMy1);
    menuMyChannels->addAction(actionMy2);
    menuMyChannels->addAction(actionMy3);
    menuMyChannels->addAction(actionMy4);
    menuMyChannels->addAction(actionMy5);
    menuAbout->addAction(actionWelcomeScreen);
    menuAbout->addSeparator();
    menuAbout->addAction(actionAbout_Program);

    // 9. Texts; 10. the slots named after form objects (linked one by one rather than by a name scan, which
    // would warn about every other on_ slot of the window).
    retranslateUi();
    connect(deleteButton, &QPushButton::clicked, this, &MainWindow::on_deleteButton_clicked);
    connect(astraHDCopyButton, &QPushButton::clicked, this, &MainWindow::on_astraHDCopyButton_clicked);
    connect(renameButton, &QPushButton::clicked, this, &MainWindow::on_renameButton_clicked);
    connect(renumberButton, &QPushButton::clicked, this, &MainWindow::on_renumberButton_clicked);
    connect(unlockButton, &QPushButton::clicked, this, &MainWindow::on_unlockButton_clicked);
    connect(lockButton, &QPushButton::clicked, this, &MainWindow::on_lockButton_clicked);
    connect(subButton, &QPushButton::clicked, this, &MainWindow::on_subButton_clicked);
    connect(addButton, &QPushButton::clicked, this, &MainWindow::on_addButton_clicked);
    connect(fav1Filter, &ComboBox::currentIndexChanged, this, &MainWindow::on_fav1Filter_currentIndexChanged);
    connect(fav2Filter, &ComboBox::currentIndexChanged, this, &MainWindow::on_fav2Filter_currentIndexChanged);
}

void MainWindow::retranslateUi() {
    setTitle(QString());
    actionOpen->setText(tr("&Open"));
    actionOpen->setShortcut(QKeySequence(tr("CTRL+O")));
    actionSave->setText(tr("&Save"));
    actionSave->setShortcut(QKeySequence(tr("CTRL+S")));
    actionSaveAs->setText(tr("Save &As... "));
    actionSaveAs->setShortcut(QKeySequence(tr("SHIFT+CTRL+S")));
    actionExit->setText(tr("E&xit"));
    actionExit->setShortcut(QKeySequence(tr("CTRL+Q")));
    actionUndo->setText(tr("&Undo"));
    actionUndo->setShortcut(QKeySequence(tr("CTRL+Z")));
    actionRedo->setText(tr("&Redo"));
    actionRedo->setShortcut(QKeySequence(tr("CTRL+Y")));
    actionRenumber->setText(tr("&Edit Number/Move to"));
    actionRename->setText(tr("Edit &Name"));
    actionLock->setText(tr("&Lock"));
    actionAbout_Program->setText(tr("&About Program"));
    actionUnlock->setText(tr("Unl&ock"));
    actionMy1->setText(tr("My Fav 1"));
    actionMy2->setText(tr("My Fav 2"));
    actionMy3->setText(tr("My Fav 3"));
    actionMy4->setText(tr("My Fav 4"));
    actionMy5->setText(tr("My Fav 5"));
    actionSelectAll->setText(tr("&Select All"));
    actionSelectAll->setShortcut(QKeySequence(tr("CTRL+A")));
    actionDeselectAll->setText(tr("&Deselect All"));
    actionDeselectAll->setShortcut(QKeySequence(tr("CTRL+D")));
    actionMerge->setText(tr("&Merge"));
    actionDelete->setText(tr("&Delete"));
    actionDelete->setShortcut(QKeySequence(tr("DEL")));
    actionAstraHDCopy->setText(tr("Copy"));
    actionWelcomeScreen->setText(tr("&Welcome Screen"));
    airButton->setText(tr("Air"));
    cableButton->setText(tr("Cable"));
    satButton->setText(tr("Satellite"));
    astraHDButton->setText(tr("Astra 19.2"));
    versionCountry->setText(tr("TextLabel"));
    label->setText(tr("Channel Category"));
    allButton->setText(tr("All"));
    tvButton->setText(tr("TV"));
    radioButton->setText(tr("Radio"));
    dataButton->setText(tr("Data/Other"));
    myChannelsButton->setText(tr("My Favourites"));
    menuFile->setTitle(tr("&File"));
    menuEdit->setTitle(tr("&Edit"));
    menuMyChannels->setTitle(tr("&My Favourites"));
    menuAbout->setTitle(tr("&Help"));
}
