#pragma once

#include <QStringList>

namespace vrx {

// `vrxctl ports [--settings FILE]`: the system's serial ports, one a line (device,
// description, VID:PID and the COM items that stand for it).
int runPortsCommand(const QStringList &arguments);

} // namespace vrx
