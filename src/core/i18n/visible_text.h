#pragma once

#include <QString>

namespace vrx {

// Control characters as texts from files, packs and the radio may carry them: C0 except
// tab, DEL, and C1. Nothing on a screen or a terminal may act on them.
bool isControlCharacter(char16_t c);

// `text` with every control character replaced by U+FFFD, the replacement glyph, for
// widgets: a cell or a caption shows that something is there, never what it would do.
// A message of several lines keeps its line breaks (LF) with `keepLineBreaks`.
QString withVisibleControls(const QString &text, bool keepLineBreaks = false);

} // namespace vrx
