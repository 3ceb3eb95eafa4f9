#include "i18n/doctor_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToDoctorTexts(const LanguagePack &pack, DoctorTexts &texts) {
    assignPackText(pack, PackId::DoctorCheckDevice, texts.checkDevice);
    assignPackText(pack, PackId::DoctorCheckAccess, texts.checkAccess);
    assignPackText(pack, PackId::DoctorCheckHolders, texts.checkHolders);
    assignPackText(pack, PackId::DoctorCheckChip, texts.checkChip);
    assignPackText(pack, PackId::DoctorCheckProbe, texts.checkProbe);
    assignPackText(pack, PackId::DoctorStatusOk, texts.statusOk);
    assignPackText(pack, PackId::DoctorStatusWarning, texts.statusWarning);
    assignPackText(pack, PackId::DoctorStatusProblem, texts.statusProblem);
    assignPackText(pack, PackId::DoctorDevicePresent, texts.devicePresent);
    assignPackText(pack, PackId::DoctorDeviceMissing, texts.deviceMissing);
    assignPackText(pack, PackId::DoctorDeviceMissingRemedy, texts.deviceMissingRemedy);
    assignPackText(pack, PackId::DoctorChipWithoutTty, texts.chipWithoutTty);
    assignPackText(pack, PackId::DoctorChipWithoutTtyRemedy, texts.chipWithoutTtyRemedy);
    assignPackText(pack, PackId::DoctorBrlttyClaims, texts.brlttyClaims);
    assignPackText(pack, PackId::DoctorBrlttyRemedy, texts.brlttyRemedy);
    assignPackText(pack, PackId::DoctorAccessOk, texts.accessOk);
    assignPackText(pack, PackId::DoctorAccessDenied, texts.accessDenied);
    assignPackText(pack, PackId::DoctorGroupWontHelp, texts.groupWontHelp);
    assignPackText(pack, PackId::DoctorUdevRuleInstalled, texts.udevRuleInstalled);
    assignPackText(pack, PackId::DoctorUdevRuleMissing, texts.udevRuleMissing);
    assignPackText(pack, PackId::DoctorHoldersNone, texts.holdersNone);
    assignPackText(pack, PackId::DoctorHeldRemedy, texts.heldRemedy);
    assignPackText(pack, PackId::DoctorHeldLock, texts.heldLock);
    assignPackText(pack, PackId::DoctorAlsoOpen, texts.alsoOpen);
    assignPackText(pack, PackId::DoctorModemManagerIgnores, texts.modemManagerIgnores);
    assignPackText(pack, PackId::DoctorModemManagerProbes, texts.modemManagerProbes);
    assignPackText(pack, PackId::DoctorModemManagerRemedy, texts.modemManagerRemedy);
    assignPackText(pack, PackId::DoctorChipUsb, texts.chipUsb);
    assignPackText(pack, PackId::DoctorChipNotUsb, texts.chipNotUsb);
    assignPackText(pack, PackId::DoctorChipPl2303Old, texts.chipPl2303Old);
    assignPackText(pack, PackId::DoctorChipReplaceRemedy, texts.chipReplaceRemedy);
    assignPackText(pack, PackId::DoctorChipClone, texts.chipClone);
    assignPackText(pack, PackId::DoctorProbeOk, texts.probeOk);
    assignPackText(pack, PackId::DoctorProbeNotRun, texts.probeNotRun);
    assignPackText(pack, PackId::DoctorProbeOpenFailed, texts.probeOpenFailed);
    assignPackText(pack, PackId::DoctorRadioIsOn, texts.radioIsOn);
    assignPackText(pack, PackId::DoctorNoPortAnswered, texts.noPortAnswered);
    assignPackText(pack, PackId::DoctorNotAnswering, texts.notAnswering);
    assignPackText(pack, PackId::DoctorMenuItem, texts.menuItem);
    assignPackText(pack, PackId::DoctorTitle, texts.title);
    assignPackText(pack, PackId::DoctorTestButton, texts.testButton);
    assignPackText(pack, PackId::DoctorRunning, texts.running);
    assignPackText(pack, PackId::DoctorColumnCheck, texts.columnCheck);
    assignPackText(pack, PackId::DoctorColumnStatus, texts.columnStatus);
    assignPackText(pack, PackId::DoctorColumnDetail, texts.columnDetail);
    assignPackText(pack, PackId::DoctorColumnRemedy, texts.columnRemedy);
    assignPackText(pack, PackId::DoctorOfferTest, texts.offerTest);
    assignPackText(pack, PackId::DoctorCloseButton, texts.closeButton);
    assignPackText(pack, PackId::PortsPresent, texts.portsPresent);
    assignPackText(pack, PackId::NoPortsPresent, texts.noPortsPresent);
    assignPackText(pack, PackId::PortAddToGroup, texts.joinGroup);
    assignPackText(pack, PackId::PortRelogin, texts.relogin);
    assignPackText(pack, PackId::PortHeldByProcess, texts.heldByProcess);
    assignPackText(pack, PackId::PortHeldByOther, texts.heldByOther);
}

} // namespace vrx
