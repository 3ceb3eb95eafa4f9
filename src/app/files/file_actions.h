#pragma once

#include "shell/app_environment.h"

#include <QString>

class QAction;
class QMenu;

namespace vrx {

class MainWindow;
class RecentFilesMenu;

// New plan, open, save and save as: the File menu's work over the window's plan. The
// plan remembers its file, so Save writes there; the files used last are offered again.
class FileActions {
public:
    explicit FileActions(MainWindow &window);
    ~FileActions();

    // The added group at the end of the File menu: Save As and the recent files.
    void addFileMenuItems(QMenu *file);
    QAction *saveAsAction() const { return saveAs_; }
    RecentFilesMenu *recentFilesMenu() const { return recent_; }
    // Shortcuts of the specified New, Open and Save.
    void addShortcuts();

    // Asks before a new plan replaces the channels and settings.
    void requestNewPlan();
    // Open a channel file through the file dialog, or a known one (a recent file).
    void openFile();
    // Opens the channel file at `path` as the window's plan, one undo step; a file that
    // does not parse is reported and changes nothing. True when it was opened.
    bool openPath(const QString &path);
    // Saves to the plan's file; a plan without one asks for a name first. True when the
    // plan was saved.
    bool saveFile();
    // Always asks for a name.
    bool saveFileAs();

    // Where a file dialog starts that has not been used in this run: the folder of the
    // file last chosen (kept between runs), else the documents folder.
    QString startFolder() const;
    // A file was chosen in a dialog: its folder is where the next run's dialogs start.
    void noteFolderOf(const QString &path);
    // Takes the texts of the plan as a document from the window (after a pack load).
    void retranslate();

private:
    QString chooseFile(FileDialogKind kind);
    bool saveTo(const QString &path);
    void remember(const QString &path);

    MainWindow &window_;
    // Last file chosen in each dialog; the next one starts there.
    QString lastOpenPath_;
    QString lastSavePath_;
    QAction *saveAs_ = nullptr;
    RecentFilesMenu *recent_ = nullptr;
};

} // namespace vrx
