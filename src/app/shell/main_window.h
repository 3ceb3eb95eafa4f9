#pragma once

#include "channels/channel_table.h"
#include "dialogs/warning_dialog.h"
#include "i18n/access_texts.h"
#include "i18n/language_switch.h"
#include "i18n/ui_texts.h"
#include "radio/service_panel.h"
#include "radio/transfer_dialog.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"
#include "shell/app_environment.h"
#include "shell/shell_texts.h"
#include "storage/app_settings.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolBox;
class QToolButton;

namespace vrx {

class AboutDialog;
class ChannelGrid;
class ChannelOperations;
class EditActions;
class FileActions;
class FleetActions;
class InterchangeActions;
class LanguageActions;
class PortSettingsActions;
class DoctorActions;
class LinkLabel;
class OptionsPage;
class HelpWindow;
class PlanDocument;
class Recovery;
class SafetyActions;
class RadioActions;

enum class MainAction : int {
    New,
    Open,
    Save,
    Exit,
    Read,
    Write,
    ChannelPage,
    OptionsPage,
    OtherPage,
    Chinese,
    English,
    Help,
    About,
};
inline constexpr int kMainActionCount = 13;

enum class MainMenu : int { File, Edit, Options, Port, Skin, Language, Help };
inline constexpr int kMainMenuCount = 7;

// The buttons under the grid.
enum class ChannelButton : int { MoveUp, MoveDown, Delete, AutoFill, Clear };
inline constexpr int kChannelButtonCount = 5;

// The programmer's single main window. It owns the channel plan, the radio settings and
// the band lists, and shows them on three pages; the dialogs read and write them here.
// It builds and wires the widgets; the file, radio, language and editing work lives in the
// action classes beside it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 793;
    static constexpr int kHeight = 546;
    // How long a notice of an edit stays in the status line.
    static constexpr int kNoticeMs = 10000;

