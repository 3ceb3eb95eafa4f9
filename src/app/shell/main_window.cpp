#include "shell/main_window.h"

#include "channels/channel_operations.h"
#include "dialogs/about_dialog.h"
#include "dialogs/help_window.h"
#include "dialogs/link_label.h"
#include "edit/channel_buttons.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/edit_actions.h"
#include "edit/find_bar.h"
#include "edit/hold_button.h"
#include "edit/options_page.h"
#include "files/file_actions.h"
#include "files/interchange_actions.h"
#include "files/plan_document.h"
#include "files/recovery.h"
#include "files/safety_actions.h"
#include "i18n/visible_text.h"
#include "radio/fleet_actions.h"
#include "radio/doctor_actions.h"
#include "radio/port_diagnosis.h"
#include "radio/port_settings_actions.h"
#include "radio/qt_serial_link.h"
#include "radio/radio_actions.h"
#include "radio/service_panel.h"
#include "radio/transfer_dialog.h"
#include "shell/accessible_texts.h"
#include "shell/app_icons.h"
#include "shell/language_actions.h"
#include "shell/menu_access_keys.h"
#include "shell/skins.h"

#include <QAbstractScrollArea>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSessionManager>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace vrx {

namespace {

const QString kCaption = QStringLiteral("VRX-5800");

int sideIndex(MainAction action) {
    switch (action) {
    case MainAction::Read:
        return 0;
    case MainAction::Write:
        return 1;
    case MainAction::Exit:
        return 2;
    default:
        return -1;
    }
}

} // namespace

MainWindow::MainWindow(const AppEnvironment &environment, QWidget *parent)
    : QMainWindow(parent), env_(environment), fileActions_(std::make_unique<FileActions>(*this)),
      radioActions_(std::make_unique<RadioActions>(*this)),
      languageActions_(std::make_unique<LanguageActions>(*this)),
      safetyActions_(std::make_unique<SafetyActions>(*this)),
      recovery_(std::make_unique<Recovery>(*this)),
      portSettingsActions_(std::make_unique<PortSettingsActions>(*this)),
      fleetActions_(std::make_unique<FleetActions>(*this)),
      doctorActions_(std::make_unique<DoctorActions>(*this)) {
    setDefaultHooks();
    setWindowTitle(kCaption);
    setWindowIcon(appIcon(AppIcon::App));
    portDevices_ = AppSettings::defaultPortDevices();

    buildMenus();
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(buildLeftColumn());
    layout->addWidget(buildCentre(), 1);
    layout->addWidget(buildRightColumn());
    setCentralWidget(central);
    // After the grid, whose paste keys it watches; its group follows the backups group.
    interchangeActions_ = new InterchangeActions(*this);
    interchangeActions_->install(menu(MainMenu::File));
    // Save As and the recent files: the last group of the File menu.
    fileActions_->addFileMenuItems(menu(MainMenu::File));
    fileActions_->addShortcuts();

    status_ = new QLabel(QStringLiteral("     赞博电子有限公司 KORVAN 对讲机编程软件"), this);
    status_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(21);

    setFixedSize(kWidth, kHeight);

    document_ = new PlanDocument(*this, kCaption);
    connect(&bandPlan_, &BandPlan::displayedTextChanged, this, [this] { setCaption(kCaption); });
#if QT_CONFIG(sessionmanager)
    // Logout: nothing may wait for an answer, and the autosave keeps the work.
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager &) { document_->endSession(); }, Qt::DirectConnection);
#endif

    // The editing commands come after the specified items of the Edit menu.
    editActions_->addToMenu(menu(MainMenu::Edit));
    // Programming several radios, a group of its own at the end.
    menu(MainMenu::Edit)->addSeparator();
    menu(MainMenu::Edit)->addAction(fleetActions_->menuAction());
    orderTabStops();
    const std::pair<QAction *, const char *> hints[] = {
        {menu(MainMenu::Options)->menuAction(), "O"},
        {menu(MainMenu::Language)->menuAction(), "L"},
        {skinAction(1), "B"},
        {skinAction(2), "S"},
        {skinAction(3), "C"},
        {skinAction(kSystemSkin), "Y"},
        {action(MainAction::Chinese), "C"},
        {action(MainAction::English), "E"},
        {editActions_->action(EditCommand::Undo), "U"},
        {editActions_->action(EditCommand::Redo), "R"},
        {editActions_->action(EditCommand::SelectAll), "A"},
        {editActions_->action(EditCommand::Copy), "C"},
        {editActions_->action(EditCommand::Cut), "T"},
        {editActions_->action(EditCommand::Paste), "V"},
        {editActions_->action(EditCommand::InsertChannel), "I"},
        {editActions_->action(EditCommand::DeleteShiftUp), "D"},
        {editActions_->action(EditCommand::Sort), "S"},
        {editActions_->action(EditCommand::Find), "F"},
        {editActions_->action(EditCommand::FindNext), "N"},
    };
    for (const auto &[item, letters] : hints)
        setAccessKeyHint(item, QString::fromLatin1(letters));
    for (MainMenu top : {MainMenu::File, MainMenu::Edit, MainMenu::Options, MainMenu::Help})
        keepAccessKeys(menu(top));
    assignAccessKeys(menuBar());
    applyAccessibleTexts(*this);

    setPortDevices(portDevices_);
    choosePort(1);
    loadAppSettings();
    // The band lists from myini.ini are part of the plan a new window holds.
    document_->markNew();
}

