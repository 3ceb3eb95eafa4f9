#pragma once

#include "about_dialog.h"
#include "main_window.h"
#include "transfer_dialog.h"
#include "warning_dialog.h"

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
