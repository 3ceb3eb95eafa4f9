#pragma once

#include <QLocale>
#include <QString>

namespace vrx {

// The installer's log, looked for in the data directory.
inline const QString kInstallLogName = QStringLiteral("install.Log");

// Pack name ("chn" or "eng") to start with. A log with at least two lines decides:
// English exactly when its second line is "Title:  Installation" (whole line,
// case-sensitive), else Chinese. Without a readable log of two lines the system
// locale decides (Chinese for a Chinese locale, else English); that is never an
// error, since a portable or packaged install has no installer log.
QString chooseInitialLanguage(const QString &installLogPath, const QLocale &locale);

// "chn" for any Chinese locale, "eng" otherwise.
QString languageForLocale(const QLocale &locale);

} // namespace vrx
