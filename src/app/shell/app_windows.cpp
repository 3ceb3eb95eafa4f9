#include "shell/app_windows.h"

#include "files/plan_document.h"
#include "files/recovery.h"

namespace vrx {

AppWindows::AppWindows(const AppEnvironment &environment) : main(environment) {
    main.attachDialogs(&about, &transfer, &warning);
    // A failure shown over the transfer dialog must be visible above it.
    QObject::connect(&warning, &WarningDialog::aboutToShow, &transfer,
                     [this] { transfer.setKeptOnTop(false); });
    QObject::connect(&warning, &QDialog::finished, &transfer,
                     [this] { transfer.setKeptOnTop(true); });
    // Every window exists now, so the pack can reach all of them.
    main.chooseStartLanguage();
    // The start plan in the start language is the clean one.
    main.planDocument().markNew();
}

AppWindows::~AppWindows() {
    // A clean end: the autosave is not needed for recovery.
    main.recovery().finish();
    main.saveAppSettings();
}

} // namespace vrx