void MainWindow::setDefaultHooks() {
    if (!env_.chooseFile) {
        env_.chooseFile = [this](FileDialogKind kind, const QString &proposed) {
            const bool open = kind == FileDialogKind::Open;
            const QFileInfo at(proposed);
            const bool hasName = !proposed.isEmpty() && !at.isDir();
            const FileDialogTexts &texts = shellTexts_.fileDialog;
            QFileDialog dialog(this, open ? texts.openTitle : texts.saveTitle,
                               hasName ? at.absolutePath() : proposed, texts.filter);
            dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            // Saving replaces a file of the same name without asking, as it always has.
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
            if (hasName)
                dialog.selectFile(at.fileName());
            if (dialog.exec() != QDialog::Accepted)
                return QString();
            return dialog.selectedFiles().value(0);
        };
    }
    if (!env_.probePort)
        env_.probePort = [](const QString &device, QString *error) {
            return probeSerialPort(device, error);
        };
    if (!env_.diagnosePort)
        env_.diagnosePort = [](const QString &device, const QString &error) {
            return vrx::diagnosePort(device, error);
        };
    if (!env_.makeLink)
        env_.makeLink = [](const QString &device) -> std::unique_ptr<SerialLink> {
            return std::make_unique<QtSerialLink>(device);
        };
    if (!env_.reportError)
        env_.reportError = [this](const QString &message) {
            // Messages quote file names and contents.
            QMessageBox::warning(this, QApplication::applicationName(),
                                 withVisibleControls(message, true));
        };
}

void MainWindow::loadAppSettings() {
    // Without a settings file the program comes up on COM1 with skin 1 and no band entries.
    if (!env_.settingsPath.isEmpty()) {
        QString refusal;
        appSettings_ = readAppSettings(env_.settingsPath, &refusal);
        // A file that was not read is not written either: it keeps what the user had.
        settingsFileRefused_ = !refusal.isEmpty();
        if (settingsFileRefused_)
            QTimer::singleShot(0, this, [this, refusal] { reportError(refusal); });
    }
    choosePort(appSettings_.port);
    chooseSkin(appSettings_.skin);
    applyBandLists(appSettings_, bandPlan_);
    setPortDevices(appSettings_.portDevices);
}

void MainWindow::saveAppSettings() {
    if (env_.settingsPath.isEmpty() || !env_.keepSettings || settingsFileRefused_)
        return;
    // The port devices are written as they were read: a mapping changed for one run
    // (the demo radio) is not kept.
    AppSettings settings = appSettings_;
    settings.port = currentPort_;
    settings.skin = skin_;
    captureBandLists(bandPlan_, settings);
    const FileStatus status = writeAppSettings(env_.settingsPath, settings);
    // Saved at each choice and at the end: one message is enough.
    if (!status && !settingsSaveFailed_)
        reportError(status.message());
    settingsSaveFailed_ = !status;
}

MainWindow::~MainWindow() {
    // The pages view the plan held in members; they go before it does.
    editActions_.reset();
    operations_.reset();
    delete takeCentralWidget();
}

QAction *MainWindow::makeAction(MainAction id, const QString &text) {
    auto *action = new QAction(text, this);
    actions_[static_cast<int>(id)] = action;
    return action;
}

