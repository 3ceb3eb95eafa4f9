#pragma once

#include "i18n/language_switch.h"
#include "shell/qt_translation.h"

namespace vrx {

class MainWindow;

// The language of the windows, the text slots and the grid's value words.
class LanguageActions {
public:
    explicit LanguageActions(MainWindow &window) : window_(window) {}

    // Starts in the language the user chose last (myini.ini), else the one install.Log
    // (else the locale) names, and loads its pack; with no data folder the built-in
    // Chinese captions stay and no language is marked.
    void chooseStartLanguage();
    // The user's choice from the Language menu: used at once and kept in myini.ini.
    void chooseLanguage(Language language);
    // Marks the language, loads its pack into the slots, lists and captions, and
    // translates the value words in the grid.
    void useLanguage(Language language);

    const QtTranslation &qtTranslation() const { return qtTranslation_; }

private:
    MainWindow &window_;
    QtTranslation qtTranslation_;
};

} // namespace vrx
