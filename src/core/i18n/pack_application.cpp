#include "i18n/pack_application.h"

#include <initializer_list>

namespace vrx {

namespace {

void assign(const LanguagePack &pack, PackId id, QString &slot) {
    if (pack.has(id))
        slot = pack.text(id);
}

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
    assign(pack, first, entries[0]);
    assign(pack, second, entries[1]);
    settings.setEntries(option, entries);
}

} // namespace

void applyToTexts(const LanguagePack &pack, UiTexts &texts) {
    assign(pack, PackId::OffText, texts.offText);
    assign(pack, PackId::OnText, texts.onText);
    assign(pack, PackId::HighText, texts.highText);
    assign(pack, PackId::LowText, texts.lowText);
    assign(pack, PackId::WideText, texts.wideText);
    assign(pack, PackId::NarrowText, texts.narrowText);
    assign(pack, PackId::CaptionRead, texts.captionRead);
    assign(pack, PackId::CaptionWrite, texts.captionWrite);
    assign(pack, PackId::MsgFailureTitle, texts.msgFailureTitle);
    assign(pack, PackId::MsgNoResponse, texts.msgNoResponse);
    assign(pack, PackId::MsgPortOpenFailed, texts.msgPortOpenFailed);
    assign(pack, PackId::MsgConfirmTitle, texts.msgConfirmTitle);
    assign(pack, PackId::MsgConfirmNew, texts.msgConfirmNew);
    assign(pack, PackId::MsgConfirmClear, texts.msgConfirmClear);
    assign(pack, PackId::MsgInvalidFrequency, texts.msgInvalidFrequency);
    assign(pack, PackId::MsgCannotWriteCell, texts.msgCannotWriteCell);
    assign(pack, PackId::MsgNoticeTitle, texts.msgNoticeTitle);
    assign(pack, PackId::MsgSettingsNotRead, texts.msgSettingsNotRead);
    assign(pack, PackId::MsgTailNotWritten, texts.msgTailNotWritten);
}

void applyToOptionLists(const LanguagePack &pack, RadioSettings &settings) {
    // Same order as the id walk of a load: band (76), time-out (81), the on/off
    // lists, the LED lists (111-118). setEntries keeps every selected position.
    if (pack.has(PackId::LabelBand)) {
        const QString word = pack.text(PackId::LabelBand);
        settings.setEntries(Option::Band, {word + u'2', word + u'1'});
    }

    QStringList timeout = baseEntries(settings, Option::TxTimeout, 8);
    assign(pack, PackId::OffText, timeout[0]);
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
    assign(pack, PackId::CsvNotePrefix, texts.notePrefix);
    assign(pack, PackId::CsvBadLocation, texts.badLocation);
    assign(pack, PackId::CsvBadFrequency, texts.badFrequency);
    assign(pack, PackId::CsvBadDuplex, texts.badDuplex);
    assign(pack, PackId::CsvBadOffset, texts.badOffset);
    assign(pack, PackId::CsvTxOutOfRange, texts.txOutOfRange);
    assign(pack, PackId::CsvBadMode, texts.badMode);
    assign(pack, PackId::CsvBadToneMode, texts.badToneMode);
    assign(pack, PackId::CsvBadCtcss, texts.badCtcss);
    assign(pack, PackId::CsvBadDcs, texts.badDcs);
    assign(pack, PackId::CsvBadPolarity, texts.badPolarity);
    assign(pack, PackId::CsvBadPower, texts.badPower);
    assign(pack, PackId::CsvBadSkip, texts.badSkip);
    assign(pack, PackId::CsvRepeatedLocation, texts.repeatedLocation);
    assign(pack, PackId::CsvBeyondLastChannel, texts.beyondLastChannel);
    assign(pack, PackId::CsvNotChannelList, texts.notChannelList);
    assign(pack, PackId::CsvNotUtf8, texts.notUtf8);
    assign(pack, PackId::CsvCannotExport, texts.cannotExport);
}

} // namespace vrx
