#pragma once

#include <QString>

namespace vrx {

// Whether a terminal could act on `c` rather than show it: the C0 controls (ESC among
// them), DEL, the C1 controls (U+009B is a CSI of its own) and the bidirectional
// embeddings, overrides and isolates (U+202A-U+202E, U+2066-U+2069), which reorder what
// follows them.
bool isTerminalControl(char16_t c);

// `text` with every such character shown as "\xHH" (below U+0100) or "\uHHHH", so that a
// text from a file, a language pack, a CSV or the radio can never drive the terminal:
// clear the screen, set the title, plant a hyperlink or reorder a line. A tab stays; a
// line feed stays when `keepLineBreaks`. Everything vrxctl prints goes through it.
QString escapeControls(const QString &text, bool keepLineBreaks = false);

} // namespace vrx
