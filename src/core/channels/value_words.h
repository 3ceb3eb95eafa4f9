#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"

#include <QString>

#include <optional>

namespace vrx {

// The text a value cell of column `col` takes in the language of `texts`: a built-in
// value word of either language ("禁用"/"OFF", "启用"/"ON", "高功率"/"High",
// "低功率"/"Low", "宽带"/"Wide", "窄带"/"Narrow") becomes the matching slot; the
// tone columns (2, 4) recognise only the off word. Whole text, case-sensitive,
// Chinese word first. Any other text, and any other column, comes back unchanged.
QString translatedValue(int col, const QString &text, const UiTexts &texts);

// The slot text that `text` stands for in value column `col` (5..8, or the off word of a
// tone column): a built-in word of either language or the slot's own text; nullopt when
// it is none of the column's words.
std::optional<QString> recognisedValue(int col, const QString &text, const UiTexts &texts);

// translatedValue applied to the value fields (columns 2, 4, 5..8) of one row.
ChannelRow translatedRow(const ChannelRow &row, const UiTexts &texts);

} // namespace vrx
