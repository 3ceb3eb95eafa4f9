#include "channels/channel_operations.h"

#include "channels/frequency.h"

#include <algorithm>

namespace vrx {

namespace {

bool isFrequencyColumn(int col) {
    return col == RxFreqCol || col == TxFreqCol;
}

bool isThreeDigits(const QString &text) {
    if (text.size() != 3)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

ChannelOperations::ChannelOperations(ChannelTable &table, const UiTexts &texts,
                                     CellEditController &editor, RadioSettings &settings,
                                     const BandPlan &bands, QObject *parent)
    : QObject(parent), table_(table), texts_(texts), editor_(editor), settings_(settings),
      bands_(bands) {
    connect(&timer_, &QTimer::timeout, this, &ChannelOperations::autoFillTick);
}

void ChannelOperations::moveUp() {
    move(-1);
}

void ChannelOperations::moveDown() {
    move(+1);
}

void ChannelOperations::move(int delta) {
    const int col = editor_.currentCol();
    const int from = editor_.currentRow();
    if (!editor_.commitCell())
        return;
    const int to = from + delta;
    if (to >= 1 && to <= kChannelCount) {
        // Taken before the move's activation, which may switch a field of the target row;
        // that switch is thereby undone.
        const ChannelRow remembered = table_.row(to);
        editor_.selectCell(col, to);
        if (!table_.text(col, from).isEmpty()) {
            table_.setRow(to, table_.row(from));
            table_.setRow(from, remembered);
            // An open picker would otherwise show, and on leaving write back, the tone the
            // row held before the exchange.
            editor_.refreshTonePicker();
        }
    }
    showCurrentFrequencyInEditor();
}

void ChannelOperations::deleteCurrentChannel() {
    editor_.deleteCurrentChannel();
}

void ChannelOperations::acceptNewPlan() {
    editor_.setFrequencyEditorText(QString());
    settings_.resetToDefaults();
    table_.clearAll();
    editor_.selectColumn(RxFreqCol);
    editor_.selectRow(1);
}

void ChannelOperations::acceptClearChannels() {
    table_.clearAll();
    editor_.selectColumn(RxFreqCol);
    editor_.selectRow(1);
    editor_.hideEditors();
}

QString ChannelOperations::autoFillStartText() const {
    const QString lower = bands_.displayedText(BandList::Band1Rx).left(3);
    return isThreeDigits(lower) ? lower : kDefaultBandText.left(3);
}

void ChannelOperations::setAutoFillIntervals(int firstMs, int nextMs) {
    // A zero interval would tick whenever the event loop is idle.
    firstIntervalMs_ = std::max(1, firstMs);
    nextIntervalMs_ = std::max(1, nextMs);
}

void ChannelOperations::autoFillPressed() {
    timer_.start(firstIntervalMs_);
    const int row = editor_.currentRow();
    if (table_.isEmptyChannel(row)) {
        table_.setText(RxFreqCol, row, autoFillStartText());
        editor_.normaliseFrequencyCell(RxFreqCol, row); // three digits always read
        table_.fillDefaults(row, texts_);
        editor_.selectCell(editor_.currentCol(), row);
    } else if (table_.isPendingChannel(row)) {
        if (!editor_.commitCell()) {
            // Every tick would report the same text again.
            timer_.stop();
            return;
        }
    } else if (row < kChannelCount) {
        if (!advanceFrom(row))
            return;
    }
    showCurrentFrequencyInEditor();
}

void ChannelOperations::autoFillTick() {
    if (!timer_.isActive())
        return; // a tick queued before the release
    timer_.setInterval(nextIntervalMs_);
    const int row = editor_.currentRow();
    if (row >= kChannelCount)
        return; // stays armed until the release
    if (!advanceFrom(row))
        return;
    showCurrentFrequencyInEditor();
}

void ChannelOperations::autoFillReleased() {
    timer_.stop();
}

bool ChannelOperations::advanceFrom(int row) {
    const QString text = table_.text(RxFreqCol, row);
    const auto units = parseFrequencyUnits(text);
    if (!units) {
        editor_.reportInvalidFrequency(row, text);
        timer_.stop();
        return false;
    }
    const qint64 step = frequencyStepHz(settings_.index(Option::FreqStep)) / 10;
    const int next = row + 1;
    // CurrentRow moves first, so the program move below commits the new row, not this one.
    editor_.setCurrentRow(next);
    table_.setText(RxFreqCol, next, formatFrequencyUnits(*units + step));
    editor_.normaliseFrequencyCell(RxFreqCol, next);
    table_.fillDefaults(next, texts_);
    editor_.selectCell(editor_.currentCol(), next);
    return true;
}

void ChannelOperations::showCurrentFrequencyInEditor() {
    const int col = editor_.currentCol();
    if (isFrequencyColumn(col))
        editor_.setFrequencyEditorText(table_.text(col, editor_.currentRow()));
}

} // namespace vrx
