#pragma once

#include "storage/channel_plan.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrx {

// The radio memory that holds `plan`, built on `base` (the simulated radio's factory
// image): the 199 channel records, the settings block, the power drive values and the
// band 1 limits from the plan's band text. Value texts of either language are accepted.
// nullopt (with `error`) when a channel cannot be encoded.
std::optional<QByteArray> radioMemoryFromPlan(const ChannelPlan &plan, const QByteArray &base,
                                              QString *error);

} // namespace vrx
