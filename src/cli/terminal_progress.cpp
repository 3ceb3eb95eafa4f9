#include "terminal_progress.h"

#include "console.h"
#include "terminal_text.h"

#include <algorithm>

namespace vrx {

namespace {
constexpr int kBarCells = 40;
}

TerminalProgress::TerminalProgress(const QString &label, int maximum)
    : label_(escapeControls(label)), maximum_(std::max(1, maximum)), active_(stderrIsTerminal()) {
    draw(0);
}

TerminalProgress::~TerminalProgress() {
    finish();
}

void TerminalProgress::setValue(int value) {
    draw(std::clamp(value, 0, maximum_));
}

void TerminalProgress::draw(int value) {
    if (!active_ || value == shownValue_)
        return;
    shownValue_ = value;
    const int cells = value * kBarCells / maximum_;
    printErrOverLine(QStringLiteral("%1 [%2%3] %4/%5")
                         .arg(label_, QString(cells, u'#'), QString(kBarCells - cells, u'.'))
                         .arg(value, 3)
                         .arg(maximum_));
}

void TerminalProgress::finish() {
    if (!active_)
        return;
    printErr(QStringLiteral("\n"));
    active_ = false;
}

} // namespace vrx