void MainWindow::buildMenus() {
    auto addMenu = [this](MainMenu id, const QString &title, QMenu *parent = nullptr) {
        QMenu *menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
        menus_[static_cast<int>(id)] = menu;
        return menu;
    };

    QMenu *file = addMenu(MainMenu::File, QStringLiteral("文件(&F)"));
    file->addAction(makeAction(MainAction::New, QStringLiteral("新建(&N)")));
    file->addAction(makeAction(MainAction::Open, QStringLiteral("打开(&O)")));
    file->addAction(makeAction(MainAction::Save, QStringLiteral("保存(&S)")));
    file->addSeparator();
    file->addAction(makeAction(MainAction::Exit, QStringLiteral("退出(&E)")));
    safetyActions_->addFileMenuItems(file);

    QMenu *edit = addMenu(MainMenu::Edit, QStringLiteral("编辑(&P)"));
    edit->addAction(makeAction(MainAction::Read, QStringLiteral("频率读出(&R)")));
    edit->addAction(makeAction(MainAction::Write, QStringLiteral("频率写入(&W)")));
    edit->addSeparator();
    edit->addAction(makeAction(MainAction::ChannelPage, QStringLiteral("信道编辑(&E)")));
    edit->addAction(makeAction(MainAction::OptionsPage, QStringLiteral("功能选项(&Y)")));
    edit->addSeparator();
    edit->addAction(makeAction(MainAction::OtherPage, QStringLiteral("其它功能(&T)")));

    QMenu *options = addMenu(MainMenu::Options, QStringLiteral("选项"));
    QMenu *ports = addMenu(MainMenu::Port, QStringLiteral("通信端口(&C)"), options);
    ports->setToolTipsVisible(true);
    auto *portGroup = new QActionGroup(this);
    for (int port = 1; port <= kPortCount; ++port) {
        QAction *action = ports->addAction(QStringLiteral("COM(&%1)").arg(port));
        action->setCheckable(true);
        portGroup->addAction(action);
        portActions_[port - 1] = action;
        connect(action, &QAction::triggered, this, [this, port] { choosePort(port); });
    }
    ports->addSeparator();
    ports->addAction(portSettingsActions_->menuAction());
    ports->addSeparator();
    ports->addAction(doctorActions_->menuAction());
    QMenu *skins = addMenu(MainMenu::Skin, QStringLiteral("皮肤(&S)"), options);
    auto *skinGroup = new QActionGroup(this);
    const char *const skinNames[kSkinCount] = {"蓝色一族", "钢板", "咖啡"};
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        QAction *action = skins->addAction(QString::fromUtf8(skinNames[skin - 1]));
        action->setCheckable(true);
        skinGroup->addAction(action);
        skinActions_[skin - 1] = action;
        connect(action, &QAction::triggered, this, [this, skin] {
            chooseSkin(skin);
            // Kept at once: a crash or a logout must not take the choice back.
            saveAppSettings();
        });
    }
    // The desktop's own look, a group of its own after the specified skins.
    skins->addSeparator();
    QAction *system = skins->addAction(AccessTexts::builtIn(PackId::MenuSkinSystem));
    system->setObjectName(QStringLiteral("systemSkin"));
    system->setCheckable(true);
    skinGroup->addAction(system);
    skinActions_[kSystemSkin - 1] = system;
    connect(system, &QAction::triggered, this, [this] { chooseSkin(kSystemSkin); });
    QMenu *language = addMenu(MainMenu::Language, QStringLiteral("语言"), options);
    auto *languageGroup = new QActionGroup(this);
    for (auto [id, text] :
         {std::pair{MainAction::Chinese, "中文"}, {MainAction::English, "英文"}}) {
        QAction *action = makeAction(id, QString::fromUtf8(text));
        action->setCheckable(true);
        languageGroup->addAction(action);
        language->addAction(action);
    }

    QMenu *help = addMenu(MainMenu::Help, QStringLiteral("帮助(&H)"));
    help->addAction(makeAction(MainAction::Help, QStringLiteral("帮助(&H)...")));
    help->addAction(makeAction(MainAction::About, QStringLiteral("关于(&A)...")));

    action(MainAction::New)->setIcon(appIcon(AppIcon::New));
    action(MainAction::Open)->setIcon(appIcon(AppIcon::Open));
    action(MainAction::Save)->setIcon(appIcon(AppIcon::Save));
    action(MainAction::Exit)->setIcon(appIcon(AppIcon::Exit));
    action(MainAction::Read)->setIcon(appIcon(AppIcon::Read));
    action(MainAction::Write)->setIcon(appIcon(AppIcon::Write));
    action(MainAction::ChannelPage)->setIcon(appIcon(AppIcon::Channels));
    action(MainAction::OptionsPage)->setIcon(appIcon(AppIcon::Options));

    FileActions *files = fileActions_.get();
    connect(action(MainAction::New), &QAction::triggered, this,
            [files] { files->requestNewPlan(); });
    connect(action(MainAction::Open), &QAction::triggered, this, [files] { files->openFile(); });
    connect(action(MainAction::Save), &QAction::triggered, this, [files] { files->saveFile(); });
    connect(action(MainAction::Exit), &QAction::triggered, this, &QWidget::close);
    RadioActions *radio = radioActions_.get();
    connect(action(MainAction::Read), &QAction::triggered, this,
            [radio] { radio->startTransfer(TransferKind::Read); });
    connect(action(MainAction::Write), &QAction::triggered, this,
            [radio] { radio->startTransfer(TransferKind::Write); });
    connect(action(MainAction::ChannelPage), &QAction::triggered, this, [this] { showPage(0); });
    connect(action(MainAction::OptionsPage), &QAction::triggered, this, [this] { showPage(1); });
    connect(action(MainAction::OtherPage), &QAction::triggered, this, [this] { showPage(2); });
    connect(action(MainAction::About), &QAction::triggered, this, &MainWindow::showAbout);
    LanguageActions *languages = languageActions_.get();
    connect(action(MainAction::Chinese), &QAction::triggered, this,
            [languages] { languages->chooseLanguage(Language::Chinese); });
    connect(action(MainAction::English), &QAction::triggered, this,
            [languages] { languages->chooseLanguage(Language::English); });
    action(MainAction::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    connect(action(MainAction::Help), &QAction::triggered, this, &MainWindow::showHelp);
}

