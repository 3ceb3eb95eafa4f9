#include "radio/service_panel.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vrx {

namespace {

QSpinBox *driveSpin(QWidget *parent) {
    auto *spin = new QSpinBox(parent);
    spin->setRange(0, kDriveMax);
    spin->setSingleStep(1);
    if (auto *edit = spin->findChild<QLineEdit *>())
        edit->setMaxLength(3);
    spin->setMinimumWidth(70);
    return spin;
}

QLabel *caption(const QString &text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ServicePanel::ServicePanel(RadioSettings *settings, BandPlan *bands, QWidget *parent)
    : QWidget(parent), settings_(settings), bands_(bands) {
    // Power drive box: high on the left, low2 on the right with the hidden low1 under it.
    powerBox_ = new QGroupBox(QStringLiteral("功率调整"), this);
    const char *const driveCaptions[kDriveCount] = {"高功率值", "低功率2", "低功率值"};
    for (int i = 0; i < kDriveCount; ++i) {
        const Drive drive = static_cast<Drive>(i);
        spins_[i] = driveSpin(powerBox_);
        spins_[i]->setObjectName(driveKey(drive));
        spins_[i]->setValue(settings_->drive(drive));
        driveLabels_[i] = caption(QString::fromUtf8(driveCaptions[i]), powerBox_);
        driveLabels_[i]->setBuddy(spins_[i]);
        connect(spins_[i], &QSpinBox::valueChanged, this,
                [this, drive](int value) { settings_->setDrive(drive, value); });
    }
    auto *highFrame = new QFrame(powerBox_);
    highFrame->setFrameShape(QFrame::StyledPanel);
    auto *highLayout = new QHBoxLayout(highFrame);
    highLayout->addWidget(driveLabel(Drive::High));
    highLayout->addWidget(spin(Drive::High));
    auto *lowFrame = new QFrame(powerBox_);
    lowFrame->setFrameShape(QFrame::StyledPanel);
    auto *lowLayout = new QGridLayout(lowFrame);
    lowLayout->addWidget(driveLabel(Drive::Low2), 0, 0);
    lowLayout->addWidget(spin(Drive::Low2), 0, 1);
    lowLayout->addWidget(driveLabel(Drive::Low1), 1, 0);
    lowLayout->addWidget(spin(Drive::Low1), 1, 1);
    driveLabel(Drive::Low1)->hide();
    spin(Drive::Low1)->hide();
    auto *powerLayout = new QHBoxLayout(powerBox_);
    powerLayout->addWidget(highFrame);
    powerLayout->addWidget(lowFrame);

    const char *const buttonCaptions[kServiceActionCount] = {"老化", "读出", "默认值", "功率调整"};
    const char *const buttonNames[kServiceActionCount] = {"aging", "readDrive", "defaultDrive",
                                                          "writeDrive"};
    auto *buttonRow = new QHBoxLayout;
    for (int i = 0; i < kServiceActionCount; ++i) {
        const auto action = static_cast<ServiceAction>(i);
        buttons_[i] = new QPushButton(QString::fromUtf8(buttonCaptions[i]), this);
        buttons_[i]->setObjectName(QString::fromLatin1(buttonNames[i]));
        buttonRow->addWidget(buttons_[i]);
        connect(buttons_[i], &QPushButton::clicked, this,
                [this, action] { emit serviceRequested(action); });
    }

    // The band lists: their entries come only from the settings file and opened files.
    const char *const bandCaptions[2] = {"频段一", "频段二"};
    auto *bandRow = new QHBoxLayout;
    for (int band = 0; band < 2; ++band) {
        bandBoxes_[band] = new QGroupBox(QString::fromUtf8(bandCaptions[band]), this);
        rxLabels_[band] = caption(QStringLiteral("接收"), bandBoxes_[band]);
        txLabels_[band] = caption(QStringLiteral("发射"), bandBoxes_[band]);
        auto *grid = new QGridLayout(bandBoxes_[band]);
        for (int dir = 0; dir < 2; ++dir) {
            const auto list = static_cast<BandList>(band * 2 + dir);
            auto *combo = new QComboBox(bandBoxes_[band]);
            combo->setObjectName(
                QStringLiteral("band%1%2").arg(band + 1).arg(QLatin1String(dir ? "Tx" : "Rx")));
            combo->setMinimumWidth(110);
            bandCombos_[static_cast<int>(list)] = combo;
            grid->addWidget(dir ? txLabels_[band] : rxLabels_[band], dir, 0);
            grid->addWidget(combo, dir, 1);
            fillBand(list);
            connect(combo, &QComboBox::activated, this, [this, list](int index) {
                bands_->select(list, index);
                emit bandAccepted(list);
            });
        }
        bandBoxes_[band]->hide();
        bandBoxes_[band]->setEnabled(false);
        bandRow->addWidget(bandBoxes_[band]);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(powerBox_);
    layout->addLayout(buttonRow);
    layout->addLayout(bandRow);
    layout->addStretch();

    connect(settings_, &RadioSettings::driveChanged, this, [this](Drive drive, int value) {
        const QSignalBlocker block(spin(drive));
        spin(drive)->setValue(value);
    });
    connect(bands_, &BandPlan::listChanged, this, &ServicePanel::fillBand);
}

void ServicePanel::fillBand(BandList list) {
    QComboBox *combo = bandCombo(list);
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(bands_->entries(list));
    combo->setCurrentIndex(bands_->selected(list));
}

} // namespace vrx
