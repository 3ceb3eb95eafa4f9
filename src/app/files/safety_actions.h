#pragma once

#include "files/safety_texts.h"
#include "storage/backups.h"
#include "storage/data_folder.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace vrx {

class BackupsWindow;
class LanguagePack;
class MainWindow;

// The File menu's "Backups…" and "Compare with file…", the backup of every read, and
// the texts of all that keeps the user's data safe.
class SafetyActions {
public:
    explicit SafetyActions(MainWindow &window);

    // A separated group at the end of the File menu.
    void addFileMenuItems(QMenu *file);
    QAction *backupsAction() const { return backups_; }
    QAction *compareAction() const { return compare_; }

    // Opens the backups window (the list of backups, with Open, Compare and Show folder).
    void showBackups();
    // Opens the backups folder in the desktop's file manager; where the desktop cannot,
    // says where the folder is.
    void openBackupsFolder();
    // Asks for a channel file and shows how it differs from the window's plan.
    void compareWithFile();
    // Shows how the channel file at `path` differs from the window's plan.
    void comparePathWithPlan(const QString &path);
    // The backups window, once opened (for the tests).
    BackupsWindow *backupsWindow() const { return backupsWindow_; }

    // The data folder of this run; nullopt when the run keeps no data (tests, screenshots).
    std::optional<DataFolder> dataFolder() const;
    // Keeps `plan` among the backups; the notice to show when that failed, else empty.
    QString backUp(BackupKind kind, const ChannelPlan &plan);

    SafetyTexts &texts() { return texts_; }
    void applyPack(const LanguagePack &pack);

    // How a folder is shown to the user; tests replace it.
    std::function<bool(const QUrl &)> openUrl;

private:
    void retranslate();

    MainWindow &window_;
    SafetyTexts texts_;
    QAction *backups_ = nullptr;
    QAction *compare_ = nullptr;
    QString lastComparePath_;
    BackupsWindow *backupsWindow_ = nullptr;
};

} // namespace vrx
