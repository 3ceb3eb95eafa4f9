#pragma once

#include "storage/channel_plan.h"

#include <QString>
#include <QStringList>

namespace vrx {

// The plan as aligned text tables: the band, the options (key, index, text), the drive
// values, then the channels that hold anything.
QString formatPlanTable(const ChannelPlan &plan);

// The plan with its value words and option entry texts in language `name` ("chn" or
// "eng") as the GUI would show it; the file itself is never touched. The plan unchanged
// when the pack cannot be loaded.
ChannelPlan planShownIn(const ChannelPlan &plan, const QString &name);

// `vrxctl show FILE.vrx [--lang chn|eng]`
int runShowCommand(const QStringList &arguments);

} // namespace vrx
