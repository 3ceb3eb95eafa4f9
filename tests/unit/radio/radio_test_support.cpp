#include "radio_test_support.h"

#include <QStringList>

namespace vrx::test {

QByteArray hex(const char *spaced) {
    return QByteArray::fromHex(QByteArray(spaced));
}

QString spacedHex(const QByteArray &bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

ChannelRow makeRow(const QString &rxFreq, const QString &rxTone, const QString &txFreq,
                   const QString &txTone, const QString &power, const QString &bandwidth,
                   const QString &scan, const QString &busyLock) {
    return {rxFreq, rxTone, txFreq, txTone, power, bandwidth, scan, busyLock};
}

void fillVariedPlan(ChannelTable &table, const UiTexts &t) {
    const QStringList tones = {t.offText,
                               QStringLiteral("67.0"),
                               QStringLiteral("88.5"),
                               QStringLiteral("100.0"),
                               QStringLiteral("254.1"),
                               QStringLiteral("D023N"),
                               QStringLiteral("D754I"),
                               QStringLiteral("D131N"),
                               QStringLiteral("D606I")};
    for (int n = 1; n <= kChannelCount; ++n) {
        if (n % 7 == 0 || n == 3) {
            table.clearRow(n);
            continue;
        }
        const QString rx = QStringLiteral("4%1.%2")
                               .arg(n % 70, 2, 10, QLatin1Char('0'))
                               .arg(n * 625 % 100000, 5, 10, QLatin1Char('0'));
        // Every eleventh channel transmits on a partly erased frequency as a radio may
        // hold it; it must survive a round trip unchanged.
        const QString tx = n % 11 == 0 ? QStringLiteral("FFF.FF625")
                                       : QStringLiteral("1%1.%2")
                                             .arg(n % 100, 2, 10, QLatin1Char('0'))
                                             .arg(n * 500 % 100000, 5, 10, QLatin1Char('0'));
        table.setRow(n, makeRow(rx, tones[n % tones.size()], tx, tones[(n / 3) % tones.size()],
                                n & 1 ? t.highText : t.lowText, n & 2 ? t.wideText : t.narrowText,
                                n & 4 ? t.onText : t.offText, n & 8 ? t.onText : t.offText));
    }
}

void fillOtherPlan(ChannelTable &table, const UiTexts &t) {
    for (int n = 1; n <= kChannelCount; ++n)
        table.setRow(n, makeRow(QStringLiteral("111.11111"), QStringLiteral("71.9"),
                                QStringLiteral("222.22222"), QStringLiteral("D047I"), t.lowText,
                                t.narrowText, t.offText, t.onText));
}

} // namespace vrx::test
