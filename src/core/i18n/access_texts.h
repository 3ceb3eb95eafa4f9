#pragma once

#include "i18n/language_pack.h"
#include "i18n/pack_ids.h"

#include <QString>

#include <map>

namespace vrx {

// The pack id of the spoken name of channel column `col` (1..8).
inline constexpr PackId accColumnId(int col) {
    return static_cast<PackId>(toInt(PackId::AccColumnRxFreq) + col - 1);
}

// What assistive technology reads for the controls and the grid (the block 500-579): the
// built-in Chinese text until a loaded pack supplies its own.
class AccessTexts {
public:
    QString text(PackId id) const;
    // Takes the pack's texts of the block; ids the pack lacks keep their text.
    void apply(const LanguagePack &pack);

    // "Receive frequency, channel 5, 438.50000"; an empty value reads as "empty".
    QString cellName(int col, int channel, const QString &value) const;
    // "Receive frequency, channel 5": the floating editor over that cell.
    QString editorName(int col, int channel) const;

    static QString builtIn(PackId id);

private:
    std::map<int, QString> loaded_;
};

} // namespace vrx
