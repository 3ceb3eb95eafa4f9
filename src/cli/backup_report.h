#pragma once

#include "storage/backups.h"
#include "storage/channel_plan.h"

namespace vrx {

// Saves `plan` as a backup in the user's data folder and says so on stderr: the backup's
// path, or once why it could not be written. Returns the result for callers that must
// not go on without it.
BackupResult backUpPlan(BackupKind kind, const ChannelPlan &plan);

} // namespace vrx
