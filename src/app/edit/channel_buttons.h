#pragma once

#include "shell/main_window.h"

#include <QKeySequence>
#include <QString>

namespace vrx {

// The key each channel button stands for, shown in its tool tip: Alt+Up and Alt+Down
// move the channel from anywhere in the window; Delete is the grid's own key. Empty for
// the buttons without one.
QKeySequence channelButtonKey(ChannelButton button);

// The button's caption with its key, "信道上移 (Alt+Up)"; the caption alone without one.
QString channelButtonToolTip(ChannelButton button, const QString &caption);

// Window shortcuts for the move buttons; each clicks its button.
void addChannelButtonShortcuts(MainWindow &window);

} // namespace vrx
