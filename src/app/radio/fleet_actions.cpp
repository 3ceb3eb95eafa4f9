#include "radio/fleet_actions.h"

#include "radio/fleet_ports.h"
#include "radio/transfer.h"
#include "shell/main_window.h"

#include <QAction>

namespace vrx {

FleetActions::FleetActions(MainWindow &window) : window_(window), action_(new QAction(&window)) {
    action_->setObjectName(QStringLiteral("fleetAction"));
    QObject::connect(action_, &QAction::triggered, &window, [this] { openWindow(); });
    retranslate();
}

FleetActions::~FleetActions() {
    delete fleetWindow_.data();
}

void FleetActions::retranslate() {
    action_->setText(window_.shellTexts().fleet.menuItem);
}

std::optional<TransferPlan> FleetActions::currentPlan(QString *reason) {
    // An edit still open in the grid belongs to the plan that is written.
    if (!window_.finishEditing())
        return std::nullopt;
    const TransferResult check = validateForWrite(window_.table(), window_.texts());
    if (!check.ok()) {
        *reason = check.message(window_.texts());
        return std::nullopt;
    }
    return TransferPlan::capture(window_.table(), window_.settings(), window_.bandPlan());
}

void FleetActions::openWindow() {
    if (fleetWindow_) {
        fleetWindow_->raise();
        fleetWindow_->activateWindow();
        return;
    }
    const auto makeLink = window_.environment().makeLink;
    FleetRun::PortLinks links = [makeLink](const FleetPort &port) -> LinkFactory {
        const QString device = port.device;
        return [makeLink, device] { return makeLink(device); };
    };
    const QString dataRoot = window_.environment().dataFolder;
    auto *fleet = new FleetWindow(
        fleetPorts(lister_(), window_.portDevices()), std::move(links),
        [this](QString *reason) { return currentPlan(reason); }, window_.texts(),
        window_.shellTexts().fleet, window_.shellTexts().portDialog, DataFolder(dataRoot),
        &window_);
    fleet->setAttribute(Qt::WA_DeleteOnClose);
    fleetWindow_ = fleet;
    fleet->show();
    fleet->activateWindow();
}

} // namespace vrx
