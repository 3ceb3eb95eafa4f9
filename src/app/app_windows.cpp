#include "app_windows.h"

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
}

AppWindows::~AppWindows() {
    main.saveAppSettings();
}

} // namespace vrx
