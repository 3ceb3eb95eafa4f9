#pragma once

#include "i18n/ui_texts.h"

#include <QString>

#include <ostream>

// Readable QString values in gtest failure messages.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace vrx::test {

// The English value words and cell messages (what the English pack puts into those
// slots; a pack test holds them equal), so that expectations read plainly.
inline UiTexts englishTexts() {
    UiTexts texts;
    texts.offText = QStringLiteral("OFF");
    texts.onText = QStringLiteral("ON");
    texts.highText = QStringLiteral("High");
    texts.lowText = QStringLiteral("Low");
    texts.wideText = QStringLiteral("Wide");
    texts.narrowText = QStringLiteral("Narrow");
    texts.msgInvalidFrequency = QStringLiteral("Channel %1: \"%2\" is not a valid frequency.");
    texts.msgCannotWriteCell =
        QStringLiteral("Channel %1: %2 \"%3\" cannot be written to the radio. Nothing was sent.");
    texts.noteBelowLowest = QStringLiteral("%1 → %2: below the lowest frequency");
    texts.noteAboveHighest = QStringLiteral("%1 → %2: above the highest frequency");
    return texts;
}

} // namespace vrx::test
