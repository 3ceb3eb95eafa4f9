#pragma once

#include "channels/channel_table.h"
#include "channels/value_words.h"
#include "i18n/ui_texts.h"

namespace vrx {

// Rewrites the value cells (columns 2, 4, 5, 6, 7, 8 of rows 1..199) with
// translatedValue. Used after a language switch and after a channel file is
// opened, so a plan saved under the other language reads in the current one.
void translateValueCells(ChannelTable &table, const UiTexts &texts);

} // namespace vrx