QWidget *MainWindow::buildLeftColumn() {
    auto *column = new QWidget(this);
    column->setFixedWidth(121);

    toolBox_ = new QToolBox(column);
    toolBox_->setObjectName(QStringLiteral("toolBox"));
    struct Section {
        const char *title;
        std::initializer_list<std::pair<MainAction, const char *>> items;
    };
    const Section sections[] = {
        {"文件",
         {{MainAction::New, "新建"}, {MainAction::Open, "打开"}, {MainAction::Save, "保存"}}},
        {"编辑",
         {{MainAction::Read, "频率读出"},
          {MainAction::Write, "频率写入"},
          {MainAction::ChannelPage, "信道编辑"},
          {MainAction::OptionsPage, "功能选项"}}},
        {"退出", {{MainAction::Exit, "退出"}}},
    };
    for (const Section &section : sections) {
        auto *page = new QWidget;
        auto *items = new QVBoxLayout(page);
        items->setContentsMargins(2, 2, 2, 2);
        items->setSpacing(0);
        for (auto [id, text] : section.items) {
            auto *button = new QToolButton(page);
            button->setText(QString::fromUtf8(text));
            button->setToolTip(button->text());
            button->setIcon(action(id)->icon());
            button->setIconSize(QSize(32, 32));
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setAutoRaise(true);
            button->setFixedHeight(60);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            toolButtons_[static_cast<int>(id)] = button;
            QAction *target = action(id);
            connect(button, &QToolButton::clicked, target, &QAction::trigger);
            items->addWidget(button);
        }
        items->addStretch();
        toolBox_->addItem(page, QString::fromUtf8(section.title));
    }
    // The tool box wraps each section in a scroll area that would be a focus stop of its
    // own, showing nothing; the buttons inside are the stops.
    for (QWidget *area : toolBox_->findChildren<QAbstractScrollArea *>())
        area->setFocusPolicy(Qt::NoFocus);
    toolBox_->setCurrentIndex(0);

    portBox_ = new QGroupBox(QStringLiteral("通信端口"), column);
    portBox_->setObjectName(QStringLiteral("portBox"));
    auto *radios = new QVBoxLayout(portBox_);
    radios->setContentsMargins(8, 14, 4, 6);
    radios->setSpacing(4);
    auto *group = new QButtonGroup(portBox_);
    for (int port = 1; port <= kPortCount; ++port) {
        auto *radio = new QRadioButton(QStringLiteral("   COM%1").arg(port), portBox_);
        group->addButton(radio, port);
        radios->addWidget(radio);
        portRadios_[port - 1] = radio;
        connect(radio, &QRadioButton::toggled, this, [this, port](bool on) {
            if (on)
                choosePort(port);
        });
    }

    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(toolBox_, 1);
    layout->addWidget(portBox_);
    return column;
}

