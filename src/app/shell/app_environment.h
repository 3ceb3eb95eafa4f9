#pragma once

#include "i18n/doctor_texts.h"
#include "i18n/line_texts.h"
#include "radio/connection_doctor.h"
#include "radio/port_diagnosis.h"
#include "radio/serial_link.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <memory>

namespace vrx {

enum class FileDialogKind { Open, Save };

// Where the program finds its files and how it reaches the world outside its windows.
// The hooks are empty by default and then do the ordinary thing (file dialog, serial
// port, message box); tests replace them.
struct AppEnvironment {
    // myini.ini; empty: the run neither reads nor writes settings.
    QString settingsPath;
    // False: the settings are read but the run leaves them as they were (a demo).
    bool keepSettings = true;
    // Folder of the language packs and of install.Log.
    QString dataDir;
    // The program's data folder (backups, autosave); empty: the run keeps neither.
    QString dataFolder;
    // Folder the file dialogs start in until a file has been chosen.
    QString documentsDir;
    QLocale locale = QLocale::system();

    // Asks for a channel file; `proposed` is the folder, or the folder and last name.
    // Returns the chosen path, empty when cancelled.
    std::function<QString(FileDialogKind kind, const QString &proposed)> chooseFile;
    // Opens `device` exclusively and closes it again; false (with the reason) when the
    // port is missing or held by another program.
    std::function<bool(const QString &device, QString *error)> probePort;
    // Why `device` did not open (`error` is the open's own text), found by looking at it.
    std::function<PortDiagnosis(const QString &device, const QString &error)> diagnosePort;
    // A link to `device`, not yet open.
    std::function<std::unique_ptr<SerialLink>(const QString &device)> makeLink;
    // The connection doctor's checks of `device` (the system's facts and a probe over
    // makeLink when empty). Runs on a worker thread.
    std::function<DoctorReport(const QString &device, const DoctorTexts &texts,
                               const LineTexts &lineTexts)>
        examinePort;
    // Shows an error that an action could not handle.
    std::function<void(const QString &message)> reportError;

    // The installed or portable program: settings, packs and install.Log where the
    // executable's folder says (see appSettingsPath and LanguagePack::dataDirectory).
    static AppEnvironment forApplication();
};

} // namespace vrx