    // Reads myini.ini (when the environment names one) and applies port, skin, band lists
    // and port devices.
    explicit MainWindow(const AppEnvironment &environment = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Writes port, skin, band lists, port devices and the chosen language back to myini.ini
    // (at each such choice and at the end); a failure is reported once.
    void saveAppSettings();
    const AppEnvironment &environment() const { return env_; }

    // The three dialogs are created after the main window and live as long as it does.
    void attachDialogs(AboutDialog *about, TransferDialog *transfer, WarningDialog *warning);

    ChannelTable &table() { return table_; }
    RadioSettings &settings() { return settings_; }
    BandPlan &bandPlan() { return bandPlan_; }
    UiTexts &texts() { return texts_; }
    ShellTexts &shellTexts() { return shellTexts_; }
    AccessTexts &accessTexts() { return accessTexts_; }

    int currentPort() const { return currentPort_; }
    int skin() const { return skin_; }

    // Port n (1..4): checks its menu item and its radio box, whichever was used.
    void choosePort(int port);
    // Skin n (1..3, or kSystemSkin) for every window of the program.
    void chooseSkin(int skin);
    // Page 0..2 of the centre.
    void showPage(int page);
    // The device each port item stands for, shown as the item's tool tip.
    void setPortDevices(const std::array<QString, kPortCount> &devices);
    QString portDevice(int port) const { return portDevices_.at(port - 1); }
    std::array<QString, kPortCount> portDevices() const { return portDevices_; }
    // A mapping the user chose (port settings): shown at once and saved with the settings.
    void assignPortDevices(const std::array<QString, kPortCount> &devices);

    void requestNewPlan();
    void requestClearChannels();
    void showAbout();

    // Shows an error that an action could not handle (the environment's report).
    void reportError(const QString &message);

    // The specified caption ("VRX-5800", or the opened file's band); the title adds the
    // plan's name and its modified mark (see PlanDocument).
    void setCaption(const QString &caption);
    QString caption() const;
    PlanDocument &planDocument() { return *document_; }
    // After a pack load: the title's name, Save As, recent files and an open guide.
    void retranslateDocument();
    // Help > Help… (F1): the user guide in the window's language.
    void showHelp();
    HelpWindow *helpWindow() const;

    // The start language and a language switch (see LanguageActions).
    void chooseStartLanguage();
    void useLanguage(Language language);

    // Open and save a channel file through the file dialog (see FileActions).
    void openFile();
    void saveFile();

    // The keyboard's home: the grid's current cell, where a closed dialog gives the focus
    // back so that the next Enter does no harm on a button.
    void focusGrid();

    // Commits an edit in progress and hides the editors; false when the commit failed
    // (the error has been reported) and the action must stop.
    bool finishEditing();

    ChannelOperations &channelOperations() { return *operations_; }
    EditActions &editActions() { return *editActions_; }
    FileActions &fileActions() { return *fileActions_; }
    InterchangeActions &interchangeActions() { return *interchangeActions_; }
    RadioActions &radioActions() { return *radioActions_; }
    LanguageActions &languageActions() { return *languageActions_; }
    SafetyActions &safetyActions() { return *safetyActions_; }
    Recovery &recovery() { return *recovery_; }
    // What goes back to myini.ini at the end of the run.
    AppSettings &appSettings() { return appSettings_; }
    PortSettingsActions &portSettingsActions() { return *portSettingsActions_; }
    FleetActions &fleetActions() { return *fleetActions_; }
    DoctorActions &doctorActions() { return *doctorActions_; }

    // Widgets, for the language packs and the tests.
    QAction *action(MainAction action) const { return actions_[static_cast<int>(action)]; }
    QAction *portAction(int port) const { return portActions_.at(port - 1); }
    QAction *skinAction(int skin) const { return skinActions_.at(skin - 1); }
    QMenu *menu(MainMenu menu) const { return menus_[static_cast<int>(menu)]; }
    QToolBox *toolBox() const { return toolBox_; }
    // The tool bar's item for New, Open, Save, Read, Write, ChannelPage, OptionsPage or
    // Exit; nullptr for the others.
    QToolButton *toolButton(MainAction action) const;
    QGroupBox *portBox() const { return portBox_; }
    QRadioButton *portRadio(int port) const { return portRadios_.at(port - 1); }
    QTabWidget *pages() const { return pages_; }
    ChannelGrid *grid() const { return grid_; }
    QPushButton *channelButton(ChannelButton button) const {
        return channelButtons_[static_cast<int>(button)];
    }
    OptionsPage *optionsPage() const { return optionsPage_; }
    ServicePanel *servicePanel() const { return servicePanel_; }
    // The big buttons of the right column and the links under them: Read, Write, Exit.
    QToolButton *sideButton(MainAction action) const;
    LinkLabel *sideLink(MainAction action) const;
    QLabel *statusLabel() const { return status_; }

    AboutDialog *aboutDialog() const;
    TransferDialog *transferDialog() const { return transfer_; }
    WarningDialog *warningDialog() const { return warning_; }

protected:
    // Exit and the window's close button: a modified plan is not closed without asking.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    QWidget *buildLeftColumn();
    QWidget *buildCentre();
    QWidget *buildRightColumn();
    QAction *makeAction(MainAction id, const QString &text);
    // Tab order as the window is drawn: left column, page tabs, grid, channel buttons,
    // right column.
    void orderTabStops();

    void confirmed(DialogMode mode);
    void setDefaultHooks();
    void loadAppSettings();

    AppEnvironment env_;
    AppSettings appSettings_;
    bool settingsFileRefused_ = false;
    bool settingsSaveFailed_ = false;

    ChannelTable table_;
    RadioSettings settings_;
    BandPlan bandPlan_;
    UiTexts texts_;
    ShellTexts shellTexts_;
    AccessTexts accessTexts_;
    int currentPort_ = 1;
    int skin_ = 0;
    std::array<QString, kPortCount> portDevices_;

    std::array<QAction *, kMainActionCount> actions_{};
    std::array<QAction *, kPortCount> portActions_{};
    std::array<QAction *, kSystemSkin> skinActions_{};
    std::array<QMenu *, kMainMenuCount> menus_{};
    QToolBox *toolBox_ = nullptr;
    std::array<QToolButton *, kMainActionCount> toolButtons_{};
    QGroupBox *portBox_ = nullptr;
    std::array<QRadioButton *, kPortCount> portRadios_{};
    QTabWidget *pages_ = nullptr;
    ChannelGrid *grid_ = nullptr;
    std::array<QPushButton *, kChannelButtonCount> channelButtons_{};
    OptionsPage *optionsPage_ = nullptr;
    ServicePanel *servicePanel_ = nullptr;
    std::array<QToolButton *, 3> sideButtons_{};
    std::array<LinkLabel *, 3> sideLinks_{};
    QLabel *status_ = nullptr;

    std::unique_ptr<ChannelOperations> operations_;
    std::unique_ptr<FileActions> fileActions_;
    // Made with the grid; it views the plan, so it goes first.
    std::unique_ptr<EditActions> editActions_;
    // A QObject child of the window (it filters the grid's keys).
    InterchangeActions *interchangeActions_ = nullptr;
    std::unique_ptr<RadioActions> radioActions_;
    std::unique_ptr<LanguageActions> languageActions_;
    std::unique_ptr<SafetyActions> safetyActions_;
    std::unique_ptr<Recovery> recovery_;
    std::unique_ptr<PortSettingsActions> portSettingsActions_;
    std::unique_ptr<FleetActions> fleetActions_;
    std::unique_ptr<DoctorActions> doctorActions_;
    // QObject children of the window.
    PlanDocument *document_ = nullptr;
    QPointer<HelpWindow> help_;

    QPointer<AboutDialog> about_;
    QPointer<TransferDialog> transfer_;
    QPointer<WarningDialog> warning_;
};

} // namespace vrx
