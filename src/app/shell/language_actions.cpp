#include "shell/language_actions.h"

#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "files/backups_window.h"
#include "files/safety_actions.h"
#include "i18n/initial_language.h"
#include "radio/fleet_actions.h"
#include "radio/doctor_actions.h"
#include "radio/port_settings_actions.h"
#include "shell/accessible_texts.h"
#include "shell/main_window.h"
#include "shell/menu_access_keys.h"
#include "shell/window_texts.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>

namespace vrx {

void LanguageActions::chooseStartLanguage() {
    const AppEnvironment &env = window_.environment();
    if (env.dataDir.isEmpty())
        return;
    // The installer's log speaks only until the user has chosen.
    if (const std::optional<Language> chosen = languageFromName(window_.appSettings().language)) {
        useLanguage(*chosen);
        return;
    }
    const QString name =
        chooseInitialLanguage(QDir(env.dataDir).filePath(kInstallLogName), env.locale);
    useLanguage(languageFromName(name).value_or(Language::Chinese));
}

void LanguageActions::chooseLanguage(Language language) {
    useLanguage(language);
    window_.appSettings().language = packName(language);
    window_.saveAppSettings();
}

void LanguageActions::useLanguage(Language language) {
    QAction *chinese = window_.action(MainAction::Chinese);
    chinese->setChecked(language == Language::Chinese);
    window_.action(MainAction::English)->setChecked(language == Language::English);
    // A loaded pack replaces this caption with its own (id 24).
    chinese->setText(chineseItemCaption(language));
    // A switch changes words, not meaning: it is no undo step, and the steps kept take
    // the new words too.
    EditActions &edit = window_.editActions();
    edit.recordPendingEdits();
    const std::optional<LanguagePack> pack =
        switchLanguage(packName(language), window_.environment().dataDir, window_.texts(),
                       window_.settings(), window_.table());
    edit.history().translateValues(window_.texts());
    if (pack) {
        applyPackToWindows(*pack, window_);
        edit.applyPack(*pack);
        if (BackupsWindow *backups = window_.safetyActions().backupsWindow())
            backups->retranslate(edit.texts());
        applyToShellTexts(*pack, window_.shellTexts());
        window_.portSettingsActions().retranslate();
        window_.fleetActions().retranslate();
        window_.doctorActions().retranslate();
        window_.retranslateDocument();
        window_.accessTexts().apply(*pack);
    }
    // Qt's standard dialogs (file dialogs, message box buttons) in the same language.
    qtTranslation_.use(language);
    window_.grid()->refreshToneList();
    // The menu bar's own keys; each menu gets its items' keys as it opens.
    assignAccessKeys(window_.menuBar());
    applyAccessibleTexts(window_);
}

} // namespace vrx
