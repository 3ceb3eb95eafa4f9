#include "radio/transfer_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void TransferTexts::apply(const LanguagePack &pack) {
    const std::pair<PackId, QString TransferTexts::*> fields[] = {
        {PackId::MsgReadGotChannels, &TransferTexts::msgReadGotChannels},
        {PackId::MsgPartialReadKept, &TransferTexts::msgPartialReadKept},
        {PackId::MsgTransferStopped, &TransferTexts::msgTransferStopped},
        {PackId::MsgRadioHoldsChannels, &TransferTexts::msgRadioHoldsChannels},
        {PackId::MsgRadioHoldsNone, &TransferTexts::msgRadioHoldsNone},
        {PackId::MsgRadioHoldsAll, &TransferTexts::msgRadioHoldsAll},
        {PackId::MsgRestoreFromBackup, &TransferTexts::msgRestoreFromBackup},
        {PackId::MsgBackupNextTime, &TransferTexts::msgBackupNextTime},
        {PackId::MsgVerifyStopped, &TransferTexts::msgVerifyStopped},
        {PackId::MsgNothingWritten, &TransferTexts::msgNothingWritten},
        {PackId::MenuCompareWithRadio, &TransferTexts::menuCompareWithRadio},
        {PackId::CompareTheRadio, &TransferTexts::compareTheRadio},
        {PackId::MsgRadioPlanEqual, &TransferTexts::msgRadioPlanEqual},
    };
    for (const auto &[id, slot] : fields)
        assignPackText(pack, id, this->*slot);
}

} // namespace vrx
