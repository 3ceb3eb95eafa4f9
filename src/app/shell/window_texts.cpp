#include "shell/window_texts.h"

#include "dialogs/about_dialog.h"
#include "dialogs/link_label.h"
#include "dialogs/warning_dialog.h"
#include "edit/channel_buttons.h"
#include "edit/options_page.h"
#include "files/interchange_actions.h"
#include "files/safety_actions.h"
#include "i18n/language_pack.h"
#include "radio/radio_actions.h"
#include "radio/service_panel.h"
#include "radio/transfer_dialog.h"
#include "shell/main_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBox>
#include <QToolButton>

namespace vrx {

QString withoutAccessKey(const QString &caption) {
    QString text = caption;
    // "(&A)" as Chinese captions write it, then a plain "&" before a letter.
    static const QRegularExpression bracketed(QStringLiteral("\\(&.\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

void applyPackToWindows(const LanguagePack &pack, MainWindow &w) {
    auto with = [&pack](PackId id, const auto &apply) {
        if (pack.has(id))
            apply(pack.text(id));
    };
    auto label = [&](PackId id, QLabel *target) {
        with(id, [target](const QString &t) { target->setText(t); });
    };
    auto button = [&](PackId id, QAbstractButton *target) {
        with(id, [target](const QString &t) {
            target->setText(t);
            if (!target->toolTip().isEmpty())
                target->setToolTip(t);
        });
    };
    auto action = [&](PackId id, QAction *target) {
        with(id, [target](const QString &t) { target->setText(t); });
    };
    auto menu = [&](PackId id, MainMenu m) {
        with(id, [&w, m](const QString &t) { w.menu(m)->setTitle(t); });
    };
    auto group = [&](PackId id, QGroupBox *target) {
        with(id, [target](const QString &t) { target->setTitle(t); });
    };

    // Main window frame.
    label(PackId::StatusText, w.statusLabel());
    label(PackId::LinkRead, w.sideLink(MainAction::Read));
    label(PackId::LinkWrite, w.sideLink(MainAction::Write));
    label(PackId::LinkExit, w.sideLink(MainAction::Exit));
    group(PackId::PortBoxTitle, w.portBox());

    // Main menu. The port items keep their "COM(&n)" captions in every language.
    menu(PackId::MenuFile, MainMenu::File);
    action(PackId::MenuNew, w.action(MainAction::New));
    action(PackId::MenuOpen, w.action(MainAction::Open));
    action(PackId::MenuSave, w.action(MainAction::Save));
    action(PackId::MenuExit, w.action(MainAction::Exit));
    menu(PackId::MenuEdit, MainMenu::Edit);
    action(PackId::MenuRead, w.action(MainAction::Read));
    action(PackId::MenuWrite, w.action(MainAction::Write));
    action(PackId::MenuChannelEdit, w.action(MainAction::ChannelPage));
    action(PackId::MenuFunctions, w.action(MainAction::OptionsPage));
    action(PackId::MenuOtherFunctions, w.action(MainAction::OtherPage));
    menu(PackId::MenuOptions, MainMenu::Options);
    menu(PackId::MenuPort, MainMenu::Port);
    menu(PackId::MenuSkin, MainMenu::Skin);
    action(PackId::MenuSkin1, w.skinAction(1));
    action(PackId::MenuSkin2, w.skinAction(2));
    action(PackId::MenuSkin3, w.skinAction(3));
    menu(PackId::MenuLanguage, MainMenu::Language);
    action(PackId::MenuChinese, w.action(MainAction::Chinese));
    action(PackId::MenuEnglish, w.action(MainAction::English));
    menu(PackId::MenuHelp, MainMenu::Help);
    action(PackId::MenuHelpContents, w.action(MainAction::Help));
    action(PackId::MenuAbout, w.action(MainAction::About));
    if (AboutDialog *about = w.aboutDialog())
        with(PackId::MenuAbout,
             [about](const QString &t) { about->setWindowTitle(withoutAccessKey(t)); });

    // Tool bar.
    const std::pair<PackId, int> sections[] = {
        {PackId::ToolFileTitle, 0}, {PackId::ToolEditTitle, 1}, {PackId::ToolExitTitle, 2}};
    for (auto [id, index] : sections)
        with(id, [&w, index = index](const QString &t) { w.toolBox()->setItemText(index, t); });
    const std::pair<PackId, MainAction> tools[] = {
        {PackId::ToolNew, MainAction::New},
        {PackId::ToolOpen, MainAction::Open},
        {PackId::ToolSave, MainAction::Save},
        {PackId::ToolRead, MainAction::Read},
        {PackId::ToolWrite, MainAction::Write},
        {PackId::ToolChannelPage, MainAction::ChannelPage},
        {PackId::ToolOptionsPage, MainAction::OptionsPage},
        {PackId::ToolExit, MainAction::Exit},
    };
    for (auto [id, target] : tools)
        button(id, w.toolButton(target));

    // Pages.
    const std::pair<PackId, int> tabs[] = {
        {PackId::ChannelTab, 0}, {PackId::OptionsTab, 1}, {PackId::OtherTab, 2}};
    for (auto [id, index] : tabs)
        with(id, [&w, index = index](const QString &t) { w.pages()->setTabText(index, t); });
    const std::pair<PackId, ChannelButton> channelButtons[] = {
        {PackId::AutoFillButton, ChannelButton::AutoFill},
        {PackId::ClearChannelsButton, ChannelButton::Clear},
        {PackId::ChannelUpButton, ChannelButton::MoveUp},
        {PackId::ChannelDownButton, ChannelButton::MoveDown},
        {PackId::DeleteChannelButton, ChannelButton::Delete}};
    for (auto [id, which] : channelButtons) {
        QPushButton *target = w.channelButton(which);
        with(id, [target, which](const QString &t) {
            target->setText(t);
            target->setToolTip(channelButtonToolTip(which, t));
        });
    }

    for (int i = 0; i < kOptionCount; ++i) {
        const Option option = optionAt(i);
        if (QLabel *caption = w.optionsPage()->label(option); caption && optionLabelId(option))
            label(PackId(optionLabelId(option)), caption);
    }

    ServicePanel *service = w.servicePanel();
    group(PackId::Band1BoxTitle, service->bandBox(0));
    group(PackId::Band2BoxTitle, service->bandBox(1));
    for (int band = 0; band < 2; ++band) {
        label(PackId::ReceiveLabel, service->receiveLabel(band));
        label(PackId::TransmitLabel, service->transmitLabel(band));
    }
    group(PackId::PowerBoxTitle, service->powerBox());
    // 89 is the visible low value (low2), 90 the hidden one (low1).
    label(PackId::LabelHighDrive, service->driveLabel(Drive::High));
    label(PackId::LabelLowDrive1, service->driveLabel(Drive::Low2));
    label(PackId::LabelLowDrive2, service->driveLabel(Drive::Low1));
    button(PackId::AgingButton, service->button(ServiceAction::StartAging));
    button(PackId::ReadDriveButton, service->button(ServiceAction::ReadPowerDrive));
    button(PackId::DefaultDriveButton, service->button(ServiceAction::DefaultPowerDrive));
    button(PackId::WriteDriveButton, service->button(ServiceAction::WritePowerDrive));

    // Dialogs.
    if (WarningDialog *warning = w.warningDialog()) {
        button(PackId::CancelButton, warning->cancelButton());
        button(PackId::OkButton, warning->okButton());
    }
    if (TransferDialog *transfer = w.transferDialog()) {
        button(PackId::CancelButton, transfer->closeButton());
        label(PackId::TransferStatusText, transfer->statusLabel());
        button(PackId::OkButton, transfer->startButton());
    }
    if (AboutDialog *about = w.aboutDialog()) {
        label(PackId::AboutProductLine, about->productLabel());
        label(PackId::AboutVersionLine, about->versionLabel());
        label(PackId::AboutRightsLine, about->rightsLabel());
        label(PackId::AboutCompanyLine, about->companyLabel());
        button(PackId::OkButton, about->okButton());
    }
    w.interchangeActions().applyPack(pack);

    // Backups, verified writes, comparison and recovery keep their own texts.
    w.safetyActions().applyPack(pack);
    w.radioActions().applyPack(pack);
}

} // namespace vrx
