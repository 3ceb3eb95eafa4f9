#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"

#include <QString>

namespace vrx {

// The text a value cell of column `col` takes in the language of `texts`: a built-in
// value word of either language ("禁用"/"OFF", "启用"/"ON", "高功率"/"High",
// "低功率"/"Low", "宽带"/"Wide", "窄带"/"Narrow") becomes the matching slot; the
// tone columns (2, 4) recognise only the off word. Whole text, case-sensitive,
// Chinese word first. Any other text, and any other column, comes back unchanged.
QString translatedValue(int col, const QString &text, const UiTexts &texts);

// Rewrites the value cells (columns 2, 4, 5, 6, 7, 8 of rows 1..199) with
// translatedValue. Used after a language switch and after a channel file is
// opened, so a plan saved under the other language reads in the current one.
void translateValueCells(ChannelTable &table, const UiTexts &texts);

} // namespace vrx
