#include "files/file_actions.h"

#include "dialogs/warning_dialog.h"
#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "i18n/value_translation.h"
#include "i18n/visible_text.h"
#include "shell/main_window.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"

namespace vrx {

void FileActions::requestNewPlan() {
    if (WarningDialog *warning = window_.warningDialog())
        warning->showMessage(window_.texts().msgConfirmTitle, window_.texts().msgConfirmNew,
                             DialogMode::NewPlan);
}

QString FileActions::chooseFile(FileDialogKind kind) {
    const AppEnvironment &env = window_.environment();
    const QString &last = kind == FileDialogKind::Open ? lastOpenPath_ : lastSavePath_;
    const QString path = env.chooseFile(kind, last.isEmpty() ? env.documentsDir : last);
    if (!path.isEmpty())
        (kind == FileDialogKind::Open ? lastOpenPath_ : lastSavePath_) = path;
    return path;
}

void FileActions::openFile() {
    const QString path = chooseFile(FileDialogKind::Open);
    if (path.isEmpty())
        return;
    openPath(path);
}

bool FileActions::openPath(const QString &path) {
    FileStatus status = FileStatus::success();
    window_.editActions().step(
        PackId::StepOpenFile,
        [this, &path, &status] {
            status = openChannelFile(path, window_.table(), window_.settings(), window_.bandPlan());
            if (status)
                // A plan saved under the other language reads in this one.
                translateValueCells(window_.table(), window_.texts());
        },
        StepScope::Everything);
    if (!status) {
        window_.reportError(status.message());
        return false;
    }
    // An editor left open would show, and on its next key write back, the old plan's text.
    window_.grid()->editController().hideEditors();
    window_.setWindowTitle(withVisibleControls(
        openedFileCaption(window_.bandPlan().displayedText(BandList::Band1Rx))));
    return true;
}

void FileActions::saveFile() {
    if (!window_.finishEditing())
        return;
    const QString chosen = chooseFile(FileDialogKind::Save);
    if (chosen.isEmpty())
        return;
    const QString path = withChannelFileSuffix(chosen);
    lastSavePath_ = path;
    const FileStatus status =
        saveChannelFile(path, capturePlan(window_.table(), window_.settings(), window_.bandPlan()));
    if (!status)
        window_.reportError(status.message());
}

} // namespace vrx
