#include "radio/fleet_ports.h"
#include "radio/fleet_report.h"

#include "storage/csv_format.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

const QDateTime kStart(QDate(2026, 1, 31), QTime(23, 59, 58));

FleetPortResult result(const char *name, FleetOutcome outcome) {
    FleetPortResult r;
    r.port.name = QString::fromUtf8(name);
    r.port.device = QStringLiteral("/dev/ttyUSB0");
    r.port.usbSerial = QStringLiteral("A10K3");
    r.batch = 2;
    r.outcome = outcome;
    r.start = kStart;
    r.end = kStart.addSecs(14);
    return r;
}

TEST(FleetReportName, StampAndAttempt) {
    EXPECT_EQ(fleetReportFileName(kStart), QStringLiteral("fleet-20260131-235958.csv"));
    EXPECT_EQ(fleetReportFileName(kStart, 2), QStringLiteral("fleet-20260131-235958-2.csv"));
}

TEST(FleetReportName, ASecondRunInTheSameSecondGetsItsOwnFile) {
    QTemporaryDir dir;
    const DataFolder folder(dir.path());
    const QString first = fleetReportPath(folder, kStart);
    EXPECT_EQ(first, QDir(dir.path()).filePath(QStringLiteral("fleet-20260131-235958.csv")));
    QString reason;
    ASSERT_TRUE(writeFleetReport(first, {}, &reason)) << reason.toStdString();
    EXPECT_EQ(fleetReportPath(folder, kStart),
              QDir(dir.path()).filePath(QStringLiteral("fleet-20260131-235958-2.csv")));
}

TEST(FleetReport, ALineForEveryRadioWithItsResult) {
    FleetPortResult verified = result("COM3", FleetOutcome::Verified);
    verified.verified = true;
    verified.backupFile = QStringLiteral("before-write-20260131-235958.vrx");
    FleetPortResult failed = result("/dev/pts/7", FleetOutcome::Failed);
    failed.why = QStringLiteral("no response at channel 12, block 2");
    FleetPortResult differs = result("电台", FleetOutcome::Differs);
    differs.verified = true;
    differs.differences = 3;
    differs.firstDifference = QStringLiteral("CH007 RxFreq: wrote 145.52500, radio holds 1");
    FleetPortResult written = result("=HYPERLINK(1)", FleetOutcome::Written);
    written.port.usbSerial = QStringLiteral("-12");

    const QString text = QString::fromUtf8(fleetReportCsv({verified, failed, differs, written}));
    const QList<CsvRecord> records = splitCsvRecords(text);
    ASSERT_EQ(records.size(), 5);
    EXPECT_EQ(records[0].fields,
              QStringList({"batch", "port", "device", "usb_serial", "start", "end", "result",
                           "backup_file", "verify", "first_difference"}));
    EXPECT_EQ(records[1].fields,
              QStringList({"2", "COM3", "/dev/ttyUSB0", "A10K3", "2026-01-31T23:59:58",
                           "2026-02-01T00:00:12", "verified", "before-write-20260131-235958.vrx",
                           "same", ""}));
    EXPECT_EQ(records[2].fields[6], QStringLiteral("failed: no response at channel 12, block 2"));
    EXPECT_EQ(records[2].fields[8], QStringLiteral("not verified"));
    EXPECT_EQ(records[3].fields[1], QStringLiteral("电台"));
    EXPECT_EQ(records[3].fields[6], QStringLiteral("differs"));
    EXPECT_EQ(records[3].fields[8], QStringLiteral("3 differences"));
    EXPECT_EQ(records[3].fields[9], differs.firstDifference);
    // Names from devices and files never run as a spreadsheet formula.
    EXPECT_EQ(records[4].fields[1], QStringLiteral("'=HYPERLINK(1)"));
    EXPECT_EQ(records[4].fields[3], QStringLiteral("'-12"));
    EXPECT_EQ(records[4].fields[6], QStringLiteral("written"));
}

TEST(FleetReport, WrittenAsUtf8IntoAFolderThatDidNotExist) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new/fleet.csv"));
    QString reason;
    ASSERT_TRUE(writeFleetReport(path, {result("电台", FleetOutcome::Verified)}, &reason))
        << reason.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\n2,\xe7\x94\xb5\xe5\x8f\xb0,"));
}

TEST(FleetReport, AFolderThatCannotBeMadeIsReported) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString reason;
    EXPECT_FALSE(writeFleetReport(dir.filePath(QStringLiteral("file/fleet.csv")), {}, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

TEST(FleetPorts, SystemPortsThenTheComItemsTheSystemDoesNotList) {
    SerialPortEntry usb;
    usb.device = QStringLiteral("/dev/ttyUSB0");
    usb.description = QStringLiteral("CP2102 USB to UART");
    usb.serialNumber = QStringLiteral("0001");
    SerialPortEntry plain;
    plain.device = QStringLiteral("/dev/ttyS0");
    const std::array<QString, kPortCount> items = {QStringLiteral("/dev/ttyUSB0"),
                                                   QStringLiteral("/dev/ttyUSB7"), QString(),
                                                   QStringLiteral("/dev/ttyUSB7")};
    const QList<FleetPort> ports = fleetPorts({usb, plain}, items);
    ASSERT_EQ(ports.size(), 3);
    EXPECT_EQ(ports[0].name, QStringLiteral("COM1"));
    EXPECT_EQ(ports[0].device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(ports[0].usbDescription, QStringLiteral("CP2102 USB to UART"));
    EXPECT_EQ(ports[0].usbSerial, QStringLiteral("0001"));
    EXPECT_EQ(ports[1].name, QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(ports[2].name, QStringLiteral("COM2 COM4"));
    EXPECT_EQ(ports[2].device, QStringLiteral("/dev/ttyUSB7"));
}

} // namespace
} // namespace vrx