QWidget *MainWindow::buildCentre() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->setFixedWidth(553);

    auto *channelPage = new QWidget;
    grid_ = new ChannelGrid(&table_, &texts_, channelPage);
    grid_->setObjectName(QStringLiteral("grid"));
    connect(grid_, &ChannelGrid::errorReported, this, &MainWindow::reportError);
    connect(grid_, &ChannelGrid::noticeReported, this,
            [this](const QString &notice) { statusBar()->showMessage(notice, kNoticeMs); });
    grid_->channelModel()->setBandPlan(&bandPlan_);
    grid_->setAccessTexts(&accessTexts_);
    operations_ = std::make_unique<ChannelOperations>(table_, texts_, grid_->editController(),
                                                      settings_, bandPlan_);
    editActions_ = std::make_unique<EditActions>(*this);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    const char *const captions[kChannelButtonCount] = {"信道上移", "信道下移", "删除信道",
                                                       "自动添加", "清除信道"};
    const char *const names[kChannelButtonCount] = {"moveUp", "moveDown", "deleteChannel",
                                                    "autoFill", "clearChannels"};
    for (int i = 0; i < kChannelButtonCount; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        QPushButton *button = i == int(ChannelButton::AutoFill)
                                  ? new HoldButton(caption, channelPage)
                                  : new QPushButton(caption, channelPage);
        button->setObjectName(QString::fromLatin1(names[i]));
        // Reached by Tab; a click leaves the focus in the grid.
        button->setFocusPolicy(Qt::TabFocus);
        button->setToolTip(channelButtonToolTip(ChannelButton(i), caption));
        channelButtons_[i] = button;
        buttons->addWidget(button);
    }
    ChannelOperations *ops = operations_.get();
    EditActions *edit = editActions_.get();
    // Each button press is one undo step.
    connect(channelButton(ChannelButton::MoveUp), &QPushButton::clicked, this,
            [ops, edit] { edit->step(PackId::StepMoveUp, [ops] { ops->moveUp(); }); });
    connect(channelButton(ChannelButton::MoveDown), &QPushButton::clicked, this,
            [ops, edit] { edit->step(PackId::StepMoveDown, [ops] { ops->moveDown(); }); });
    connect(channelButton(ChannelButton::Delete), &QPushButton::clicked, this, [ops, edit] {
        edit->step(PackId::StepDeleteChannel, [ops] { ops->deleteCurrentChannel(); });
    });
    // Automatic filling runs while the button is held down: one step from press to release.
    auto *autoFill = static_cast<HoldButton *>(channelButton(ChannelButton::AutoFill));
    connect(autoFill, &HoldButton::held, this, [ops, edit] {
        edit->beginStep(PackId::StepAutoFill);
        ops->autoFillPressed();
    });
    connect(autoFill, &HoldButton::letGo, this, [ops, edit] {
        ops->autoFillReleased();
        edit->endStep();
    });
    addChannelButtonShortcuts(*this);
    connect(channelButton(ChannelButton::Clear), &QPushButton::clicked, this,
            &MainWindow::requestClearChannels);
    auto *channelLayout = new QVBoxLayout(channelPage);
    channelLayout->setContentsMargins(6, 6, 6, 6);
    channelLayout->setSpacing(6);
    channelLayout->addWidget(grid_, 1);
    channelLayout->addWidget(editActions_->findBar());
    channelLayout->addLayout(buttons);
    pages_->addTab(channelPage, QStringLiteral("信道编辑"));

    optionsPage_ = new OptionsPage(&settings_);
    pages_->addTab(optionsPage_, QStringLiteral("功能选项"));

    auto *otherPage = new QWidget;
    servicePanel_ = new ServicePanel(&settings_, &bandPlan_, otherPage);
    servicePanel_->setObjectName(QStringLiteral("servicePanel"));
    auto *otherLayout = new QVBoxLayout(otherPage);
    otherLayout->addWidget(servicePanel_);
    otherLayout->addStretch();
    // The service page is for the factory: it exists, but the program never shows it.
    servicePanel_->hide();
    servicePanel_->setEnabled(false);
    FileActions *files = fileActions_.get();
    connect(servicePanel_, &ServicePanel::bandAccepted, this, [files] { files->requestNewPlan(); });
    RadioActions *radio = radioActions_.get();
    connect(servicePanel_, &ServicePanel::serviceRequested, this,
            [radio](ServiceAction action) { radio->runService(action); });
    pages_->addTab(otherPage, QStringLiteral("其它功能"));

    pages_->setCurrentIndex(0);
    return pages_;
}

