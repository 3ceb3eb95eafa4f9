#include "files/recent_files_menu.h"

#include "files/file_actions.h"
#include "shell/main_window.h"
#include "storage/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace vrx {

RecentFilesMenu::RecentFilesMenu(MainWindow &window, QMenu *fileMenu)
    : QObject(fileMenu), window_(window), menu_(new QMenu(fileMenu)) {
    menu_->setObjectName(QStringLiteral("recentFiles"));
    menu_->setToolTipsVisible(true);
    // Built as it opens, never while one of its items is being triggered.
    connect(menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

void RecentFilesMenu::rebuild() {
    const DocumentTexts &texts = window_.shellTexts().document;
    menu_->setTitle(texts.menuRecentFiles);
    menu_->clear();
    const QStringList paths = window_.appSettings().recentFiles;
    int number = 0;
    for (const QString &path : paths) {
        QAction *item = menu_->addAction(recentFileCaption(++number, path));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (paths.isEmpty()) {
        menu_->addAction(texts.recentEmpty)->setEnabled(false);
        return;
    }
    menu_->addSeparator();
    QAction *clear = menu_->addAction(texts.menuClearRecent);
    clear->setObjectName(QStringLiteral("clearRecentFiles"));
    connect(clear, &QAction::triggered, this,
            [this] { window_.appSettings().recentFiles.clear(); });
}

void RecentFilesMenu::openRecent(const QString &path) {
    if (!QFileInfo(path).isFile()) {
        RecentFiles recent(window_.appSettings().recentFiles);
        recent.remove(path);
        window_.appSettings().recentFiles = recent.paths();
        window_.reportError(
            window_.shellTexts().document.msgRecentMissing.arg(QDir::toNativeSeparators(path)));
        return;
    }
    window_.fileActions().openPath(path);
}

} // namespace vrx
