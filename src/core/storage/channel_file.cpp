#include "storage/channel_file.h"

#include "storage/atomic_write.h"
#include "storage/channel_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace vrx {

namespace {

const char *const kCodec = "GBK";
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// A channel file is about 16 KB; anything far larger is not one, and reading it whole
// would only cost memory.
constexpr qint64 kMaxFileSize = 1 << 20;

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// 0-based position of an option's index digit: the keyword, one blank, the digit.
int indexPosition(Option option) {
    return int(optionKey(option).size()) + 1;
}

// Drive value lines hold "high ", "low1 " or "low2 " and the number from column 6.
constexpr int kDriveValuePosition = 5;

// The file's text lines in order; the title, the band, the options and the drives, two
// empty lines, then one line per channel.
QStringList planLines(const ChannelPlan &plan) {
    QStringList lines;
    lines.reserve(kChannelFileLineCount);
    lines << kChannelFileTitle << QString() << QString();
    lines << QStringLiteral("BAND ") + plan.bandText;
    for (int i = 0; i < kOptionCount; ++i)
        lines << optionKey(optionAt(i)) + QLatin1Char(' ') + QString::number(plan.options[i]) +
                     QLatin1Char(' ') + plan.optionTexts[i];
    for (int i = 0; i < kDriveCount; ++i)
        lines << driveKey(static_cast<Drive>(i)) + QLatin1Char(' ') +
                     QString::number(plan.drives[i]);
    lines << QString() << QString();
    const QString separator = QStringLiteral(" | ");
    for (int n = 1; n <= kChannelCount; ++n) {
        QString line = QStringLiteral("CH%1").arg(n, 3, 10, QLatin1Char('0'));
        for (const QString &field : plan.channels[n - 1])
            line += separator + field;
        line += separator;
        lines << line;
    }
    return lines;
}

// Encodes the plan; `badLine` receives the first line GBK cannot hold (0 when none).
QByteArray encodePlan(const ChannelPlan &plan, int *badLine) {
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray bytes;
    bytes.reserve(20 * 1024);
    int lineNumber = 0;
    for (const QString &line : planLines(plan)) {
        ++lineNumber;
        bytes += encoder.encode(line);
        bytes += kLineEnd;
        if (badLine && *badLine == 0 && encoder.hasError())
            *badLine = lineNumber;
    }
    return bytes;
}

// Splits at LF and drops the CR of a CR LF; a last line without a line end still counts.
// Only the first kChannelFileLineCount lines are of interest.
QList<QByteArray> splitLines(const QByteArray &bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size() && lines.size() < kChannelFileLineCount) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

// A GBK character is one or two bytes; one byte the decoder refuses becomes U+FFFD in its
// place, so the characters after it keep their columns. A fresh decoder for every piece,
// so that an error can neither hide in nor reach into another line.
QString decodeLine(const QByteArray &bytes) {
    const auto decode = [](QByteArrayView piece, QString *out) {
        QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
        *out = decoder.decode(piece);
        return !decoder.hasError();
    };
    QString text;
    if (decode(bytes, &text))
        return text;
    text.clear();
    for (qsizetype at = 0; at < bytes.size();) {
        QString character;
        if (at + 1 < bytes.size() && decode(QByteArrayView(bytes).sliced(at, 2), &character) &&
            character.size() == 1) {
            at += 2;
        } else if (!decode(QByteArrayView(bytes).sliced(at, 1), &character) ||
                   character.size() != 1) {
            character = QChar(QChar::ReplacementCharacter);
            at += 1;
        } else {
            at += 1;
        }
        text += character;
    }
    return text;
}

// Decoded text without a byte the decoder could not read.
bool isText(const QString &decoded) {
    return !decoded.contains(QChar::ReplacementCharacter);
}

ChannelFileParse failure(int line, QString reason) {
    ChannelFileParse result;
    result.error = {line, std::move(reason)};
    return result;
}

} // namespace

QByteArray writeChannelFile(const ChannelPlan &plan) {
    return encodePlan(plan, nullptr);
}

