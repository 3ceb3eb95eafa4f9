#include "language_actions.h"

#include "channel_grid.h"
#include "i18n/initial_language.h"
#include "main_window.h"
#include "window_texts.h"

#include <QAction>
#include <QDir>

namespace vrx {

void LanguageActions::chooseStartLanguage() {
    const AppEnvironment &env = window_.environment();
    if (env.dataDir.isEmpty())
        return;
    const QString name =
        chooseInitialLanguage(QDir(env.dataDir).filePath(kInstallLogName), env.locale);
    useLanguage(languageFromName(name).value_or(Language::Chinese));
}

void LanguageActions::useLanguage(Language language) {
    QAction *chinese = window_.action(MainAction::Chinese);
    chinese->setChecked(language == Language::Chinese);
    window_.action(MainAction::English)->setChecked(language == Language::English);
    // A loaded pack replaces this caption with its own (id 24).
    chinese->setText(chineseItemCaption(language));
    const std::optional<LanguagePack> pack =
        switchLanguage(packName(language), window_.environment().dataDir, window_.texts(),
                       window_.settings(), window_.table());
    if (pack)
        applyPackToWindows(*pack, window_);
    window_.grid()->refreshToneList();
}

} // namespace vrx
