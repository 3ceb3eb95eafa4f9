#include "channels/channel_table.h"

namespace vrx {

namespace {
const char *const kBuiltInHeaders[kColumnCount] = {
    "信道",     "接收频率", "QT/DQT解码", "发射频率", "QT/DQT编码",
    "发射功率", "宽/窄带",  "扫描",       "繁忙锁定",
};
} // namespace

ChannelTable::ChannelTable(QObject *parent) : QObject(parent) {
    for (int col = 0; col < kColumnCount; ++col)
        cells_[0][col] = builtInHeader(col);
    for (int row = 1; row <= kChannelCount; ++row)
        cells_[row][0] = QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0'));
}

QString fieldName(int column) {
    static const char *const names[] = {"RxFreq", "RxTone",    "TxFreq", "TxTone",
                                        "Power",  "Bandwidth", "Scan",   "BusyLock"};
    if (column < RxFreqCol || column > BusyLockCol)
        return {};
    return QString::fromLatin1(names[column - 1]);
}

QString ChannelTable::builtInHeader(int col) {
    if (col < 0 || col >= kColumnCount)
        return {};
    return QString::fromUtf8(kBuiltInHeaders[col]);
}

QString ChannelTable::text(int col, int row) const {
    if (col < 0 || col >= kColumnCount || row < 0 || row >= kRowCount)
        return {};
    return cells_[row][col];
}

void ChannelTable::setText(int col, int row, const QString &text) {
    if (!isChannelCell(col, row) || cells_[row][col] == text)
        return;
    cells_[row][col] = text;
    emit rowsChanged(row, row);
}

void ChannelTable::setHeader(int col, const QString &text) {
    if (col < 0 || col >= kColumnCount || cells_[0][col] == text)
        return;
    cells_[0][col] = text;
    emit rowsChanged(0, 0);
}

ChannelRow ChannelTable::row(int row) const {
    ChannelRow fields;
    for (int col = 1; col <= kFieldCount; ++col)
        fields[col - 1] = text(col, row);
    return fields;
}

void ChannelTable::setRow(int row, const ChannelRow &fields) {
    if (row < 1 || row > kChannelCount)
        return;
    bool changed = false;
    for (int col = 1; col <= kFieldCount; ++col) {
        if (cells_[row][col] != fields[col - 1]) {
            cells_[row][col] = fields[col - 1];
            changed = true;
        }
    }
    if (changed)
        emit rowsChanged(row, row);
}

void ChannelTable::clearRow(int row) {
    setRow(row, ChannelRow{});
}

void ChannelTable::clearAll() {
    for (int row = 1; row <= kChannelCount; ++row)
        for (int col = 1; col <= kFieldCount; ++col)
            cells_[row][col].clear();
    emit rowsChanged(1, kChannelCount);
}

void ChannelTable::fillDefaults(int row, const UiTexts &texts) {
    if (row < 1 || row > kChannelCount)
        return;
    ChannelRow fields = this->row(row);
    fields[TxFreqCol - 1] = fields[RxFreqCol - 1];
    fields[RxToneCol - 1] = texts.offText;
    fields[TxToneCol - 1] = texts.offText;
    fields[PowerCol - 1] = texts.highText;
    fields[BandwidthCol - 1] = texts.wideText;
    fields[ScanCol - 1] = texts.onText;
    fields[BusyLockCol - 1] = texts.offText;
    setRow(row, fields);
}

} // namespace vrx
