#pragma once

#include "radio/simulated_radio.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vrx {

// A fault given as KIND[:STEP]: silent, garbage, split and late take the step
// (1-based, default 1); wrong-ident and extra-ident-byte hit every handshake.
std::optional<SimulatedRadio::Fault> parseFault(const QString &text);

// `vrxctl sim [--plan FILE.vrx] [--baud] [--fault KIND[:STEP]]`: serves the simulated
// radio on a pseudo-terminal until SIGTERM or SIGINT; the first line on stdout is the
// device path.
int runSimCommand(const QStringList &arguments);

} // namespace vrx
