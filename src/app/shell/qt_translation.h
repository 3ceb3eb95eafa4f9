#pragma once

#include "i18n/language_switch.h"

#include <QString>
#include <QTranslator>

namespace vrx {

// Qt's own texts (the standard dialogs' labels and buttons) in the program's language:
// Qt's Chinese catalogue is installed while the language is Chinese and removed for
// English, whose texts Qt has built in.
class QtTranslation {
public:
    // `directory` holds Qt's catalogues (qtbase_zh_CN.qm); by default Qt's own folder.
    explicit QtTranslation(const QString &directory = defaultDirectory());
    ~QtTranslation();

    QtTranslation(const QtTranslation &) = delete;
    QtTranslation &operator=(const QtTranslation &) = delete;

    // False when Chinese is asked for and no catalogue is there (Qt then stays English).
    bool use(Language language);
    bool installed() const { return installed_; }

    static QString defaultDirectory();

private:
    QString directory_;
    QTranslator translator_;
    bool loaded_ = false;
    bool installed_ = false;
};

} // namespace vrx
