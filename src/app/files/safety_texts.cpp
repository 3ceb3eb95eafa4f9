#include "files/safety_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void SafetyTexts::apply(const LanguagePack &pack) {
    const std::pair<PackId, QString SafetyTexts::*> fields[] = {
        {PackId::MenuBackups, &SafetyTexts::menuBackups},
        {PackId::MenuCompareWithFile, &SafetyTexts::menuCompare},
        {PackId::CheckBackupFirst, &SafetyTexts::checkBackupFirst},
        {PackId::CheckVerifyAfterWrite, &SafetyTexts::checkVerify},
        {PackId::PhaseBackingUp, &SafetyTexts::phaseBackingUp},
        {PackId::PhaseWriting, &SafetyTexts::phaseWriting},
        {PackId::PhaseVerifying, &SafetyTexts::phaseVerifying},
        {PackId::PhaseWritten, &SafetyTexts::phaseWritten},
        {PackId::PhaseVerified, &SafetyTexts::phaseVerified},
        {PackId::PhaseNotFinished, &SafetyTexts::phaseNotFinished},
        {PackId::StatusVerified, &SafetyTexts::statusVerified},
        {PackId::MsgVerifyDifferent, &SafetyTexts::msgVerifyDifferent},
        {PackId::MsgVerifyReadFailed, &SafetyTexts::msgVerifyReadFailed},
        {PackId::MsgBackupFailed, &SafetyTexts::msgBackupFailed},
        {PackId::MsgBackupFirstFailed, &SafetyTexts::msgBackupFirstFailed},
        {PackId::CompareTitle, &SafetyTexts::compareTitle},
        {PackId::CompareWhat, &SafetyTexts::compareWhat},
        {PackId::CompareThisPlan, &SafetyTexts::compareThisPlan},
        {PackId::CompareTheFile, &SafetyTexts::compareTheFile},
        {PackId::MsgPlansEqual, &SafetyTexts::msgPlansEqual},
        {PackId::RestoreTitle, &SafetyTexts::restoreTitle},
        {PackId::MsgRestoreQuestion, &SafetyTexts::msgRestoreQuestion},
        {PackId::RestoreButton, &SafetyTexts::restoreButton},
        {PackId::KeepAsideButton, &SafetyTexts::keepAsideButton},
        {PackId::MsgAutosaveFailed, &SafetyTexts::msgAutosaveFailed},
        {PackId::MsgAutosaveUnreadable, &SafetyTexts::msgAutosaveUnreadable},
    };
    for (const auto &[id, slot] : fields)
        assignPackText(pack, id, this->*slot);
}

} // namespace vrx
