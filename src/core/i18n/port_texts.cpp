#include "i18n/port_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

void applyToPortTexts(const LanguagePack &pack, PortTexts &texts) {
    assignPackText(pack, PackId::PortIsDevice, texts.isDevice);
    assignPackText(pack, PackId::PortMissing, texts.missing);
    assignPackText(pack, PackId::PortsPresent, texts.present);
    assignPackText(pack, PackId::NoPortsPresent, texts.nonePresent);
    assignPackText(pack, PackId::PortAccessDenied, texts.accessDenied);
    assignPackText(pack, PackId::PortAddToGroup, texts.addToGroup);
    assignPackText(pack, PackId::PortRelogin, texts.relogin);
    assignPackText(pack, PackId::DoctorGroupWontHelp, texts.groupWontHelp);
    assignPackText(pack, PackId::PortUdevRule, texts.udevRule);
    assignPackText(pack, PackId::PortHeldByOther, texts.heldByOther);
    assignPackText(pack, PackId::PortHeldByProcess, texts.heldByProcess);
    assignPackText(pack, PackId::PortHeldByTransfer, texts.heldByTransfer);
    assignPackText(pack, PackId::PortOtherError, texts.otherError);
}

void applyToPortDialogTexts(const LanguagePack &pack, PortDialogTexts &texts) {
    assignPackText(pack, PackId::MenuPortSettings, texts.menuItem);
    assignPackText(pack, PackId::PortSettingsTitle, texts.title);
    assignPackText(pack, PackId::PortColumnDevice, texts.device);
    assignPackText(pack, PackId::PortColumnDescription, texts.description);
    assignPackText(pack, PackId::PortColumnManufacturer, texts.manufacturer);
    assignPackText(pack, PackId::PortColumnUsbId, texts.usbId);
    assignPackText(pack, PackId::PortColumnSerialNumber, texts.serialNumber);
    assignPackText(pack, PackId::PortDetectButton, texts.detect);
    assignPackText(pack, PackId::PortDetectPrompt, texts.detectPrompt);
    assignPackText(pack, PackId::PortDetectFound, texts.detectFound);
    assignPackText(pack, PackId::PortRefreshButton, texts.refresh);
    assignPackText(pack, PackId::PortDetectNone, texts.detectNone);
}

} // namespace vrx
