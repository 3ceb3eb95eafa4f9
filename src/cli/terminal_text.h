#pragma once

#include <QString>

namespace vrx {

// `text` with its control characters shown as "\xHH" (C0 but tab, DEL, and C1), so that a
// text from a file, a language pack or the radio can never drive the terminal: clear the
// screen, set the title, colour or fake output. Every such text vrxctl prints goes
// through it.
QString escapeControls(const QString &text);

} // namespace vrx
