#include "fleet_console.h"

#include "console.h"
#include "terminal_text.h"

#include "radio/fleet_report.h"
#include "radio/fleet_run.h"

#include <algorithm>

namespace vrx {

namespace {
constexpr int kBarCells = 20;
}

QString fleetPhaseName(int phase) {
    switch (TransferPhase(phase)) {
    case TransferPhase::Opening:
        return QStringLiteral("opening");
    case TransferPhase::Reading:
        return QStringLiteral("reading");
    case TransferPhase::BackingUp:
        return QStringLiteral("backing up");
    case TransferPhase::Writing:
        return QStringLiteral("writing");
    case TransferPhase::Verifying:
        return QStringLiteral("verifying");
    case TransferPhase::Done:
        return QStringLiteral("done");
    }
    return {};
}

FleetConsole::FleetConsole(const FleetRun &run, bool terminal, QObject *parent)
    : QObject(parent), run_(run), terminal_(terminal) {
    for (int row = 0; row < run.rowCount(); ++row)
        said_ << QString();
    connect(&run, &FleetRun::rowChanged, this, &FleetConsole::onRowChanged);
}

QString FleetConsole::rowLine(int row) const {
    const FleetPortResult &r = run_.result(row);
    const QString port = escapeControls(r.port.name);
    if (r.finished())
        return QStringLiteral("%1: %2").arg(port, escapeControls(fleetResultText(r)));
    if (!terminal_)
        return QStringLiteral("%1: %2").arg(port, fleetPhaseName(int(r.phase)));
    const int maximum = std::max(1, r.progressMax);
    const int cells = std::clamp(r.progress, 0, maximum) * kBarCells / maximum;
    return QStringLiteral("%1: %2 [%3%4]")
        .arg(port, padded(fleetPhaseName(int(r.phase)), 10), QString(cells, u'#'),
             QString(kBarCells - cells, u'.'));
}

void FleetConsole::onRowChanged(int row) {
    if (row < 0 || row >= said_.size())
        return;
    const FleetPortResult &result = run_.result(row);
    // Done says nothing the result line that follows does not.
    if (result.outcome == FleetOutcome::NotRun ||
        (!result.finished() && result.phase == TransferPhase::Done))
        return;
    // The gauge moves every step; a line is drawn again only when its text changed.
    const QString line = rowLine(row);
    if (line == said_[row])
        return;
    said_[row] = line;
    if (terminal_)
        redraw();
    else
        printErr(line + u'\n');
}

void FleetConsole::redraw() {
    // Back to the first of the lines drawn before, then each line anew.
    QStringList lines;
    for (int row = 0; row < run_.rowCount(); ++row)
        lines << rowLine(row);
    printErrOverLines(drawn_ ? run_.rowCount() : 0, lines);
    drawn_ = true;
}

void FleetConsole::finish() {
    disconnect(&run_, nullptr, this, nullptr);
    if (terminal_ && drawn_)
        redraw();
}

} // namespace vrx
