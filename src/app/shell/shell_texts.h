#pragma once

#include "i18n/doctor_texts.h"
#include "i18n/document_texts.h"
#include "i18n/file_dialog_texts.h"
#include "i18n/fleet_texts.h"
#include "i18n/port_texts.h"

namespace vrx {

class LanguagePack;

// The windows' texts beyond the original slots: why a port did not open, the port
// settings item and dialog, the file dialogs' captions, the fleet window. Built-in Chinese until a
// pack loads.
struct ShellTexts {
    PortTexts port;
    PortDialogTexts portDialog;
    FileDialogTexts fileDialog;
    FleetTexts fleet;
    DoctorTexts doctor;
    DocumentTexts document;
};

inline void applyToShellTexts(const LanguagePack &pack, ShellTexts &texts) {
    applyToPortTexts(pack, texts.port);
    applyToPortDialogTexts(pack, texts.portDialog);
    applyToFileDialogTexts(pack, texts.fileDialog);
    applyToFleetTexts(pack, texts.fleet);
    applyToDoctorTexts(pack, texts.doctor);
    applyToDocumentTexts(pack, texts.document);
}

} // namespace vrx
