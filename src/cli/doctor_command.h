#pragma once

#include <QStringList>

namespace vrx {

// `vrxctl doctor [--port PORT] [--json] [--lang chn|eng] [--settings FILE]`: checks the
// port (or every port) from the device node to the radio's answer and says what helps.
// Exit 0 when a radio answered, 1 otherwise, 2 on a usage error.
int runDoctorCommand(const QStringList &arguments);

} // namespace vrx
