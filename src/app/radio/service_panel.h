#pragma once

#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vrx {

enum class ServiceAction : int { StartAging, ReadPowerDrive, DefaultPowerDrive, WritePowerDrive };
inline constexpr int kServiceActionCount = 4;

// The service panel of the other-functions page: power drive calibration, the aging
// command and the four band lists. The program creates it hidden and disabled and
// never shows it; its controls are still the views of the drive values and band lists.
class ServicePanel : public QWidget {
    Q_OBJECT
public:
    ServicePanel(RadioSettings *settings, BandPlan *bands, QWidget *parent = nullptr);

    QSpinBox *spin(Drive drive) const { return spins_[static_cast<int>(drive)]; }
    QLabel *driveLabel(Drive drive) const { return driveLabels_[static_cast<int>(drive)]; }
    QGroupBox *powerBox() const { return powerBox_; }
    QPushButton *button(ServiceAction action) const { return buttons_[static_cast<int>(action)]; }
    QComboBox *bandCombo(BandList list) const { return bandCombos_[static_cast<int>(list)]; }
    // Box of band 1 (index 0) or band 2 (index 1), with its receive and transmit captions.
    QGroupBox *bandBox(int band) const { return bandBoxes_[band]; }
    QLabel *receiveLabel(int band) const { return rxLabels_[band]; }
    QLabel *transmitLabel(int band) const { return txLabels_[band]; }

signals:
    // A service button was pressed.
    void serviceRequested(vrx::ServiceAction action);
    // An entry was accepted in a band list's drop-down (the same one or another).
    void bandAccepted(vrx::BandList list);

private:
    void fillBand(BandList list);

    RadioSettings *settings_;
    BandPlan *bands_;
    std::array<QSpinBox *, kDriveCount> spins_{};
    std::array<QLabel *, kDriveCount> driveLabels_{};
    std::array<QPushButton *, kServiceActionCount> buttons_{};
    std::array<QComboBox *, kBandListCount> bandCombos_{};
    std::array<QGroupBox *, 2> bandBoxes_{};
    std::array<QLabel *, 2> rxLabels_{};
    std::array<QLabel *, 2> txLabels_{};
    QGroupBox *powerBox_ = nullptr;
};

} // namespace vrx
