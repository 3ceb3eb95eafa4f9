#pragma once

#include "i18n/ui_texts.h"

#include <QObject>
#include <QString>

#include <array>

namespace vrx {

inline constexpr int kChannelCount = 199; // rows 1..199
inline constexpr int kFieldCount = 8;     // columns 1..8
inline constexpr int kColumnCount = 9;    // column 0 holds the channel number
inline constexpr int kRowCount = 200;     // row 0 holds the headers

// Grid columns; the row index is the channel number.
enum Column : int {
    NumberCol = 0,
    RxFreqCol = 1,
    RxToneCol = 2,
    TxFreqCol = 3,
    TxToneCol = 4,
    PowerCol = 5,
    BandwidthCol = 6,
    ScanCol = 7,
    BusyLockCol = 8,
};

// The eight field texts of one channel; index 0 is column 1 (RxFreq).
using ChannelRow = std::array<QString, kFieldCount>;

// The field's name for messages and comparisons: "RxFreq", "RxTone", ..., "BusyLock";
// empty outside columns 1..8.
QString fieldName(int column);

// The 199 x 8 cell texts of the channel plan plus the fixed numbers and headers.
// Every producer of channel data writes whole texts through this class.
class ChannelTable : public QObject {
    Q_OBJECT
public:
    explicit ChannelTable(QObject *parent = nullptr);

    static QString builtInHeader(int col);

    // col 0..8, row 0..199; out-of-range reads give an empty text.
    QString text(int col, int row) const;
    // Writes a channel cell (col 1..8, row 1..199); other cells are fixed and ignored.
    void setText(int col, int row, const QString &text);

    QString header(int col) const { return text(col, 0); }
    void setHeader(int col, const QString &text);

    ChannelRow row(int row) const;
    void setRow(int row, const ChannelRow &fields);
    void clearRow(int row);
    // Empties columns 1..8 of rows 1..199.
    void clearAll();

    bool isEmptyChannel(int row) const { return text(RxFreqCol, row).isEmpty(); }
    bool isPendingChannel(int row) const {
        return !isEmptyChannel(row) && text(RxToneCol, row).isEmpty();
    }
    // Defaults of a new channel; TxFreq takes the text now in RxFreq.
    void fillDefaults(int row, const UiTexts &texts);

signals:
    // Rows first..last (inclusive) changed; row 0 is the header row.
    void rowsChanged(int first, int last);

private:
    static bool isChannelCell(int col, int row) {
        return col >= 1 && col <= kFieldCount && row >= 1 && row <= kChannelCount;
    }
    std::array<std::array<QString, kColumnCount>, kRowCount> cells_;
};

} // namespace vrx
