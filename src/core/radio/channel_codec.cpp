#include "radio/channel_codec.h"

#include "radio/radio_image.h"

namespace vrx {

namespace {

constexpr int kFrequencyTextLength = 9;
constexpr int kFlagsOffset = 12;
const QByteArray kNoFrequency(kFrequencyBytes, char(0xFF));
const QByteArray kNoTone(kToneBytes, char(0xFF));

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isOctal(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('7');
}

QChar hexDigit(int value) {
    return QLatin1Char("0123456789ABCDEF"[value & 0xF]);
}

quint8 byteOf(int high, int low) {
    return quint8((high << 4) | low);
}

// The tone word as four digits, most significant first.
QString toneWordDigits(const QByteArray &bytes) {
    const quint8 low = quint8(bytes.at(0));
    const quint8 high = quint8(bytes.at(1));
    const QChar digits[] = {hexDigit(high >> 4), hexDigit(high), hexDigit(low >> 4), hexDigit(low)};
    return QString(digits, 4);
}

bool isCtcssText(const QString &t) {
    // "NN.N", or "NNN.N" from 100 to 299.9 Hz: the first digit of the word is the kind.
    if (t.size() == 4)
        return isDigit(t[0]) && isDigit(t[1]) && t[2] == QLatin1Char('.') && isDigit(t[3]);
    if (t.size() == 5)
        return (t[0] == QLatin1Char('1') || t[0] == QLatin1Char('2')) && isDigit(t[1]) &&
               isDigit(t[2]) && t[3] == QLatin1Char('.') && isDigit(t[4]);
    return false;
}

bool isDcsText(const QString &t) {
    return t.size() == 5 && t[0] == QLatin1Char('D') && isOctal(t[1]) && isOctal(t[2]) &&
           isOctal(t[3]) && (t[4] == QLatin1Char('N') || t[4] == QLatin1Char('I'));
}

// A flag cell's bit, or nullopt when it holds neither text.
std::optional<int> flagBit(const QString &cell, const QString &oneText, const QString &zeroText) {
    if (cell == oneText)
        return 1;
    if (cell == zeroText)
        return 0;
    return std::nullopt;
}

QString cell(const ChannelRow &row, int column) {
    return row[column - 1];
}

} // namespace

std::optional<QByteArray> encodeFrequency(const QString &text) {
    if (text.isEmpty())
        return kNoFrequency;
    if (text.size() != kFrequencyTextLength || text[3] != QLatin1Char('.'))
        return std::nullopt;
    const QString digits = text.left(3) + text.mid(4);
    int nibbles[8];
    for (int i = 0; i < 8; ++i) {
        nibbles[i] = hexValue(digits[i]);
        if (nibbles[i] < 0)
            return std::nullopt;
    }
    // Digits A B C D E F G H are stored GH EF CD AB.
    QByteArray bytes(kFrequencyBytes, '\0');
    for (int b = 0; b < kFrequencyBytes; ++b)
        bytes[b] = char(byteOf(nibbles[6 - 2 * b], nibbles[7 - 2 * b]));
    return bytes;
}

QString decodeFrequency(const QByteArray &bytes) {
    if (bytes.size() < kFrequencyBytes || bytes.left(kFrequencyBytes) == kNoFrequency)
        return {};
    QString digits;
    for (int b = kFrequencyBytes - 1; b >= 0; --b) {
        const quint8 v = quint8(bytes.at(b));
        digits += hexDigit(v >> 4);
        digits += hexDigit(v);
    }
    return digits.left(3) + QLatin1Char('.') + digits.mid(3);
}

std::optional<QByteArray> encodeTone(const QString &text, const UiTexts &texts) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == texts.offText)
        return kNoTone;
    QString word; // four digits, most significant first
    if (isDcsText(t))
        word = (t[4] == QLatin1Char('I') ? QStringLiteral("C") : QStringLiteral("8")) + t.mid(1, 3);
    else if (isCtcssText(t) && t.size() == 5)
        word = t.left(3) + t[4];
    else if (isCtcssText(t))
        word = QLatin1Char('0') + t.left(2) + t[3];
    else
        return std::nullopt;
    QByteArray bytes(kToneBytes, '\0');
    bytes[0] = char(byteOf(hexValue(word[2]), hexValue(word[3])));
    bytes[1] = char(byteOf(hexValue(word[0]), hexValue(word[1])));
    return bytes;
}