ChannelFileParse parseChannelFile(const QByteArray &bytes) {
    const QList<QByteArray> raw = splitLines(bytes);
    // A file cut short would leave channels silently empty, so every line must be there.
    if (raw.size() < kChannelFileLineCount)
        return failure(int(raw.size()) + 1,
                       QStringLiteral("the file ends after %1 lines; a channel file has %2")
                           .arg(raw.size())
                           .arg(kChannelFileLineCount));

    // Every line is decoded, but only the characters the reader takes must be GBK text:
    // the title lines, the option texts after the index digit, the rest of the band line
    // and lines 28, 29 are never read, so bytes there that are no GBK cannot refuse a
    // file.
    QStringList lines(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i)
        lines[i] = decodeLine(raw[i]);
    auto line = [&](int number) -> const QString & { return lines.at(number - 1); };

    ChannelPlan plan;
    plan.bandText = line(4).mid(5, 10);
    if (!isText(plan.bandText))
        return failure(4, QStringLiteral("the band text is not GBK text"));

    for (int i = 0; i < kOptionCount; ++i) {
        const Option option = optionAt(i);
        const int number = 5 + i;
        const int pos = indexPosition(option);
        const QString &text = line(number);
        const QChar digit = text.size() > pos ? text.at(pos) : QChar();
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9'))
            return failure(number, QStringLiteral("the %1 index at column %2 is not a digit")
                                       .arg(optionKey(option))
                                       .arg(pos + 1));
        const int index = digit.unicode() - '0';
        const int count = int(builtInEntries(option).size());
        if (index >= count)
            return failure(number, QStringLiteral("the %1 index %2 is beyond its %3 entries")
                                       .arg(optionKey(option))
                                       .arg(index)
                                       .arg(count));
        plan.options[i] = index;
        plan.optionTexts[i] = text.mid(pos + 2);
    }

    for (int i = 0; i < kDriveCount; ++i) {
        const int number = 25 + i;
        // The value is read from up to three characters from column 6 on; what follows
        // them is not read ("high 2555" holds 255).
        const QString value = line(number).mid(kDriveValuePosition, 3);
        bool isNumber = !value.isEmpty();
        for (const QChar c : value)
            isNumber = isNumber && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const int drive = isNumber ? value.toInt() : -1;
        if (drive > kDriveMax || !isNumber)
            return failure(number, QStringLiteral("the %1 value \"%2\" is not a whole number "
                                                  "from 0 to %3")
                                       .arg(driveKey(static_cast<Drive>(i)), value)
                                       .arg(kDriveMax));
        plan.drives[i] = drive;
    }

    // Line 29 + n fills channel n whatever number the line carries.
    for (int n = 1; n <= kChannelCount; ++n) {
        const int number = kFirstChannelLine - 1 + n;
        const QString &text = line(number);
        if (!isText(text))
            return failure(number, QStringLiteral("the channel line is not GBK text"));
        auto read = readChannelLine(text);
        if (const auto *fault = std::get_if<ChannelLineFault>(&read))
            return failure(number, fault->reason);
        plan.channels[n - 1] = std::get<ChannelRow>(std::move(read));
    }

    ChannelFileParse result;
    result.plan = std::move(plan);
    return result;
}

ChannelFileLoad loadChannelFile(const QString &path) {
    ChannelFileLoad result;
    // Opening a fifo or a device would wait for a writer that may never come.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error =
            QStringLiteral("Cannot open %1: it is not a regular file").arg(displayPath(path));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error =
            QStringLiteral("Cannot open %1: %2").arg(displayPath(path), file.errorString());
        return result;
    }
    if (file.size() > kMaxFileSize) {
        result.error = QStringLiteral("Cannot open %1: the file is too large to be a channel file")
                           .arg(displayPath(path));
        return result;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize) {
        result.error = QStringLiteral("Cannot open %1: the file is too large to be a channel file")
                           .arg(displayPath(path));
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.error =
            QStringLiteral("Cannot read %1: %2").arg(displayPath(path), file.errorString());
        return result;
    }
    ChannelFileParse parsed = parseChannelFile(bytes);
    if (!parsed.ok()) {
        result.error = QStringLiteral("Cannot open %1: line %2: %3")
                           .arg(displayPath(path))
                           .arg(parsed.error.line)
                           .arg(parsed.error.reason);
        return result;
    }
    result.plan = std::move(parsed.plan);
    return result;
}

FileStatus openChannelFile(const QString &path, ChannelTable &table, RadioSettings &settings,
                           BandPlan &bands) {
    const ChannelFileLoad loaded = loadChannelFile(path);
    if (!loaded.ok())
        return FileStatus::failure(loaded.error);
    applyPlan(*loaded.plan, table, settings, bands);
    return FileStatus::success();
}

FileStatus encodeChannelFile(const QString &path, const ChannelPlan &plan, QByteArray *bytes) {
    int badLine = 0;
    *bytes = encodePlan(plan, &badLine);
    if (badLine != 0)
        return FileStatus::failure(
            QStringLiteral("Cannot save %1: line %2 holds text that a channel file (GBK) "
                           "cannot store")
                .arg(displayPath(path))
                .arg(badLine));
    return FileStatus::success();
}

FileStatus saveChannelFile(const QString &path, const ChannelPlan &plan) {
    QByteArray bytes;
    if (const FileStatus encoded = encodeChannelFile(path, plan, &bytes); !encoded)
        return encoded;
    QString reason;
    if (!writeAtomically(path, bytes, &reason))
        return FileStatus::failure(
            QStringLiteral("Cannot save %1: %2").arg(displayPath(path), reason));
    return FileStatus::success();
}

QString withChannelFileSuffix(const QString &chosenPath) {
    if (chosenPath.isEmpty() || QFileInfo(chosenPath).fileName().contains(QLatin1Char('.')))
        return chosenPath;
    return chosenPath + QLatin1Char('.') + kChannelFileSuffix;
}

QString openedFileCaption(const QString &bandText) {
    return QStringLiteral("VRX-428    [") + bandText + QLatin1Char(']');
}

} // namespace vrx
