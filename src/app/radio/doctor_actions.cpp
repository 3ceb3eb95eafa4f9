#include "radio/doctor_actions.h"

#include "radio/doctor_dialog.h"
#include "shell/main_window.h"

#include <QAction>

namespace vrx {

DoctorActions::DoctorActions(MainWindow &window) : window_(window), action_(new QAction(&window)) {
    action_->setObjectName(QStringLiteral("testConnectionAction"));
    QObject::connect(action_, &QAction::triggered, &window, [this] { testCurrentPort(); });
    retranslate();
}

void DoctorActions::retranslate() {
    action_->setText(window_.shellTexts().doctor.menuItem);
}

void DoctorActions::testCurrentPort() {
    testDevice(window_.portDevice(window_.currentPort()));
}

void DoctorActions::testDevice(const QString &device) {
    const AppEnvironment &env = window_.environment();
    const DoctorTexts texts = window_.shellTexts().doctor;
    const LineTexts lineTexts = window_.texts().line;
    const DeviceLinkFactory makeLink =
        env.makeLink ? DeviceLinkFactory(env.makeLink) : serialLinkFactory();
    const auto examine = env.examinePort;
    DoctorDialog::Job job = [=]() {
        if (examine)
            return examine(device, texts, lineTexts);
        const SystemFacts facts;
        return examinePort(device, facts, texts, lineTexts, makeLink);
    };
    DoctorDialog dialog(device, std::move(job), texts, &window_);
    dialog_ = &dialog;
    dialog.exec();
    dialog_ = nullptr;
}

} // namespace vrx
