#include "settings/radio_settings.h"

#include <algorithm>

namespace vrx {

namespace {

struct OptionSpec {
    const char *key;
    const char *caption;
    int defaultIndex;
    bool shown;
};

// Channel-file order.
const OptionSpec kSpecs[kOptionCount] = {
    {"APO", "APO功能", 1, true},
    {"BEEP", "按键音开关", 1, true},
    {"BatSave", "电池省电", 1, true},
    {"scankind", "扫描恢复方法", 1, true},
    {"Ring", "", 1, false},
    {"Scramble", "扰频功能", 1, true},
    {"VFO/MR", "VFO/ MR", 1, true},
    {"MR freq./MR CH", "MR freq./ MR CH", 1, true},
    {"Squelch", "静噪等级(SQL)", 2, true},
    {"VoxControl", "声控等级(VOX)", 0, true},
    {"TxT.O.T", "超时定时器(TOT)", 4, true},
    {"keyswitch", "按键锁定", 1, true},
    {"Switch.U.P", "解除[up][down]的锁定", 1, true},
    {"DownFreq", "倒频", 1, true},
    {"BroadBand", "宽/窄带", 1, false},
    {"SpreadFreq", "按键扩频功能", 0, true},
    {"band", "频段", 0, true},
    {"Freq.Step", "频率步进", 5, true},
    {"Txlight", "发射LED的颜色", 1, true},
    {"Rxlight", "接收LED的颜色", 3, true},
};

QStringList numbers(int first, int last) {
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QString::number(i);
    return list;
}

const QString kOn = QStringLiteral("启用");
const QString kOff = QStringLiteral("禁用");

} // namespace

QString optionKey(Option option) {
    return QString::fromUtf8(kSpecs[indexOf(option)].key);
}

QString driveKey(Drive drive) {
    static const char *const keys[kDriveCount] = {"high", "low1", "low2"};
    return QString::fromLatin1(keys[static_cast<int>(drive)]);
}

QString optionCaption(Option option) {
    return QString::fromUtf8(kSpecs[indexOf(option)].caption);
}

int defaultIndex(Option option) {
    return kSpecs[indexOf(option)].defaultIndex;
}

bool isShown(Option option) {
    return kSpecs[indexOf(option)].shown;
}

QStringList builtInEntries(Option option) {
    switch (option) {
    case Option::APO:
    case Option::Scramble:
    case Option::KeySwitch:
    case Option::SwitchUp:
    case Option::DownFreq:
        return {kOn, kOff};
    case Option::BEEP:
    case Option::BatSave:
    case Option::Ring:
    case Option::SpreadFreq:
        return {kOff, kOn};
    case Option::ScanKind:
        return {QStringLiteral("CO"), QStringLiteral("TO")};
    case Option::VfoMr:
        return {QStringLiteral("MR"), QStringLiteral("VFO.")};
    case Option::MrDisplay:
        return {QStringLiteral("MR CH"), QStringLiteral("MR freq.")};
    case Option::Squelch:
        return numbers(0, 9);
    case Option::VoxControl:
        return QStringList{QStringLiteral("OFF")} + numbers(1, 4);
    case Option::TxTimeout: {
        QStringList list{QStringLiteral("OFF")};
        for (int i = 1; i <= 7; ++i)
            list << QString::number(i) + QStringLiteral("分钟");
        return list;
    }
    case Option::BroadBand:
        return {QStringLiteral("窄带"), QStringLiteral("宽带")};
    case Option::Band:
        return {QStringLiteral("频段2"), QStringLiteral("频段1")};
    case Option::FreqStep:
        return {QStringLiteral("5kHz"),    QStringLiteral("6.25kHZ"), QStringLiteral("10kHz"),
                QStringLiteral("12.5kHz"), QStringLiteral("20kHz"),   QStringLiteral("25kHz")};
    case Option::TxLight:
    case Option::RxLight:
        return numbers(1, 8);
    }
    return {};
}

OptionIndexes defaultOptionIndexes() {
    OptionIndexes indexes{};
    for (int i = 0; i < kOptionCount; ++i)
        indexes[i] = kSpecs[i].defaultIndex;
    return indexes;
}

DriveValues defaultDriveValues() {
    return {79, 45, 45};
}

int frequencyStepHz(int freqStepIndex) {
    static const int steps[] = {5000, 6250, 10000, 12500, 20000, 25000};
    if (freqStepIndex < 0 || freqStepIndex >= int(std::size(steps)))
        return 0;
    return steps[freqStepIndex];
}

RadioSettings::RadioSettings(QObject *parent)
    : QObject(parent), indexes_(defaultOptionIndexes()), drives_(defaultDriveValues()) {
    for (int i = 0; i < kOptionCount; ++i)
        entries_[i] = builtInEntries(optionAt(i));
}

bool RadioSettings::setIndex(Option option, int index) {
    const int i = indexOf(option);
    if (index < 0 || index >= entries_[i].size())
        return false;
    if (indexes_[i] == index)
        return true;
    indexes_[i] = index;
    emit optionChanged(option, index);
    if (option == Option::SpreadFreq) {
        if (index == 0)
            setIndex(Option::Band, 0);
        emit bandEditableChanged(index == 1);
    }
    return true;
}

void RadioSettings::setIndexes(const OptionIndexes &indexes) {
    for (int i = 0; i < kOptionCount; ++i)
        setIndex(optionAt(i), indexes[i]);
}

void RadioSettings::setEntries(Option option, const QStringList &entries) {
    const int i = indexOf(option);
    if (entries_[i] == entries)
        return;
    entries_[i] = entries;
    emit entriesChanged(option);
}

QString RadioSettings::selectedText(Option option) const {
    const int i = indexOf(option);
    return entries_[i].value(indexes_[i]);
}

void RadioSettings::setDrive(Drive drive, int value) {
    value = std::clamp(value, 0, kDriveMax);
    int &slot = drives_[static_cast<int>(drive)];
    if (slot == value)
        return;
    slot = value;
    emit driveChanged(drive, value);
}

void RadioSettings::setDrives(const DriveValues &values) {
    for (int i = 0; i < kDriveCount; ++i)
        setDrive(static_cast<Drive>(i), values[i]);
}

void RadioSettings::resetToDefaults() {
    setIndexes(defaultOptionIndexes());
    resetDrives();
}

} // namespace vrx