QWidget *MainWindow::buildRightColumn() {
    auto *column = new QWidget(this);
    column->setFixedWidth(113);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 16, 0, 16);
    layout->setSpacing(2);
    const std::pair<MainAction, const char *> items[] = {
        {MainAction::Read, "读频"}, {MainAction::Write, "写频"}, {MainAction::Exit, "退出"}};
    const char *const names[] = {"read", "write", "exit"};
    int i = 0;
    for (auto [id, text] : items) {
        auto *button = new QToolButton(column);
        button->setObjectName(QString::fromLatin1(names[i]) + QStringLiteral("Button"));
        button->setIcon(action(id)->icon());
        button->setIconSize(QSize(56, 56));
        button->setFixedSize(73, 73);
        button->setAutoRaise(true);
        auto *link = new LinkLabel(QString::fromUtf8(text), column);
        link->setObjectName(QString::fromLatin1(names[i]) + QStringLiteral("Link"));
        QAction *target = action(id);
        connect(button, &QToolButton::clicked, target, &QAction::trigger);
        connect(link, &LinkLabel::clicked, target, &QAction::trigger);
        sideButtons_[i] = button;
        sideLinks_[i] = link;
        layout->addWidget(button, 0, Qt::AlignHCenter);
        layout->addWidget(link, 0, Qt::AlignHCenter);
        layout->addStretch();
        ++i;
    }
    return column;
}

void MainWindow::attachDialogs(AboutDialog *about, TransferDialog *transfer,
                               WarningDialog *warning) {
    about_ = about;
    transfer_ = transfer;
    warning_ = warning;
    for (BlockingDialog *dialog :
         {static_cast<BlockingDialog *>(about), static_cast<BlockingDialog *>(transfer),
          static_cast<BlockingDialog *>(warning)})
        dialog->setMainWindow(this);
    connect(warning, &WarningDialog::confirmed, this, &MainWindow::confirmed);
    RadioActions *radio = radioActions_.get();
    connect(transfer, &TransferDialog::startRequested, this, [radio] { radio->runTransfer(); });
    connect(transfer, &QDialog::finished, this, [radio] { radio->closeTransferLink(); });
    for (QDialog *dialog : {static_cast<QDialog *>(about), static_cast<QDialog *>(transfer),
                            static_cast<QDialog *>(warning)})
        connect(dialog, &QDialog::finished, this, &MainWindow::focusGrid);
    applyAccessibleTexts(*this);
}

void MainWindow::focusGrid() {
    // Under a dialog that still holds the window the focus stays where it is; the last
    // one to close brings it home.
    if (!isEnabled() || !grid_->isVisibleTo(this))
        return;
    grid_->setFocus(Qt::OtherFocusReason);
}

namespace {

// The controls inside `container` that Tab stops on, in their present order.
QList<QWidget *> tabStopsIn(QWidget *container) {
    QList<QWidget *> stops;
    for (QWidget *w = container->nextInFocusChain(); w != container && container->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append(w);
    }
    return stops;
}

} // namespace

void MainWindow::orderTabStops() {
    QList<QWidget *> stops;
    for (MainAction id :
         {MainAction::New, MainAction::Open, MainAction::Save, MainAction::Read, MainAction::Write,
          MainAction::ChannelPage, MainAction::OptionsPage, MainAction::Exit})
        stops.append(toolButton(id));
    for (QRadioButton *radio : portRadios_)
        stops.append(radio);
    stops.append(pages_->tabBar());
    stops.append(grid_);
    stops.append(tabStopsIn(editActions_->findBar()));
    for (QPushButton *button : channelButtons_)
        stops.append(button);
    stops.append(tabStopsIn(optionsPage_));
    stops.append(tabStopsIn(servicePanel_));
    for (QToolButton *button : sideButtons_)
        stops.append(button);
    // The tab widget only passes the focus on to its tab bar; as a stop of its own it
    // would bring the tabs round a second time.
    pages_->setFocusPolicy(Qt::NoFocus);
    pages_->tabBar()->setFocusPolicy(Qt::TabFocus); // the line above passed NoFocus on
    // Qt ignores an order given to a control that takes no focus.
    for (qsizetype i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1], stops[i]);
}

