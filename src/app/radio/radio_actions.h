#pragma once

#include "radio/serial_link.h"
#include "radio/service_panel.h"
#include "radio/transfer_dialog.h"
#include "radio/transfer_engine.h"
#include "radio/transfer_texts.h"

#include <QString>

#include <memory>

namespace vrx {

class LanguagePack;
class MainWindow;

// Reading and writing the radio through the transfer dialog, and the service functions,
// on the window's current port.
class RadioActions {
public:
    explicit RadioActions(MainWindow &window) : window_(window) {}
    ~RadioActions();

    // Probes the port and brings up the transfer dialog; the exchange starts from there.
    void startTransfer(TransferKind kind);
    // The exchange itself, when the transfer dialog's start is pressed.
    void runTransfer();
    // The transfer dialog has closed: its port is let go.
    void closeTransferLink();
    void runService(ServiceAction action);

    const TransferTexts &texts() const { return texts_; }
    void applyPack(const LanguagePack &pack) { texts_.apply(pack); }

private:
    // The write dialog's check boxes go into myini.ini with the next save of the settings.
    void rememberWriteOptions();
    // A failure notice in the warning dialog, over whatever else is up.
    void showFailure(const QString &message, const QStringList &details = {});
    // The port message, with why `device` did not open and what helps below it.
    void showPortFailure(const QString &device, const QString &error);

    MainWindow &window_;
    // Holds the port open while the transfer dialog is up, on a thread of its own.
    std::unique_ptr<TransferWorker> transferWorker_;
    TransferTexts texts_;
};

} // namespace vrx
