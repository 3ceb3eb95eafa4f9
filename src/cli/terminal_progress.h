#pragma once

#include <QString>

namespace vrx {

// A one-line progress bar on stderr for a running transfer, drawn only when stderr is
// a terminal (a script or a log gets no carriage-return noise). Like the GUI's gauge,
// a value above the maximum shows as full.
class TerminalProgress {
public:
    TerminalProgress(const QString &label, int maximum);
    ~TerminalProgress();

    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    void setValue(int value);
    // Ends the bar's line, so that a following message starts on a line of its own.
    void finish();

private:
    void draw(int value);

    QString label_;
    int maximum_;
    int shownValue_ = -1;
    bool active_;
};

} // namespace vrx
