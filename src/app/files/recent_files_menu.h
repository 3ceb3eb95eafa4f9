#pragma once

#include <QObject>
#include <QString>

class QMenu;

namespace vrx {

class MainWindow;

// The File menu's "Recent files": the newest eight channel files, one item each, and an
// item that clears the list. A file that is gone when chosen is taken off the list.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // The submenu is made for `fileMenu`, which the caller adds it to.
    RecentFilesMenu(MainWindow &window, QMenu *fileMenu);

    QMenu *menu() const { return menu_; }
    // Builds the items from the window's settings; also each time the menu opens.
    void rebuild();
    void openRecent(const QString &path);

private:
    MainWindow &window_;
    QMenu *menu_;
};

} // namespace vrx