QString decodeTone(const QByteArray &bytes, const UiTexts &texts) {
    if (bytes.size() < kToneBytes)
        return {};
    const QString w = toneWordDigits(bytes);
    switch (w[0].unicode()) {
    case 'F':
        return texts.offText;
    case '8':
        return QLatin1Char('D') + w.mid(1) + QLatin1Char('N');
    case 'C':
        return QLatin1Char('D') + w.mid(1) + QLatin1Char('I');
    case '1':
    case '2':
        return w.left(3) + QLatin1Char('.') + w[3];
    default:
        return w.mid(1, 2) + QLatin1Char('.') + w[3];
    }
}

std::optional<quint8> encodeFlags(const ChannelRow &row, const UiTexts &texts) {
    const QString power = cell(row, PowerCol);
    const QString bandwidth = cell(row, BandwidthCol);
    const QString scan = cell(row, ScanCol);
    const QString lock = cell(row, BusyLockCol);
    if (power.isEmpty() && bandwidth.isEmpty() && scan.isEmpty() && lock.isEmpty())
        return quint8(0xFF);
    const auto p = flagBit(power, texts.highText, texts.lowText);
    const auto b = flagBit(bandwidth, texts.wideText, texts.narrowText);
    const auto s = flagBit(scan, texts.onText, texts.offText);
    const auto l = flagBit(lock, texts.offText, texts.onText);
    if (!p || !b || !s || !l)
        return std::nullopt;
    return quint8(0xF0 | (*p << 3) | (*b << 2) | (*s << 1) | *l);
}

void decodeFlags(quint8 flags, const UiTexts &texts, ChannelRow &row) {
    row[PowerCol - 1] = (flags & 0x8) ? texts.highText : texts.lowText;
    row[BandwidthCol - 1] = (flags & 0x4) ? texts.wideText : texts.narrowText;
    row[ScanCol - 1] = (flags & 0x2) ? texts.onText : texts.offText;
    row[BusyLockCol - 1] = (flags & 0x1) ? texts.offText : texts.onText;
}

int findUnencodableColumn(const ChannelRow &row, const UiTexts &texts) {
    if (cell(row, RxFreqCol).isEmpty())
        return 0;
    for (int column : {RxFreqCol, RxToneCol, TxFreqCol, TxToneCol}) {
        const QString text = cell(row, column);
        const bool frequency = column == RxFreqCol || column == TxFreqCol;
        if (frequency ? !encodeFrequency(text) : !encodeTone(text, texts))
            return column;
    }
    if (!encodeFlags(row, texts)) {
        // Name the first flag cell that holds neither of its texts (an empty one among
        // filled ones counts).
        const std::pair<QString, QString> pairs[] = {{texts.highText, texts.lowText},
                                                     {texts.wideText, texts.narrowText},
                                                     {texts.onText, texts.offText},
                                                     {texts.offText, texts.onText}};
        for (int column = PowerCol; column <= BusyLockCol; ++column) {
            const auto &[one, zero] = pairs[column - PowerCol];
            if (!flagBit(cell(row, column), one, zero))
                return column;
        }
    }
    return 0;
}

std::optional<QByteArray> encodeChannel(const ChannelRow &row, const UiTexts &texts) {
    if (cell(row, RxFreqCol).isEmpty())
        return QByteArray(RadioImage::kRecordSize, char(0xFF));
    const auto rx = encodeFrequency(cell(row, RxFreqCol));
    const auto tx = encodeFrequency(cell(row, TxFreqCol));
    const auto rxTone = encodeTone(cell(row, RxToneCol), texts);
    const auto txTone = encodeTone(cell(row, TxToneCol), texts);
    const auto flags = encodeFlags(row, texts);
    if (!rx || !tx || !rxTone || !txTone || !flags)
        return std::nullopt;
    QByteArray record = *rx + *tx + *rxTone + *txTone;
    record.append(char(*flags));
    record.append(3, char(0xFF));
    return record;
}

ChannelRow decodeChannel(const QByteArray &record, const UiTexts &texts) {
    ChannelRow row;
    if (record.size() < RadioImage::kRecordSize)
        return row;
    row[RxFreqCol - 1] = decodeFrequency(record.left(kFrequencyBytes));
    if (row[RxFreqCol - 1].isEmpty())
        return row;
    row[TxFreqCol - 1] = decodeFrequency(record.mid(4, kFrequencyBytes));
    row[RxToneCol - 1] = decodeTone(record.mid(8, kToneBytes), texts);
    row[TxToneCol - 1] = decodeTone(record.mid(10, kToneBytes), texts);
    decodeFlags(quint8(record.at(kFlagsOffset)), texts, row);
    return row;
}

} // namespace vrx
