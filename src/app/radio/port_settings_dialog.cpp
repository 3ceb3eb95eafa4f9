#include "radio/port_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vrx {

namespace {

enum Column { DeviceCol, DescriptionCol, ManufacturerCol, UsbIdCol, SerialCol, ColumnCount };

} // namespace

PortSettingsDialog::PortSettingsDialog(const std::array<QString, kPortCount> &devices,
                                       int currentPort, const PortDialogTexts &texts,
                                       PortLister lister, QWidget *parent)
    : QDialog(parent), texts_(texts), lister_(std::move(lister)),
      currentPort_(std::clamp(currentPort, 1, kPortCount)) {
    setWindowTitle(texts_.title);
    setObjectName(QStringLiteral("portSettingsDialog"));

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setHorizontalHeaderLabels({texts_.device, texts_.description, texts_.manufacturer,
                                       texts_.usbId, texts_.serialNumber});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumWidth(560);
    // A double click (or Enter) on a port gives it to the current COM item.
    connect(table_, &QTableWidget::cellActivated, this, [this](int row, int) {
        if (row >= 0 && row < ports_.size())
            assign(currentPort_, ports_[row].device);
    });

    auto *form = new QFormLayout;
    for (int port = 1; port <= kPortCount; ++port) {
        auto *chooser = new QComboBox(this);
        chooser->setEditable(true);
        chooser->setObjectName(QStringLiteral("com%1Device").arg(port));
        chooser->setEditText(devices[size_t(port - 1)]);
        choosers_[size_t(port - 1)] = chooser;
        auto *label = new QLabel(QStringLiteral("COM&%1").arg(port), this);
        label->setBuddy(chooser);
        // Test runs the connection doctor on the device as chosen; shown once a tester
        // is set.
        auto *test = new QPushButton(this);
        test->setObjectName(QStringLiteral("com%1Test").arg(port));
        test->hide();
        connect(test, &QPushButton::clicked, this, [this, chooser] {
            if (tester_)
                tester_(chooser->currentText().trimmed());
        });
        testButtons_[size_t(port - 1)] = test;
        auto *row = new QHBoxLayout;
        row->addWidget(chooser, 1);
        row->addWidget(test);
        form->addRow(label, row);
    }

    refresh_ = new QPushButton(texts_.refresh, this);
    detect_ = new QPushButton(texts_.detect, this);
    detect_->setCheckable(true);
    connect(refresh_, &QPushButton::clicked, this, &PortSettingsDialog::refresh);
    connect(detect_, &QPushButton::clicked, this, [this](bool on) {
        if (on)
            startDetect();
        else
            stopDetect(QString());
    });
    status_ = new QLabel(this);
    status_->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *actions = new QHBoxLayout;
    actions->addWidget(refresh_);
    actions->addWidget(detect_);
    actions->addWidget(status_, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(form);
    layout->addLayout(actions);
    layout->addWidget(buttons);

    poll_ = new QTimer(this);
    poll_->setInterval(250);
    connect(poll_, &QTimer::timeout, this, &PortSettingsDialog::pollDetect);

    refresh();
    choosers_[size_t(currentPort_ - 1)]->setFocus();
}

PortSettingsDialog::~PortSettingsDialog() = default;

void PortSettingsDialog::setPortTester(const QString &buttonText, PortTester tester) {
    tester_ = std::move(tester);
    for (QPushButton *button : testButtons_) {
        button->setText(buttonText);
        button->setVisible(bool(tester_));
    }
}

std::array<QString, kPortCount> PortSettingsDialog::devices() const {
    std::array<QString, kPortCount> devices;
    for (int i = 0; i < kPortCount; ++i)
        devices[size_t(i)] = choosers_[size_t(i)]->currentText().trimmed();
    return devices;
}

void PortSettingsDialog::setDetectTiming(int intervalMs, int timeoutMs) {
    poll_->setInterval(intervalMs);
    detectTimeoutMs_ = timeoutMs;
}

bool PortSettingsDialog::detecting() const {
    return detector_.has_value();
}

void PortSettingsDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    table_->resizeColumnsToContents();
}

void PortSettingsDialog::refresh() {
    ports_ = lister_();
    table_->setRowCount(int(ports_.size()));
    for (int row = 0; row < ports_.size(); ++row) {
        const SerialPortEntry &port = ports_[row];
        const QString cells[ColumnCount] = {port.device, port.description, port.manufacturer,
                                            port.usbId(), port.serialNumber};
        for (int col = 0; col < ColumnCount; ++col)
            table_->setItem(row, col, new QTableWidgetItem(cells[col]));
    }
    table_->resizeColumnsToContents();
    // The choosers offer the present ports and keep whatever each one holds.
    for (QComboBox *chooser : choosers_) {
        const QString current = chooser->currentText();
        chooser->clear();
        for (const SerialPortEntry &port : ports_)
            chooser->addItem(port.device);
        chooser->setEditText(current);
    }
}

void PortSettingsDialog::startDetect() {
    detector_.emplace(lister_());
    detectClock_.start();
    detect_->setChecked(true);
    status_->setText(texts_.detectPrompt.arg(currentPort_));
    poll_->start();
}

void PortSettingsDialog::pollDetect() {
    if (!detector_)
        return;
    const QList<SerialPortEntry> present = lister_();
    if (const std::optional<SerialPortEntry> found = detector_->update(present)) {
        refresh();
        assign(currentPort_, found->device);
        stopDetect(texts_.detectFound.arg(found->device, QString::number(currentPort_)));
        return;
    }
    if (detectClock_.hasExpired(detectTimeoutMs_))
        stopDetect(texts_.detectNone);
}

void PortSettingsDialog::stopDetect(const QString &status) {
    poll_->stop();
    detector_.reset();
    detect_->setChecked(false);
    status_->setText(status);
}

void PortSettingsDialog::assign(int port, const QString &device) {
    choosers_[size_t(port - 1)]->setEditText(device);
}

} // namespace vrx