AboutDialog *MainWindow::aboutDialog() const {
    return about_;
}

QToolButton *MainWindow::toolButton(MainAction action) const {
    return toolButtons_[static_cast<int>(action)];
}

QToolButton *MainWindow::sideButton(MainAction action) const {
    const int i = sideIndex(action);
    return i < 0 ? nullptr : sideButtons_[i];
}

LinkLabel *MainWindow::sideLink(MainAction action) const {
    const int i = sideIndex(action);
    return i < 0 ? nullptr : sideLinks_[i];
}

void MainWindow::choosePort(int port) {
    if (port < 1 || port > kPortCount)
        return;
    portAction(port)->setChecked(true);
    currentPort_ = port;
    // Checking the radio box runs this again; it then finds the box checked and stops.
    if (!portRadio(port)->isChecked())
        portRadio(port)->setChecked(true);
}

void MainWindow::chooseSkin(int skin) {
    if (!applySkin(skin))
        return;
    skinAction(skin)->setChecked(true);
    skin_ = skin;
    grid_->channelModel()->setOutOfBandColour(outOfBandColour(skin));
    grid_->useDesktopColours(skin == kSystemSkin);
}

void MainWindow::showPage(int page) {
    pages_->setCurrentIndex(page);
}

void MainWindow::assignPortDevices(const std::array<QString, kPortCount> &devices) {
    setPortDevices(devices);
    appSettings_.portDevices = devices;
    saveAppSettings();
}

void MainWindow::setPortDevices(const std::array<QString, kPortCount> &devices) {
    portDevices_ = devices;
    for (int port = 1; port <= kPortCount; ++port) {
        portAction(port)->setToolTip(devices[port - 1]);
        portRadio(port)->setToolTip(devices[port - 1]);
    }
}

void MainWindow::requestNewPlan() {
    fileActions_->requestNewPlan();
}

void MainWindow::openFile() {
    fileActions_->openFile();
}

void MainWindow::saveFile() {
    fileActions_->saveFile();
}

void MainWindow::chooseStartLanguage() {
    languageActions_->chooseStartLanguage();
}

void MainWindow::useLanguage(Language language) {
    languageActions_->useLanguage(language);
}

void MainWindow::requestClearChannels() {
    if (warning_)
        warning_->showMessage(texts_.msgConfirmTitle, texts_.msgConfirmClear,
                              DialogMode::ClearChannels);
}

void MainWindow::showAbout() {
    if (about_)
        about_->showBlocking();
}

void MainWindow::confirmed(DialogMode mode) {
    ChannelOperations *ops = operations_.get();
    if (mode == DialogMode::NewPlan) {
        editActions_->step(
            PackId::StepNewPlan, [ops] { ops->acceptNewPlan(); }, StepScope::Everything);
        document_->markNew();
    } else if (mode == DialogMode::ClearChannels) {
        editActions_->step(PackId::StepClearChannels, [ops] { ops->acceptClearChannels(); });
    }
}

void MainWindow::setCaption(const QString &caption) {
    document_->setCaption(caption);
}

QString MainWindow::caption() const {
    return document_->caption();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (!document_->mayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::retranslateDocument() {
    fileActions_->retranslate();
    document_->refresh();
    if (help_ && help_->isVisible())
        showHelp();
}

HelpWindow *MainWindow::helpWindow() const {
    return help_;
}

void MainWindow::showHelp() {
    if (!help_)
        help_ = new HelpWindow(this);
    const bool english = action(MainAction::English)->isChecked();
    help_->showGuide(english ? Language::English : Language::Chinese,
                     shellTexts_.document.helpTitle);
}

void MainWindow::reportError(const QString &message) {
    env_.reportError(message);
}

bool MainWindow::finishEditing() {
    CellEditController &editor = grid_->editController();
    if (editor.frequencyEditorVisible() && !editor.commitEdit())
        return false;
    editor.hideEditors();
    return true;
}

} // namespace vrx
