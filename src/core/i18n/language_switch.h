#pragma once

#include "channels/channel_table.h"
#include "i18n/language_pack.h"
#include "i18n/ui_texts.h"
#include "settings/radio_settings.h"

#include <QString>

#include <optional>

namespace vrx {

enum class Language { Chinese, English };

QString packName(Language language); // "chn" or "eng"
// For "chn" and "eng" (as typed, e.g. by `--lang`); nullopt for anything else.
std::optional<Language> languageFromName(const QString &name);

// Caption of the menu item `chinese` right after a switch: "中文" or "chinese".
// A loaded pack then replaces it with its id 24.
QString chineseItemCaption(Language language);

// Everything a language switch changes outside the windows: loads pack `name`
// from `directory`; when it loads, puts its texts into the slots, the option lists
// and the grid headers; then translates the value cells to the slots. With no pack
// the slots keep their texts and the cells are still brought in line with them.
// Returns the pack so the caller can set its captions, or nullopt when missing.
std::optional<LanguagePack> switchLanguage(const QString &name, const QString &directory,
                                           UiTexts &texts, RadioSettings &settings,
                                           ChannelTable &table);

} // namespace vrx
