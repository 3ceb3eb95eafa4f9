#pragma once

#include <QStringList>

namespace vrx {

// `vrxctl diff A.vrx B.vrx`, `vrxctl diff --port PORT B.vrx` or `vrxctl diff A.vrx --port
// PORT`: one line per difference from A to B; exit status 0 equal, 1 different, 2 usage,
// file or radio trouble (as diff(1)), 130 interrupted.
int runDiffCommand(const QStringList &arguments);

} // namespace vrx
