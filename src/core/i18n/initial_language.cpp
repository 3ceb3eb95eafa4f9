#include "i18n/initial_language.h"

#include "i18n/language_pack.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace vrx {

namespace {

// Only the second line matters; a real log has it within its first few hundred bytes.
constexpr qint64 kMaxLogBytes = 64 * 1024;

// The first two complete lines of the log (fewer if it has fewer). A line ends at
// CR LF, LF or a lone CR; a break at the very end adds no empty line.
QStringList leadingLines(const QString &path) {
    // Anything but a regular file (a fifo would block the start) counts as no log.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.read(kMaxLogBytes + 1);
    const bool cut = data.size() > kMaxLogBytes;
    QString text = QString::fromUtf8(data.left(kMaxLogBytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // The last piece is incomplete when the read was cut, and empty after a final break.
    if (cut || lines.last().isEmpty())
        lines.removeLast();
    return lines.mid(0, 2);
}

} // namespace

QString languageForLocale(const QLocale &locale) {
    return locale.language() == QLocale::Chinese ? kChinesePackName : kEnglishPackName;
}

QString chooseInitialLanguage(const QString &installLogPath, const QLocale &locale) {
    const QStringList lines = leadingLines(installLogPath);
    if (lines.size() < 2)
        return languageForLocale(locale);
    return lines[1] == QLatin1String("Title:  Installation") ? kEnglishPackName : kChinesePackName;
}

} // namespace vrx
