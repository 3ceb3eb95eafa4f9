#pragma once

#include "i18n/ui_texts.h"
#include "storage/channel_plan.h"

#include <QList>
#include <QString>

namespace vrx {

// One way in which two plans differ.
struct PlanDifference {
    enum class Kind { Band, Option, Drive, Channel };
    Kind kind = Kind::Band;
    // The option or drive (as its index), or the channel number.
    int index = 0;
    // The channel's field column (RxFreqCol..BusyLockCol); 0 otherwise.
    int column = 0;
    // The two values as shown: band texts, option indexes, drive values, or cell texts
    // with the value words in the language of the comparison. Empty is empty.
    QString left;
    QString right;

    // "BAND", "Squelch", "high", "CH005 RxTone".
    QString what() const;
    // "CH005 RxTone: 67.0 -> D023N"; an empty value shows as "(empty)".
    QString line() const;

    bool operator==(const PlanDifference &) const = default;
};

// The differences from `left` to `right` by meaning, in file order: the band text, the
// option indexes (not their entry texts), the drive values, then every channel field by
// field. Value words of either language compare equal to their counterpart and are shown
// in the language of `texts`; a channel without a receive frequency is empty whatever its
// other fields hold, as the radio and the file reader take it.
QList<PlanDifference> comparePlans(const ChannelPlan &left, const ChannelPlan &right,
                                   const UiTexts &texts);

} // namespace vrx
