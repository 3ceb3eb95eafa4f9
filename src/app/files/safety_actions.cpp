#include "files/safety_actions.h"

#include "dialogs/plan_diff_dialog.h"
#include "dialogs/warning_dialog.h"
#include "edit/edit_actions.h"
#include "files/backups_window.h"
#include "files/file_actions.h"
#include "shell/main_window.h"
#include "storage/backups.h"
#include "storage/channel_file.h"
#include "storage/plan_diff.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QTableWidget>

namespace vrx {

SafetyActions::SafetyActions(MainWindow &window)
    : openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }), window_(window) {}

void SafetyActions::addFileMenuItems(QMenu *file) {
    file->addSeparator();
    backups_ = file->addAction(texts_.menuBackups);
    backups_->setObjectName(QStringLiteral("backups"));
    compare_ = file->addAction(texts_.menuCompare);
    compare_->setObjectName(QStringLiteral("compareWithFile"));
    QObject::connect(backups_, &QAction::triggered, &window_, [this] { showBackups(); });
    QObject::connect(compare_, &QAction::triggered, &window_, [this] { compareWithFile(); });
}

std::optional<DataFolder> SafetyActions::dataFolder() const {
    const QString root = window_.environment().dataFolder;
    if (root.isEmpty())
        return std::nullopt;
    return DataFolder(root);
}

void SafetyActions::showBackups() {
    const std::optional<DataFolder> folder = dataFolder();
    const EditTexts &texts = window_.editActions().texts();
    if (!folder) {
        window_.reportError(texts.text(PackId::MsgNoBackupsKept));
        return;
    }
    if (!backupsWindow_) {
        backupsWindow_ = new BackupsWindow(*folder, texts, &window_);
        QObject::connect(backupsWindow_, &BackupsWindow::openRequested, &window_,
                         [this](const QString &path) {
                             if (window_.finishEditing() && window_.fileActions().openPath(path))
                                 backupsWindow_->close();
                         });
        QObject::connect(backupsWindow_, &BackupsWindow::compareRequested, &window_,
                         [this](const QString &path) { comparePathWithPlan(path); });
        QObject::connect(backupsWindow_, &BackupsWindow::showFolderRequested, &window_,
                         [this] { openBackupsFolder(); });
    }
    backupsWindow_->retranslate(texts);
    backupsWindow_->refresh();
    backupsWindow_->show();
    backupsWindow_->raise();
    backupsWindow_->activateWindow();
    // The keys go to the list: arrows choose, Enter opens.
    backupsWindow_->table()->setFocus(Qt::ActiveWindowFocusReason);
}

void SafetyActions::openBackupsFolder() {
    const std::optional<DataFolder> folder = dataFolder();
    const EditTexts &texts = window_.editActions().texts();
    QString reason;
    if (!folder) {
        window_.reportError(texts.text(PackId::MsgNoBackupsKept));
        return;
    }
    // A first look before any read finds the folder too.
    if (!folder->ensureBackupsFolder(&reason)) {
        window_.reportError(reason);
        return;
    }
    if (!openUrl(QUrl::fromLocalFile(folder->backupsPath())))
        window_.reportError(texts.text(PackId::MsgFolderNotShown)
                                .arg(QDir::toNativeSeparators(folder->backupsPath())));
}

QString SafetyActions::backUp(BackupKind kind, const ChannelPlan &plan) {
    const std::optional<DataFolder> folder = dataFolder();
    if (!folder)
        return {};
    const BackupResult result = saveBackup(*folder, kind, plan);
    return result.ok() ? QString() : texts_.msgBackupFailed.arg(result.error);
}

void SafetyActions::compareWithFile() {
    if (!window_.finishEditing())
        return;
    const AppEnvironment &env = window_.environment();
    const QString path = env.chooseFile(
        FileDialogKind::Open,
        lastComparePath_.isEmpty() ? window_.fileActions().startFolder() : lastComparePath_);
    if (path.isEmpty())
        return;
    lastComparePath_ = path;
    window_.fileActions().noteFolderOf(path);
    comparePathWithPlan(path);
}

void SafetyActions::comparePathWithPlan(const QString &path) {
    if (!window_.finishEditing())
        return;
    const ChannelFileLoad load = loadChannelFile(path);
    if (!load.ok()) {
        window_.reportError(load.error);
        return;
    }
    const ChannelPlan mine = capturePlan(window_.table(), window_.settings(), window_.bandPlan());
    const QList<PlanDifference> differences = comparePlans(mine, *load.plan, window_.texts());
    if (differences.isEmpty()) {
        if (WarningDialog *warning = window_.warningDialog())
            warning->showMessage(texts_.compareTitle, texts_.msgPlansEqual, DialogMode::Notice);
        return;
    }
    auto *dialog = new PlanDiffDialog(
        differences, texts_.compareTitle,
        {texts_.compareWhat, texts_.compareThisPlan, texts_.compareTheFile}, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void SafetyActions::applyPack(const LanguagePack &pack) {
    texts_.apply(pack);
    retranslate();
}

void SafetyActions::retranslate() {
    if (backups_)
        backups_->setText(texts_.menuBackups);
    if (compare_)
        compare_->setText(texts_.menuCompare);

    if (TransferDialog *transfer = window_.transferDialog()) {
        transfer->backupCheck()->setText(texts_.checkBackupFirst);
        transfer->verifyCheck()->setText(texts_.checkVerify);
    }
}

} // namespace vrx
