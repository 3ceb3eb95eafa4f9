#include "radio/verify.h"

#include "radio/channel_codec.h"
#include "radio/radio_image.h"
#include "radio/settings_codec.h"

namespace vrx {

namespace {

constexpr int kTxFreqOffset = 4;
constexpr int kRxToneOffset = 8;
constexpr int kTxToneOffset = 10;
constexpr int kFlagsOffset = 12;

QString shownFrequency(const QByteArray &bytes) {
    const QString text = decodeFrequency(bytes);
    return text.isEmpty() ? QStringLiteral("(empty)") : text;
}

bool isErased(const QByteArray &record) {
    return record.left(kFrequencyBytes) == QByteArray(kFrequencyBytes, char(0xFF));
}

void compareRecord(int channel, const QByteArray &wrote, const QByteArray &holds,
                   const UiTexts &texts, QList<VerifyDifference> &out) {
    if (holds.size() != RadioImage::kRecordSize) {
        out.append({channel, QStringLiteral("record"), QStringLiteral("16 bytes"),
                    QStringLiteral("nothing readable")});
        return;
    }
    if (isErased(wrote) && isErased(holds))
        return;
    struct Span {
        int column;
        int offset;
        int size;
        bool frequency;
    };
    for (const Span &span : {Span{RxFreqCol, 0, kFrequencyBytes, true},
                             Span{TxFreqCol, kTxFreqOffset, kFrequencyBytes, true},
                             Span{RxToneCol, kRxToneOffset, kToneBytes, false},
                             Span{TxToneCol, kTxToneOffset, kToneBytes, false}}) {
        const QByteArray a = wrote.mid(span.offset, span.size);
        const QByteArray b = holds.mid(span.offset, span.size);
        if (a == b)
            continue;
        out.append({channel, fieldName(span.column),
                    span.frequency ? shownFrequency(a) : decodeTone(a, texts),
                    span.frequency ? shownFrequency(b) : decodeTone(b, texts)});
    }
    ChannelRow wroteFlags;
    ChannelRow holdsFlags;
    decodeFlags(quint8(wrote.at(kFlagsOffset)), texts, wroteFlags);
    decodeFlags(quint8(holds.at(kFlagsOffset)), texts, holdsFlags);
    for (int col = PowerCol; col <= BusyLockCol; ++col) {
        if (wroteFlags[col - 1] != holdsFlags[col - 1])
            out.append({channel, fieldName(col), wroteFlags[col - 1], holdsFlags[col - 1]});
    }
}

void compareSettings(const QByteArray &wrote, const QByteArray &holds,
                     QList<VerifyDifference> &out) {
    if (holds.size() != RadioImage::kBlockSize) {
        out.append({0, QStringLiteral("SettingsBlock"), QStringLiteral("8 bytes"),
                    QStringLiteral("nothing readable")});
        return;
    }
    // A nibble that names no entry decodes as -1 here, so it can never pass for a value.
    OptionIndexes none;
    none.fill(-1);
    const OptionIndexes a = decodeSettingsBlock(wrote, none);
    const OptionIndexes b = decodeSettingsBlock(holds, none);
    for (int i = 0; i < kOptionCount; ++i) {
        if (a[i] == b[i])
            continue;
        const auto shown = [](int index) {
            return index < 0 ? QStringLiteral("(invalid)") : QString::number(index);
        };
        out.append({0, optionKey(optionAt(i)), shown(a[i]), shown(b[i])});
    }
}

} // namespace

QString VerifyDifference::line() const {
    const QString prefix =
        channel > 0 ? QStringLiteral("CH%1 ").arg(channel, 3, 10, QLatin1Char('0')) : QString();
    return prefix + field + QStringLiteral(": wrote ") + wrote + QStringLiteral(", radio holds ") +
           holds;
}

std::optional<WrittenImage> writtenImage(const ChannelTable &table, const RadioSettings &settings,
                                         const UiTexts &texts) {
    WrittenImage image;
    for (int n = 1; n <= kChannelCount; ++n) {
        const std::optional<QByteArray> record = encodeChannel(table.row(n), texts);
        if (!record)
            return std::nullopt;
        image.records[n - 1] = *record;
    }
    image.settingsBlock = encodeSettingsBlock(settings.indexes());
    return image;
}

QList<VerifyDifference> compareWithRadio(const WrittenImage &written, const RadioReadBack &holds,
                                         const UiTexts &texts) {
    QList<VerifyDifference> differences;
    for (int n = 1; n <= kChannelCount; ++n)
        compareRecord(n, written.records[n - 1], holds.records[n - 1], texts, differences);
    compareSettings(written.settingsBlock, holds.settingsBlock, differences);
    return differences;
}

VerifyResult verifyWrite(SerialLink &link, const WrittenImage &written, const UiTexts &texts,
                         const TransferProgress &progress, const StopRequest &stop) {
    VerifyResult result;
    RadioReadBack holds;
    result.readBack = readRadioBlocks(link, holds, progress, stop);
    if (!result.readBack.ok())
        return result;
    // A step the read may skip (the settings block) without a valid reply leaves nothing to
    // compare: the radio could not be read back, which says nothing about what it holds.
    QStringList unread;
    for (int n = 1; n <= kChannelCount; ++n) {
        if (holds.records[n - 1].size() != RadioImage::kRecordSize)
            unread << QStringLiteral("CH%1").arg(n, 3, 10, QLatin1Char('0'));
    }
    if (holds.settingsBlock.size() != RadioImage::kBlockSize)
        unread << QStringLiteral("SettingsBlock");
    if (!unread.isEmpty()) {
        result.readBack.status = TransferStatus::NoResponse;
        result.readBack.detail =
            QStringLiteral("no valid reply to the read back of %1").arg(unread.join(u", "));
        return result;
    }
    result.differences = compareWithRadio(written, holds, texts);
    return result;
}

QStringList differenceLines(const QList<VerifyDifference> &differences, int limit) {
    QStringList lines;
    for (const VerifyDifference &difference : differences.mid(0, limit))
        lines << difference.line();
    if (differences.size() > limit)
        lines << QStringLiteral("... and %1 more differences").arg(differences.size() - limit);
    return lines;
}

} // namespace vrx
