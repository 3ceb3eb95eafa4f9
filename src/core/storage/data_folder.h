#pragma once

#include <QString>

namespace vrx {

// The application's name as the data and configuration folders know it; the GUI and
// vrxctl both set it, so that they share one data folder.
inline const QString kApplicationName = QStringLiteral("VRX5800");

// The one place that knows where the program keeps its own data: backups of the plans
// it read, the autosave of the open plan and the lock that keeps two running programs
// from sharing one autosave.
class DataFolder {
public:
    // A data folder at `root` (tests pass a temporary folder).
    explicit DataFolder(QString root);
    // The user's data folder for "VRX5800": on Linux $XDG_DATA_HOME/VRX5800, by default
    // ~/.local/share/VRX5800. Needs a QCoreApplication named kApplicationName.
    static DataFolder standard();

    QString root() const { return root_; }
    QString backupsPath() const;
    // Autosave and lock of the n-th running program (1 for the first):
    // autosave.vrx and autosave.lock, then autosave-2.vrx and autosave-2.lock, ...
    QString autosavePath(int slot = 1) const;
    QString lockPath(int slot = 1) const;

    // Creates the root and the backups folder when missing. On failure returns false and
    // sets `reason`.
    bool ensureBackupsFolder(QString *reason) const;

private:
    QString root_;
};

} // namespace vrx
