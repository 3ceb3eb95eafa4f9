#pragma once

#include <QStringList>

namespace vrx {

// `vrxctl read --port PORT --out FILE.vrx [--lang chn|eng] [--settings FILE]`
int runReadCommand(const QStringList &arguments);

// `vrxctl write --port PORT --in FILE.vrx [--lang chn|eng] [--settings FILE]`
int runWriteCommand(const QStringList &arguments);

} // namespace vrx
