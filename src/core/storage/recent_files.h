#pragma once

#include <QString>
#include <QStringList>

namespace vrx {

// The channel files used last, newest first, as the File menu lists them and myini.ini
// keeps them. A file appears once, by its absolute path; the oldest falls off the end.
class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    RecentFiles() = default;
    // A list as stored: empty entries, repeats and entries beyond kMaxFiles are dropped.
    explicit RecentFiles(const QStringList &paths);

    // `path` becomes the newest. A path that could not be stored as one line of the
    // settings file (a line break in it) is not taken.
    void add(const QString &path);
    // False when `path` was not in the list.
    bool remove(const QString &path);
    void clear() { paths_.clear(); }

    const QStringList &paths() const { return paths_; }
    bool isEmpty() const { return paths_.isEmpty(); }

    // The form a path is kept in: absolute and cleaned, so "a/../plan.vrx" and
    // "plan.vrx" are one file.
    static QString normalised(const QString &path);

private:
    QStringList paths_;
};

// The text of a recent-files menu item: "&n " and the path (native separators, a long
// one shortened in the middle), with any "&" doubled so that it shows as itself.
QString recentFileCaption(int number, const QString &path);

} // namespace vrx
