#include "i18n/pack_application.h"

#include <initializer_list>

namespace vrx {

namespace {

// The list's entries as they stand, or its built-in ones when their number is not
// what the rebuild expects, so that a rebuild always yields a full list.
QStringList baseEntries(const RadioSettings &settings, Option option, int count) {
    QStringList entries = settings.entries(option);
    if (entries.size() != count)
        entries = builtInEntries(option);
    return entries;
}

void rebuildOnOffList(const LanguagePack &pack, RadioSettings &settings, Option option,
                      PackId first, PackId second) {
    QStringList entries = baseEntries(settings, option, 2);
    assignPackText(pack, first, entries[0]);
    assignPackText(pack, second, entries[1]);
    settings.setEntries(option, entries);
}

} // namespace

void applyToTexts(const LanguagePack &pack, UiTexts &texts) {
    assignPackText(pack, PackId::OffText, texts.offText);
    assignPackText(pack, PackId::OnText, texts.onText);
    assignPackText(pack, PackId::HighText, texts.highText);
    assignPackText(pack, PackId::LowText, texts.lowText);
    assignPackText(pack, PackId::WideText, texts.wideText);
    assignPackText(pack, PackId::NarrowText, texts.narrowText);
    assignPackText(pack, PackId::CaptionRead, texts.captionRead);
    assignPackText(pack, PackId::CaptionWrite, texts.captionWrite);
    assignPackText(pack, PackId::MsgFailureTitle, texts.msgFailureTitle);
    assignPackText(pack, PackId::MsgNoResponse, texts.msgNoResponse);
    assignPackText(pack, PackId::MsgPortOpenFailed, texts.msgPortOpenFailed);
    assignPackText(pack, PackId::MsgConfirmTitle, texts.msgConfirmTitle);
    assignPackText(pack, PackId::MsgConfirmNew, texts.msgConfirmNew);
    assignPackText(pack, PackId::MsgConfirmClear, texts.msgConfirmClear);
    assignPackText(pack, PackId::MsgInvalidFrequency, texts.msgInvalidFrequency);
    assignPackText(pack, PackId::MsgCannotWriteCell, texts.msgCannotWriteCell);
    assignPackText(pack, PackId::MsgNoticeTitle, texts.msgNoticeTitle);
    assignPackText(pack, PackId::MsgSettingsNotRead, texts.msgSettingsNotRead);
    assignPackText(pack, PackId::MsgTailNotWritten, texts.msgTailNotWritten);
    applyToLineTexts(pack, texts.line);
    assignPackText(pack, PackId::NoteBelowLowest, texts.noteBelowLowest);
    assignPackText(pack, PackId::NoteAboveHighest, texts.noteAboveHighest);
}

void applyToOptionLists(const LanguagePack &pack, RadioSettings &settings) {
    // Same order as the id walk of a load: band (76), time-out (81), the on/off
    // lists, the LED lists (111-118). setEntries keeps every selected position.
    if (pack.has(PackId::LabelBand)) {
        const QString word = pack.text(PackId::LabelBand);
        settings.setEntries(Option::Band, {word + u'2', word + u'1'});
    }

    QStringList timeout = baseEntries(settings, Option::TxTimeout, 8);
    assignPackText(pack, PackId::OffText, timeout[0]);
    if (pack.has(PackId::MinuteUnit)) {
        for (int minutes = 1; minutes <= 7; ++minutes)
            timeout[minutes] = QString::number(minutes) + pack.text(PackId::MinuteUnit);
    }
    settings.setEntries(Option::TxTimeout, timeout);

    for (Option option :
         {Option::APO, Option::Scramble, Option::KeySwitch, Option::SwitchUp, Option::DownFreq})
        rebuildOnOffList(pack, settings, option, PackId::OnText, PackId::OffText);
    for (Option option : {Option::BEEP, Option::BatSave, Option::SpreadFreq})
        rebuildOnOffList(pack, settings, option, PackId::OffText, PackId::OnText);

    for (Option option : {Option::TxLight, Option::RxLight}) {
        QStringList colours = baseEntries(settings, option, 8);
        for (int i = 0; i < colours.size(); ++i) {
            if (pack.has(ledColourId(i)))
                colours[i] = pack.text(ledColourId(i));
        }
        settings.setEntries(option, colours);
    }
}

void applyToHeaders(const LanguagePack &pack, ChannelTable &table) {
    for (int col = 0; col < kColumnCount; ++col) {
        if (pack.has(headerId(col)))
            table.setHeader(col, pack.text(headerId(col)));
    }
}

void applyToCsvTexts(const LanguagePack &pack, CsvTexts &texts) {
    assignPackText(pack, PackId::CsvNotePrefix, texts.notePrefix);
    assignPackText(pack, PackId::CsvBadLocation, texts.badLocation);
    assignPackText(pack, PackId::CsvBadFrequency, texts.badFrequency);
    assignPackText(pack, PackId::CsvBadDuplex, texts.badDuplex);
    assignPackText(pack, PackId::CsvBadOffset, texts.badOffset);
    assignPackText(pack, PackId::CsvTxOutOfRange, texts.txOutOfRange);
    assignPackText(pack, PackId::CsvBadMode, texts.badMode);
    assignPackText(pack, PackId::CsvBadToneMode, texts.badToneMode);
    assignPackText(pack, PackId::CsvBadCtcss, texts.badCtcss);
    assignPackText(pack, PackId::CsvBadDcs, texts.badDcs);
    assignPackText(pack, PackId::CsvBadPolarity, texts.badPolarity);
    assignPackText(pack, PackId::CsvBadPower, texts.badPower);
    assignPackText(pack, PackId::CsvBadSkip, texts.badSkip);
    assignPackText(pack, PackId::CsvRepeatedLocation, texts.repeatedLocation);
    assignPackText(pack, PackId::CsvBeyondLastChannel, texts.beyondLastChannel);
    assignPackText(pack, PackId::CsvNotChannelList, texts.notChannelList);
    assignPackText(pack, PackId::CsvNotUtf8, texts.notUtf8);
    assignPackText(pack, PackId::CsvCannotExport, texts.cannotExport);
    assignPackText(pack, PackId::CsvDcsNotListed, texts.dcsNotListed);
    assignPackText(pack, PackId::CsvOffRaster, texts.offRaster);
    assignPackText(pack, PackId::CsvOutsideBand, texts.outsideBand);
    assignPackText(pack, PackId::CsvUnclosedQuote, texts.unclosedQuote);
    assignPackText(pack, PackId::CsvMoreNotes, texts.moreNotes);
}

} // namespace vrx
