#include "storage/recent_files.h"

#include <QDir>
#include <QFileInfo>

namespace vrx {

namespace {

// Long enough for most paths, short enough for a menu on a small screen.
constexpr int kMaxCaptionPath = 70;

bool storable(const QString &path) {
    return !path.trimmed().isEmpty() && !path.contains(QLatin1Char('\n')) &&
           !path.contains(QLatin1Char('\r'));
}

} // namespace

RecentFiles::RecentFiles(const QStringList &paths) {
    // Oldest first, so that each add() leaves the stored order.
    for (auto it = paths.crbegin(); it != paths.crend(); ++it)
        add(*it);
    while (paths_.size() > kMaxFiles)
        paths_.removeLast();
}

QString RecentFiles::normalised(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void RecentFiles::add(const QString &path) {
    if (!storable(path))
        return;
    const QString kept = normalised(path);
    paths_.removeAll(kept);
    paths_.prepend(kept);
    while (paths_.size() > kMaxFiles)
        paths_.removeLast();
}

bool RecentFiles::remove(const QString &path) {
    return paths_.removeAll(normalised(path)) > 0;
}

QString recentFileCaption(int number, const QString &path) {
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > kMaxCaptionPath) {
        const int keep = (kMaxCaptionPath - 1) / 2;
        shown = shown.left(keep) + QChar(0x2026) + shown.right(keep);
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // Items 1 to 9 get their digit as access key.
    return number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(shown)
                       : QStringLiteral("%1 %2").arg(number).arg(shown);
}

} // namespace vrx
