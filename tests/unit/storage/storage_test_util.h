#pragma once

#include "storage/channel_plan.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace vrx::test {

inline QString fixturePath(const QString &name) {
    return QStringLiteral(VRX_FIXTURES_DIR "/channel_files/") + name;
}

inline QByteArray readBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The option entry texts a language pack for English gives; Ring, BroadBand, scankind,
// VFO/MR, MR freq./MR CH, Squelch, VoxControl and Freq.Step keep their built-in texts.
inline void useEnglishEntries(RadioSettings &settings) {
    const QStringList onOff{"ON", "OFF"};
    const QStringList offOn{"OFF", "ON"};
    for (Option o :
         {Option::APO, Option::Scramble, Option::KeySwitch, Option::SwitchUp, Option::DownFreq})
        settings.setEntries(o, onOff);
    for (Option o : {Option::BEEP, Option::BatSave, Option::SpreadFreq})
        settings.setEntries(o, offOn);
    QStringList minutes{"OFF"};
    for (int i = 1; i <= 7; ++i)
        minutes << QString::number(i) + QStringLiteral("min");
    settings.setEntries(Option::TxTimeout, minutes);
    const QStringList colours{"1", "2", "3", "4", "5", "6", "7", "8"};
    settings.setEntries(Option::TxLight, colours);
    settings.setEntries(Option::RxLight, colours);
    settings.setEntries(Option::Band, {"Band2", "Band1"});
}

// A plan whose 199 channels are all filled and all different.
inline ChannelPlan numberedPlan() {
    ChannelPlan plan;
    plan.bandText = QStringLiteral("400-470MHz");
    for (int n = 1; n <= kChannelCount; ++n) {
        const QString freq = QStringLiteral("%1.00000").arg(300 + n);
        plan.channels[n - 1] = {freq, "67.0", freq, "D023N", "高功率", "宽带", "启用", "禁用"};
    }
    return plan;
}

// Splits a file at CR LF; the text after the last line end is dropped.
inline QList<QByteArray> crlfLines(const QByteArray &bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

inline QByteArray joinCrlf(const QList<QByteArray> &lines) {
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace vrx::test
