#pragma once

#include "channels/cell_edit_controller.h"
#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace vrx {

// The operations of the channel page on the current channel and on the whole table: move
// up/down, delete, automatic filling, and the outcomes of the new-plan and clear-channels
// confirmations (the dialogs themselves belong to the GUI). They act on the editing state of
// the CellEditController and go through its commit and program moves.
class ChannelOperations : public QObject {
    Q_OBJECT
public:
    // Automatic filling: by default the first step follows this long after the press, the
    // next ones every kAutoFillRepeatMs while the button stays down.
    static constexpr int kAutoFillDelayMs = 1000;
    static constexpr int kAutoFillRepeatMs = 200;

    ChannelOperations(ChannelTable &table, const UiTexts &texts, CellEditController &editor,
                      RadioSettings &settings, const BandPlan &bands, QObject *parent = nullptr);

    // Exchanges the current channel with its neighbour and moves the selection with it.
    void moveUp();
    void moveDown();
    // Empties the current channel at once (no confirmation, no commit).
    void deleteCurrentChannel();

    // OK of the new-plan question: options and drive values to their defaults, every channel
    // emptied, the grid back on channel 1.
    void acceptNewPlan();
    // OK of the clear-channels question: every channel emptied, the grid back on channel 1,
    // both editors hidden; options untouched.
    void acceptClearChannels();

    // Automatic filling while the button is held: press, the timer's ticks, release.
    void autoFillPressed();
    void autoFillTick();
    void autoFillReleased();
    bool autoFillArmed() const { return timer_.isActive(); }
    int autoFillIntervalMs() const { return timer_.interval(); }
    // The delay after the press and the repeat interval (tests shorten them), each at least
    // 1 ms; they take effect at the next press or tick.
    void setAutoFillIntervals(int firstMs, int nextMs);

    // The frequency an empty channel starts from: the lower edge of Band1Rx's selected entry,
    // or that of the built-in default band when the list offers none.
    QString autoFillStartText() const;

private:
    void move(int delta);
    // Writes row + 1 from row's RxFreq plus the step; false (reported, filling stopped) when
    // row's RxFreq is not a number.
    bool advanceFrom(int row);
    void showCurrentFrequencyInEditor();

    ChannelTable &table_;
    const UiTexts &texts_;
    CellEditController &editor_;
    RadioSettings &settings_;
    const BandPlan &bands_;
    QTimer timer_;
    int firstIntervalMs_ = kAutoFillDelayMs;
    int nextIntervalMs_ = kAutoFillRepeatMs;
};

} // namespace vrx
