#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace vrx {

// The twenty list options, in channel-file order. The value of an option is the
// zero-based index of its selected entry; the entry texts only display it.
enum class Option : int {
    APO,
    BEEP,
    BatSave,
    ScanKind, // "scankind"
    Ring,     // hidden
    Scramble,
    VfoMr,     // "VFO/MR"
    MrDisplay, // "MR freq./MR CH"
    Squelch,
    VoxControl,
    TxTimeout, // "TxT.O.T"
    KeySwitch, // "keyswitch"
    SwitchUp,  // "Switch.U.P"
    DownFreq,
    BroadBand, // hidden
    SpreadFreq,
    Band,     // "band"
    FreqStep, // "Freq.Step"
    TxLight,  // "Txlight"
    RxLight,  // "Rxlight"
};
inline constexpr int kOptionCount = 20;

// The three power amplifier drive values, in channel-file order.
enum class Drive : int { High, Low1, Low2 };
inline constexpr int kDriveCount = 3;
inline constexpr int kDriveMax = 255;

using OptionIndexes = std::array<int, kOptionCount>;
using DriveValues = std::array<int, kDriveCount>;

inline Option optionAt(int i) {
    return static_cast<Option>(i);
}
inline int indexOf(Option o) {
    return static_cast<int>(o);
}

// Channel-file keyword of an option ("APO", "VFO/MR", "MR freq./MR CH", ...).
QString optionKey(Option option);
// Keyword of a drive value ("high", "low1", "low2").
QString driveKey(Drive drive);
// Built-in (Chinese) caption of the option's label; empty for Ring.
QString optionCaption(Option option);
QStringList builtInEntries(Option option);
int defaultIndex(Option option);
bool isShown(Option option); // false for Ring and BroadBand
OptionIndexes defaultOptionIndexes();
DriveValues defaultDriveValues();

// Step of automatic channel filling for a Freq.Step index, in kHz x 1000 (Hz);
// 0 for an index outside the list.
int frequencyStepHz(int freqStepIndex);

// The radio-wide options and power drive values, with the band-extension rule:
// SpreadFreq going to 0 resets band to 0 and makes it read-only.
class RadioSettings : public QObject {
    Q_OBJECT
public:
    explicit RadioSettings(QObject *parent = nullptr);

    int index(Option option) const { return indexes_[indexOf(option)]; }
    // Selects an entry; an index outside the list is refused (returns false, no change).
    // Setting the index an option already has changes nothing.
    bool setIndex(Option option, int index);
    OptionIndexes indexes() const { return indexes_; }
    // Sets every option in file order, so SpreadFreq is applied before band.
    void setIndexes(const OptionIndexes &indexes);

    QStringList entries(Option option) const { return entries_[indexOf(option)]; }
    int entryCount(Option option) const { return entries_[indexOf(option)].size(); }
    // Replaces the entry texts (language change); the selected position stays.
    void setEntries(Option option, const QStringList &entries);
    QString selectedText(Option option) const;

    bool bandEditable() const { return index(Option::SpreadFreq) == 1; }

    int drive(Drive drive) const { return drives_[static_cast<int>(drive)]; }
    // Clamped to 0..255.
    void setDrive(Drive drive, int value);
    DriveValues drives() const { return drives_; }
    void setDrives(const DriveValues &values);

    // Every option and drive value back to its default (SpreadFreq before band).
    void resetToDefaults();
    void resetDrives() { setDrives(defaultDriveValues()); }

signals:
    void optionChanged(vrx::Option option, int index);
    void entriesChanged(vrx::Option option);
    void driveChanged(vrx::Drive drive, int value);
    void bandEditableChanged(bool editable);

private:
    OptionIndexes indexes_;
    std::array<QStringList, kOptionCount> entries_;
    DriveValues drives_;
};

} // namespace vrx
