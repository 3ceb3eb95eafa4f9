#pragma once

#include "storage/channel_plan.h"

#include <QString>
#include <QStringList>

namespace vrx {

// The plan as aligned text tables: the band, the options (key, index, text), the drive
// values, then the channels that hold anything.
QString formatPlanTable(const ChannelPlan &plan);

// `vrxctl show FILE.vrx`
int runShowCommand(const QStringList &arguments);

} // namespace vrx
