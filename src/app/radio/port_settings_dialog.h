#pragma once

#include "i18n/port_texts.h"
#include "radio/serial_ports.h"
#include "storage/app_settings.h"

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace vrx {

// Options > Port > Port settings…: the system's serial ports, a device chooser for each of
// COM1..COM4, and Detect, which finds the cable as it is plugged in and gives it to the
// current COM item.
class PortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    using PortLister = std::function<QList<SerialPortEntry>()>;
    using PortTester = std::function<void(const QString &device)>;

    PortSettingsDialog(const std::array<QString, kPortCount> &devices, int currentPort,
                       const PortDialogTexts &texts, PortLister lister = listSerialPorts,
                       QWidget *parent = nullptr);
    ~PortSettingsDialog() override;

    // The devices as chosen; what the dialog was opened with until the user changes them.
    std::array<QString, kPortCount> devices() const;

    // Gives each COM item a button captioned `buttonText` that tests its device.
    void setPortTester(const QString &buttonText, PortTester tester);

    // How often Detect lists the ports, and how long it waits for the cable.
    void setDetectTiming(int intervalMs, int timeoutMs);

    QTableWidget *portTable() const { return table_; }
    QComboBox *deviceChooser(int port) const { return choosers_.at(port - 1); }
    QPushButton *detectButton() const { return detect_; }
    QPushButton *testButton(int port) const { return testButtons_.at(port - 1); }
    QPushButton *refreshButton() const { return refresh_; }
    QLabel *statusLabel() const { return status_; }
    bool detecting() const;

protected:
    // The style sheet (skin, language's font) takes effect at the first showing; the
    // columns are fitted to their texts again then.
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void startDetect();
    void pollDetect();
    void stopDetect(const QString &status);
    void assign(int port, const QString &device);

    PortDialogTexts texts_;
    PortLister lister_;
    int currentPort_;
    QList<SerialPortEntry> ports_;
    QTableWidget *table_ = nullptr;
    std::array<QComboBox *, kPortCount> choosers_{};
    std::array<QPushButton *, kPortCount> testButtons_{};
    PortTester tester_;
    QPushButton *refresh_ = nullptr;
    QPushButton *detect_ = nullptr;
    QLabel *status_ = nullptr;
    QTimer *poll_ = nullptr;
    int detectTimeoutMs_ = 60000;
    QElapsedTimer detectClock_;
    std::optional<PortDetector> detector_;
};

} // namespace vrx
