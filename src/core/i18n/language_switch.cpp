#include "i18n/language_switch.h"

#include "i18n/pack_application.h"
#include "i18n/value_translation.h"

namespace vrx {

QString packName(Language language) {
    return language == Language::English ? kEnglishPackName : kChinesePackName;
}

std::optional<Language> languageFromName(const QString &name) {
    if (name == kChinesePackName)
        return Language::Chinese;
    if (name == kEnglishPackName)
        return Language::English;
    return std::nullopt;
}

QString chineseItemCaption(Language language) {
    return language == Language::English ? QStringLiteral("chinese") : QStringLiteral("中文");
}

std::optional<LanguagePack> switchLanguage(const QString &name, const QString &directory,
                                           UiTexts &texts, RadioSettings &settings,
                                           ChannelTable &table) {
    std::optional<LanguagePack> pack = LanguagePack::load(directory, name);
    if (pack) {
        applyToTexts(*pack, texts);
        applyToOptionLists(*pack, settings);
        applyToHeaders(*pack, table);
    }
    translateValueCells(table, texts);
    return pack;
}

} // namespace vrx
