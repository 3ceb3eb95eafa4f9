#pragma once

#include "dialogs/about_dialog.h"
#include "dialogs/warning_dialog.h"
#include "radio/transfer_dialog.h"
#include "shell/main_window.h"

namespace vrx {

// The program's four windows, created once in this order and wired to each other. They
// live until the program ends and are only shown and hidden.
class AppWindows {
public:
    explicit AppWindows(const AppEnvironment &environment = {});
    // Writes the application settings: the end of the run.
    ~AppWindows();

    MainWindow main;
    AboutDialog about;
    TransferDialog transfer;
    WarningDialog warning;
};

} // namespace vrx
