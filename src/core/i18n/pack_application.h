#pragma once

#include "channels/channel_table.h"
#include "i18n/csv_texts.h"
#include "i18n/language_pack.h"
#include "i18n/ui_texts.h"
#include "settings/radio_settings.h"

namespace vrx {

// Puts the pack's texts into the shared slots (ids 55-60, 95, 96, 103, 104, 106,
// 108-110, 119, 120, 140-142, 330, 331). A slot whose id the pack lacks keeps its text.
void applyToTexts(const LanguagePack &pack, UiTexts &texts);

// Re-texts the language-dependent option lists; each keeps its selected position.
//  - band: id 76 + "2", id 76 + "1"
//  - TxT.O.T: id 55, then "1".."7" each followed by id 81
//  - APO, Scramble, keyswitch, Switch.U.P, DownFreq: ids 56, 55
//  - BEEP, BatSave, SpreadFreq: ids 55, 56
//  - Txlight and Rxlight: ids 111..118
// Entries whose id the pack lacks keep their text; the other lists are left alone.
void applyToOptionLists(const LanguagePack &pack, RadioSettings &settings);

// Sets the grid's header row from ids 46..54 (columns 0..8); missing ids keep theirs.
void applyToHeaders(const LanguagePack &pack, ChannelTable &table);

// Puts ids 251-268 into the texts of CSV notes; a missing id keeps its text.
void applyToCsvTexts(const LanguagePack &pack, CsvTexts &texts);

} // namespace vrx
