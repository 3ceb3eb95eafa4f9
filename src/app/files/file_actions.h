#pragma once

#include "shell/app_environment.h"

#include <QString>

namespace vrx {

class MainWindow;

// New plan, open and save: the File menu's work over the window's plan.
class FileActions {
public:
    explicit FileActions(MainWindow &window) : window_(window) {}

    // Asks before a new plan replaces the channels and settings.
    void requestNewPlan();
    // Open and save a channel file through the file dialog.
    void openFile();
    void saveFile();
    // Opens the channel file at `path` as the window's plan, one undo step; a file that
    // does not parse is reported and changes nothing. True when it was opened.
    bool openPath(const QString &path);

private:
    QString chooseFile(FileDialogKind kind);

    MainWindow &window_;
    // Last file chosen in each dialog; the next one starts there.
    QString lastOpenPath_;
    QString lastSavePath_;
};

} // namespace vrx
