#include "files/file_actions.h"

#include "dialogs/warning_dialog.h"
#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "files/plan_document.h"
#include "files/recent_files_menu.h"
#include "i18n/value_translation.h"
#include "i18n/visible_text.h"
#include "shell/main_window.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"
#include "storage/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace vrx {

FileActions::FileActions(MainWindow &window) : window_(window) {}

FileActions::~FileActions() = default;

void FileActions::addFileMenuItems(QMenu *file) {
    const DocumentTexts &texts = window_.shellTexts().document;
    file->addSeparator();
    saveAs_ = file->addAction(texts.menuSaveAs);
    saveAs_->setObjectName(QStringLiteral("saveAs"));
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QObject::connect(saveAs_, &QAction::triggered, &window_, [this] { saveFileAs(); });
    recent_ = new RecentFilesMenu(window_, file);
    file->addMenu(recent_->menu());
}

void FileActions::addShortcuts() {
    // The menu items hold them, so the keys work wherever the focus is in the window.
    window_.action(MainAction::New)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    window_.action(MainAction::Open)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    window_.action(MainAction::Save)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
}

void FileActions::retranslate() {
    if (saveAs_)
        saveAs_->setText(window_.shellTexts().document.menuSaveAs);
    if (recent_)
        recent_->rebuild();
}

void FileActions::requestNewPlan() {
    if (WarningDialog *warning = window_.warningDialog())
        warning->showMessage(window_.texts().msgConfirmTitle, window_.texts().msgConfirmNew,
                             DialogMode::NewPlan);
}

QString FileActions::startFolder() const {
    const QString last = window_.appSettings().lastFolder;
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return window_.environment().documentsDir;
}

QString FileActions::chooseFile(FileDialogKind kind) {
    const AppEnvironment &env = window_.environment();
    const QString &last = kind == FileDialogKind::Open ? lastOpenPath_ : lastSavePath_;
    const QString path = env.chooseFile(kind, last.isEmpty() ? startFolder() : last);
    if (!path.isEmpty())
        (kind == FileDialogKind::Open ? lastOpenPath_ : lastSavePath_) = path;
    return path;
}

void FileActions::noteFolderOf(const QString &path) {
    window_.appSettings().lastFolder = QFileInfo(path).absolutePath();
}

void FileActions::remember(const QString &path) {
    AppSettings &settings = window_.appSettings();
    RecentFiles recent(settings.recentFiles);
    recent.add(path);
    settings.recentFiles = recent.paths();
    noteFolderOf(path);
}

void FileActions::openFile() {
    const QString path = chooseFile(FileDialogKind::Open);
    if (!path.isEmpty())
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
    window_.setCaption(withVisibleControls(
        openedFileCaption(window_.bandPlan().displayedText(BandList::Band1Rx))));
    window_.planDocument().markFile(path);
    remember(path);
    return true;
}

bool FileActions::saveFile() {
    const QString path = window_.planDocument().path();
    if (path.isEmpty())
        return saveFileAs();
    return window_.finishEditing() && saveTo(path);
}

bool FileActions::saveFileAs() {
    if (!window_.finishEditing())
        return false;
    const QString chosen = chooseFile(FileDialogKind::Save);
    if (chosen.isEmpty())
        return false;
    const QString path = withChannelFileSuffix(chosen);
    lastSavePath_ = path;
    return saveTo(path);
}

bool FileActions::saveTo(const QString &path) {
    const FileStatus status =
        saveChannelFile(path, capturePlan(window_.table(), window_.settings(), window_.bandPlan()));
    if (!status) {
        window_.reportError(status.message());
        return false;
    }
    window_.planDocument().markFile(path);
    remember(path);
    return true;
}

} // namespace vrx
