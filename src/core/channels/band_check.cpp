#include "channels/band_check.h"

#include "channels/channel_table.h"
#include "channels/frequency.h"

namespace vrx {

QStringList bandTextsFor(const BandPlan &bands, int col) {
    QList<BandList> lists;
    if (col == RxFreqCol)
        lists = {BandList::Band1Rx, BandList::Band2Rx};
    else if (col == TxFreqCol)
        lists = {BandList::Band1Tx, BandList::Band2Tx};
    QStringList texts;
    for (BandList list : lists) {
        const QString text = bands.displayedText(list);
        if (parseBandText(text) && !texts.contains(text))
            texts.append(text);
    }
    return texts;
}

bool isOutsideBands(const QString &text, const QStringList &bandTexts) {
    const std::optional<qint64> units = parseFrequencyUnits(text);
    if (!units || bandTexts.isEmpty())
        return false;
    for (const QString &band : bandTexts) {
        const std::optional<BandEdges> edges = parseBandText(band);
        if (edges && *units >= edges->lowerMHz * kFrequencyUnitsPerMHz &&
            *units <= edges->upperMHz * kFrequencyUnitsPerMHz)
            return false;
    }
    return true;
}

} // namespace vrx
