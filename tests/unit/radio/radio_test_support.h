#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "test_texts.h"

#include <QByteArray>
#include <QString>

#include <ostream>

namespace vrx::test {

// "57 00 50 08" -> bytes.
QByteArray hex(const char *spaced);
// Bytes -> "57 00 50 08", for readable failures.
QString spacedHex(const QByteArray &bytes);

ChannelRow makeRow(const QString &rxFreq, const QString &rxTone, const QString &txFreq,
                   const QString &txTone, const QString &power, const QString &bandwidth,
                   const QString &scan, const QString &busyLock);

// A plan with every kind of field, spread over the 199 channels: CTCSS below and above
// 100 Hz, DCS normal and inverted, no tone, both senses of every flag, partly erased
// frequencies and erased channels (every channel divisible by 7, and channel 3).
void fillVariedPlan(ChannelTable &table, const UiTexts &texts);
// Another full plan, different from the varied one in every channel.
void fillOtherPlan(ChannelTable &table, const UiTexts &texts);

} // namespace vrx::test

QT_BEGIN_NAMESPACE
// gtest prints QByteArrays readably (QStrings: test_texts.h).
inline void PrintTo(const QByteArray &b, std::ostream *os) {
    *os << '[' << vrx::test::spacedHex(b).toStdString() << ']';
}
QT_END_NAMESPACE
