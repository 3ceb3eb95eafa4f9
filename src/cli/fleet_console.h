#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace vrx {

class FleetRun;

// How a fleet run looks on stderr: on a terminal a line per port, each with its phase and
// gauge, redrawn in place; otherwise (a script, a log) a plain line whenever a radio
// enters a phase or finishes.
class FleetConsole : public QObject {
    Q_OBJECT
public:
    FleetConsole(const FleetRun &run, bool terminal, QObject *parent = nullptr);

    // Ends the drawing, so that what follows starts below the lines.
    void finish();

private:
    void onRowChanged(int row);
    QString rowLine(int row) const;
    void redraw();

    const FleetRun &run_;
    bool terminal_;
    bool drawn_ = false;
    // What was last said of each row: the plain lines say a phase once.
    QList<QString> said_;
};

// "backing up", "writing", ... for lines on the command line.
QString fleetPhaseName(int phase);

} // namespace vrx
