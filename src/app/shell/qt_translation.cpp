#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace vrx {

QtTranslation::QtTranslation(const QString &directory) : directory_(directory) {}

QtTranslation::~QtTranslation() {
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

QString QtTranslation::defaultDirectory() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslation::use(Language language) {
    if (language != Language::Chinese) {
        if (installed_)
            QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
        return true;
    }
    if (!loaded_)
        loaded_ = translator_.load(QStringLiteral("qtbase_zh_CN"), directory_);
    if (loaded_ && !installed_)
        installed_ = QCoreApplication::installTranslator(&translator_);
    return installed_;
}

} // namespace vrx
