#include "i18n/port_texts.h"

#include "i18n/language_pack.h"

namespace vrx {

namespace {

void assign(const LanguagePack &pack, PackId id, QString &slot) {
    if (pack.has(id))
        slot = pack.text(id);
}

} // namespace

void applyToPortTexts(const LanguagePack &pack, PortTexts &texts) {
    assign(pack, PackId::PortIsDevice, texts.isDevice);
    assign(pack, PackId::PortMissing, texts.missing);
    assign(pack, PackId::PortsPresent, texts.present);
    assign(pack, PackId::NoPortsPresent, texts.nonePresent);
    assign(pack, PackId::PortAccessDenied, texts.accessDenied);
    assign(pack, PackId::PortAddToGroup, texts.addToGroup);
    assign(pack, PackId::PortRelogin, texts.relogin);
    assign(pack, PackId::PortUdevRule, texts.udevRule);
    assign(pack, PackId::PortHeldByOther, texts.heldByOther);
    assign(pack, PackId::PortHeldByProcess, texts.heldByProcess);
    assign(pack, PackId::PortHeldByTransfer, texts.heldByTransfer);
    assign(pack, PackId::PortOtherError, texts.otherError);
}

void applyToPortDialogTexts(const LanguagePack &pack, PortDialogTexts &texts) {
    assign(pack, PackId::MenuPortSettings, texts.menuItem);
    assign(pack, PackId::PortSettingsTitle, texts.title);
    assign(pack, PackId::PortColumnDevice, texts.device);
    assign(pack, PackId::PortColumnDescription, texts.description);
    assign(pack, PackId::PortColumnManufacturer, texts.manufacturer);
    assign(pack, PackId::PortColumnUsbId, texts.usbId);
    assign(pack, PackId::PortColumnSerialNumber, texts.serialNumber);
    assign(pack, PackId::PortDetectButton, texts.detect);
    assign(pack, PackId::PortDetectPrompt, texts.detectPrompt);
    assign(pack, PackId::PortDetectFound, texts.detectFound);
    assign(pack, PackId::PortRefreshButton, texts.refresh);
    assign(pack, PackId::PortDetectNone, texts.detectNone);
}

} // namespace vrx
