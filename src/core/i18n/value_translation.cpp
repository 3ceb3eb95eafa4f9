#include "i18n/value_translation.h"

namespace vrx {

void translateValueCells(ChannelTable &table, const UiTexts &texts) {
    // One write per row, and none for rows without a change.
    for (int row = 1; row <= kChannelCount; ++row)
        table.setRow(row, translatedRow(table.row(row), texts));
}

} // namespace vrx
