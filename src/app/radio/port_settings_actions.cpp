#include "radio/port_settings_actions.h"

#include "radio/doctor_actions.h"
#include "shell/main_window.h"

#include <QAction>

namespace vrx {

PortSettingsActions::PortSettingsActions(MainWindow &window)
    : window_(window), action_(new QAction(&window)) {
    action_->setObjectName(QStringLiteral("portSettingsAction"));
    QObject::connect(action_, &QAction::triggered, &window, [this] { openDialog(); });
    retranslate();
}

void PortSettingsActions::retranslate() {
    action_->setText(window_.shellTexts().portDialog.menuItem);
}

void PortSettingsActions::openDialog() {
    PortSettingsDialog dialog(window_.portDevices(), window_.currentPort(),
                              window_.shellTexts().portDialog, lister_, &window_);
    dialog.setPortTester(window_.shellTexts().doctor.testButton, [this](const QString &device) {
        window_.doctorActions().testDevice(device);
    });
    dialog_ = &dialog;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog_ = nullptr;
    if (accepted)
        window_.assignPortDevices(dialog.devices());
}

} // namespace vrx
