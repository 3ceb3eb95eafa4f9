#pragma once

#include "settings/band_plan.h"

#include <QString>
#include <QStringList>

namespace vrx {

// The selected band texts a frequency column is checked against: RxFreq against the receive
// lists of both bands, TxFreq against the transmit lists. Texts whose edges cannot be read,
// and repeats, are left out; any other column gets none.
QStringList bandTextsFor(const BandPlan &bands, int col);

// True when `text` reads as a frequency outside every band of `bandTexts` (edges included
// in the band). An empty or unreadable text, or no band to check against, is never outside:
// the mark warns of a channel the radio may refuse, it does not judge what it cannot read.
bool isOutsideBands(const QString &text, const QStringList &bandTexts);

} // namespace vrx
