#pragma once

#include "storage/app_settings.h"

#include <QString>

#include <optional>

namespace vrx {

// Where vrxctl finds what the GUI finds: the settings file (myini.ini with the band
// lists and the ports section), the language packs and the installer's log.
QString toolDirectory();
// Beside the executable in a portable copy (the packs beside it) whose folder is
// writable, else the user config folder.
QString defaultSettingsPath();
QString packDirectory();
// "chn" or "eng", chosen as the GUI chooses at start-up.
QString defaultLanguageName();

// The settings from `explicitPath`, or from the default place when it is empty. A
// missing default file gives the defaults (a first run); a missing explicit file is
// an error, since the user named it.
std::optional<AppSettings> loadToolSettings(const QString &explicitPath, QString *error);

// The device behind a PORT argument: "COM1".."COM4" (any case) through the settings
// file's ports section, anything else is taken as a device path. Empty (with `error`)
// when a COM port has no device configured.
QString resolvePort(const QString &port, const AppSettings &settings, QString *error);
// 1..4 for a PORT argument "COM1".."COM4" (any case), else 0.
int comItemNumber(const QString &port);

} // namespace vrx
