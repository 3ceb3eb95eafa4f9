#include "i18n/language_pack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace vrx {

namespace {

const QString kPackSuffix = QStringLiteral(".lng");
const QString kInstalledDataDir = QStringLiteral("../share/vrx5800");

bool isSafeName(const QString &name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    return pattern.match(name).hasMatch();
}

// The id before "=": plain ASCII digits with optional blanks around them, so
// "+5", "0x10" or "٣" are not taken for ids.
int parseId(QStringView field) {
    field = field.trimmed();
    if (field.isEmpty() || field.size() > 9)
        return 0;
    if (!std::all_of(field.begin(), field.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    return field.toInt();
}

// Cuts to the text limit without leaving half of a surrogate pair at the end.
QString limitLength(QStringView text) {
    if (text.size() <= kMaxPackTextLength)
        return text.toString();
    QStringView cut = text.left(kMaxPackTextLength);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut.toString();
}

} // namespace

QString LanguagePack::dataDirectory(const QString &executableDir) {
    const QString here = QDir::cleanPath(executableDir);
    for (const QString &name : {kChinesePackName, kEnglishPackName}) {
        if (QFileInfo(filePath(here, name)).isFile())
            return here;
    }
    return QDir::cleanPath(here + QLatin1Char('/') + kInstalledDataDir);
}

bool LanguagePack::isPortable(const QString &executableDir) {
    return !executableDir.isEmpty() &&
           dataDirectory(executableDir) == QDir::cleanPath(executableDir);
}

QString LanguagePack::filePath(const QString &directory, const QString &name) {
    if (!isSafeName(name))
        return {};
    return QDir(directory).filePath(name + kPackSuffix);
}

std::optional<LanguagePack> LanguagePack::load(const QString &directory, const QString &name) {
    const QString path = filePath(directory, name);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte over the cap tells fromUtf8 that the file went on.
    LanguagePack pack = fromUtf8(file.read(kMaxPackFileBytes + 1));
    pack.name_ = name;
    return pack;
}

LanguagePack LanguagePack::fromUtf8(const QByteArray &bytes) {
    QByteArray data = bytes;
    if (data.size() > kMaxPackFileBytes) {
        // Keep whole lines only: a line cut by the cap would give a wrong text.
        data.truncate(kMaxPackFileBytes);
        data.truncate(std::max<qsizetype>(data.lastIndexOf('\n'), 0));
    }
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);

    LanguagePack pack;
    const QString content = QString::fromUtf8(data);
    for (QStringView line : QStringView(content).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.front() == u'#')
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const int id = parseId(line.left(equals));
        const QStringView text = line.mid(equals + 1);
        if (!isValidId(id) || text.isEmpty())
            continue;
        // A later line for the same id wins, as in a settings file.
        pack.texts_[id - kFirstPackId] = limitLength(text);
    }
    return pack;
}

int LanguagePack::size() const {
    return int(std::count_if(texts_.begin(), texts_.end(),
                             [](const QString &text) { return !text.isEmpty(); }));
}

} // namespace vrx
