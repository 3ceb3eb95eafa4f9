#include "radio/connection_doctor.h"
#include "radio/protocol_constants.h"
#include "radio/radio_image.h"
#include "radio/simulated_link.h"

#include "radio_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

using FaultKind = SimulatedRadio::FaultKind;

constexpr uint kDialout = 20;
const QString kCable = QStringLiteral("/dev/ttyUSB0");

// A system in a temporary folder: sysfs, proc, udev's database and rules and the
// package database as fake trees, and the node, the user and the port list as data.
class FakeSystem : public SystemFacts {
public:
    explicit FakeSystem(const QString &root) : SystemFacts(rootsUnder(root)), root_(root) {}

    static Roots rootsUnder(const QString &root) {
        Roots roots;
        roots.sysfs = root + QStringLiteral("/sys");
        roots.proc = root + QStringLiteral("/proc");
        roots.udevData = root + QStringLiteral("/run/udev/data");
        roots.udevRules = {root + QStringLiteral("/etc/udev/rules.d"),
                           root + QStringLiteral("/usr/lib/udev/rules.d")};
        roots.dpkgStatus = root + QStringLiteral("/var/lib/dpkg/status");
        return roots;
    }

    void write(const QString &path, const QByteArray &content) const {
        const QString full = root_ + path;
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void link(const QString &path, const QString &target) const {
        const QString full = root_ + path;
        QDir().mkpath(QFileInfo(full).path());
        ASSERT_TRUE(QFile::link(target.startsWith(u'/') && !target.startsWith(QLatin1String("/dev"))
                                    ? root_ + target
                                    : target,
                                full));
    }
    void mkdir(const QString &path) const { QDir().mkpath(root_ + path); }

    // A USB chip at /sys/devices/usb1/1-1; with a tty it gets ttyUSB0 and its class link.
    void plugChip(const char *vendorId, const char *productId, bool withTty,
                  const QByteArray &bcdDevice = "0264", const QByteArray &version = " 1.10") {
        const QString usb = QStringLiteral("/sys/devices/usb1/1-1");
        write(usb + QStringLiteral("/idVendor"), vendorId);
        write(usb + QStringLiteral("/idProduct"), productId);
        write(usb + QStringLiteral("/product"), "USB Serial\n");
        write(usb + QStringLiteral("/bcdDevice"), bcdDevice);
        write(usb + QStringLiteral("/version"), version);
        mkdir(usb + QStringLiteral("/1-1:1.0"));
        link(QStringLiteral("/sys/bus/usb/devices/1-1"), usb);
        if (!withTty)
            return;
        const QString tty = usb + QStringLiteral("/1-1:1.0/ttyUSB0");
        mkdir(tty);
        mkdir(QStringLiteral("/sys/bus/usb-serial/drivers/ch341-uart"));
        link(tty + QStringLiteral("/driver"),
             QStringLiteral("/sys/bus/usb-serial/drivers/ch341-uart"));
        write(QStringLiteral("/sys/class/tty/ttyUSB0/dev"), "188:0\n");
        link(QStringLiteral("/sys/class/tty/ttyUSB0/device"), tty);
    }
    void runProcess(int pid, const QByteArray &name, const QString &openDevice = {}) const {
        write(QStringLiteral("/proc/%1/comm").arg(pid), name + '\n');
        mkdir(QStringLiteral("/proc/%1/fd").arg(pid));
        if (!openDevice.isEmpty())
            link(QStringLiteral("/proc/%1/fd/3").arg(pid), openDevice);
    }

    std::optional<DeviceNode> node(const QString &device) const override {
        if (device == kCable && nodePresent)
            return deviceNode;
        return std::nullopt;
    }
    bool mayReadWrite(const QString &) const override { return mayUse; }
    UserFacts user() const override { return userFacts; }
    bool busy(const QString &) const override { return exclusive; }
    std::optional<qint64> lockOwner(const QString &) const override { return lock; }
    qint64 ownPid() const override { return 100; }
    QStringList serialPorts() const override { return ports; }

    bool nodePresent = true;
    DeviceNode deviceNode{0, kDialout, QStringLiteral("root"), QStringLiteral("dialout"), 0660};
    bool mayUse = true;
    UserFacts userFacts{1000, QStringLiteral("ham"), {1000}, {}};
    bool exclusive = false;
    std::optional<qint64> lock;
    QStringList ports{kCable};

private:
    QString root_;
};

class ConnectionDoctor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // The radio behind the probe's link.
    DeviceLinkFactory radioLink() {
        return [this](const QString &) -> std::unique_ptr<SerialLink> {
            return std::make_unique<SimulatedLink>(radio_);
        };
    }
    DoctorReport examine() { return examinePort(kCable, system_, texts_, lineTexts_, radioLink()); }
    static const DoctorCheck *find(const DoctorReport &report, const char *name) {
        for (const DoctorCheck &check : report.checks) {
            if (check.name == QLatin1String(name))
                return &check;
        }
        return nullptr;
    }

    QTemporaryDir dir_;
    FakeSystem system_{dir_.path()};
    SimulatedRadio radio_;
    DoctorTexts texts_;
    LineTexts lineTexts_;
};

TEST_F(ConnectionDoctor, AnsweringRadioIsProbedWithoutWriting) {
    system_.plugChip("1a86", "7523", true);
    const QByteArray before = radio_.memory();
    const DoctorReport report = examine();
    EXPECT_EQ(report.verdict, DoctorVerdict::Ok);
    QStringList names;
    for (const DoctorCheck &check : report.checks) {
        names << check.name;
        EXPECT_EQ(check.status, CheckStatus::Ok) << check.detail.toStdString();
    }
    EXPECT_EQ(names, QStringList({"device", "access", "holders", "chip", "probe"}));
    EXPECT_EQ(report.identBlock, radio_.memory().mid(RadioImage::kIdentAddress, 8));
    EXPECT_EQ(find(report, "probe")->detail,
              texts_.probeOk.arg(QStringLiteral("1"), hexBytes(report.identBlock)));
    EXPECT_EQ(find(report, "chip")->detail,
              texts_.chipUsb.arg(QStringLiteral("-"), QStringLiteral("USB Serial"),
                                 QStringLiteral("1a86:7523"), QStringLiteral("ch341-uart")));
    EXPECT_TRUE(radio_.endReceived());
    EXPECT_FALSE(radio_.inCloneMode());
    EXPECT_EQ(radio_.memory(), before);
    EXPECT_FALSE(radio_.received().contains(ProtocolBytes::kWriteOpcode));
}

struct ProbeCase {
    const char *name;
    SimulatedRadio::Fault fault;
    DoctorVerdict verdict;
};

class DoctorProbe : public ConnectionDoctor, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(DoctorProbe, WhatTheLineDidIsTheVerdict) {
    radio_.setFault(GetParam().fault);
    const DoctorReport report = examine();
    EXPECT_EQ(report.verdict, GetParam().verdict);
    const DoctorCheck *probe = find(report, "probe");
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->status, CheckStatus::Problem);
    EXPECT_FALSE(probe->remedy.isEmpty());
    EXPECT_FALSE(radio_.endReceived());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DoctorProbe,
    ::testing::Values(ProbeCase{"silent", {FaultKind::SilentFrom, 1}, DoctorVerdict::NoAnswer},
                      ProbeCase{"echo", {FaultKind::CableOnly}, DoctorVerdict::Echo},
                      ProbeCase{"noise", {FaultKind::Noise}, DoctorVerdict::Garbage},
                      ProbeCase{"other", {FaultKind::WrongIdent}, DoctorVerdict::OtherRadio},
                      ProbeCase{"stops", {FaultKind::SilentFrom, 3}, DoctorVerdict::Stopped}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ConnectionDoctor, MissingCableClaimedByBrlttyNamesTheRuleAndTheCommand) {
    system_.nodePresent = false;
    system_.ports = {QStringLiteral("/dev/ttyS0")};
    system_.plugChip("1a86", "7523", false);
    system_.write("/var/lib/dpkg/status", "Package: brltty\nStatus: install ok installed\n\n"
                                          "Package: other\nStatus: install ok installed\n");
    system_.write("/usr/lib/udev/rules.d/85-brltty.rules",
                  "ENV{PRODUCT}==\"1a86/7523/*\", ATTRS{idVendor}==\"1a86\", "
                  "ATTRS{idProduct}==\"7523\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\"\n");
    const DoctorReport report = examine();
    EXPECT_EQ(report.verdict, DoctorVerdict::Missing);
    ASSERT_EQ(report.checks.size(), 1);
    const DoctorCheck &device = report.checks.first();
    EXPECT_EQ(device.status, CheckStatus::Problem);
    EXPECT_TRUE(device.detail.contains(texts_.portsPresent.arg(QStringLiteral("/dev/ttyS0"))));
    EXPECT_TRUE(device.detail.contains(
        texts_.brlttyClaims.arg(QStringLiteral("85-brltty.rules"), QStringLiteral("1a86:7523"))));
    EXPECT_TRUE(device.remedy.contains(texts_.brlttyRemedy.arg(QStringLiteral("85-brltty.rules"))));

    // Masked in /etc, the rule no longer claims the chip: then only the driver is in doubt.
    system_.link("/etc/udev/rules.d/85-brltty.rules", QStringLiteral("/dev/null"));
    const DoctorCheck masked = examine().checks.first();
    EXPECT_FALSE(masked.detail.contains(QStringLiteral("85-brltty.rules")));
    EXPECT_TRUE(masked.remedy.contains(texts_.chipWithoutTtyRemedy));
}

struct AccessCase {
    const char *name;
    DeviceNode node;
    UserFacts user;
    QString remedy; // the part of the remedy that must be there
};

class DoctorAccess : public ConnectionDoctor, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(DoctorAccess, AdvisesOnlyAGroupThatWouldHelp) {
    system_.mayUse = false;
    system_.deviceNode = GetParam().node;
    system_.userFacts = GetParam().user;
    const DoctorReport report = examine();
    EXPECT_EQ(report.verdict, DoctorVerdict::NoPermission);
    EXPECT_EQ(find(report, "probe"), nullptr);
    const DoctorCheck *access = find(report, "access");
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->status, CheckStatus::Problem);
    EXPECT_TRUE(access->remedy.contains(GetParam().remedy)) << access->remedy.toStdString();
    EXPECT_FALSE(access->remedy.contains(QStringLiteral("usermod -aG root")));
    EXPECT_TRUE(access->detail.contains(rightsText(GetParam().node.mode)));
}

const DoctorTexts kTexts;
INSTANTIATE_TEST_SUITE_P(
    Rights, DoctorAccess,
    ::testing::Values(AccessCase{"join_dialout",
                                 {0, kDialout, "root", "dialout", 0660},
                                 {1000, "ham", {1000}, {}},
                                 kTexts.joinGroup.arg(QStringLiteral("dialout"))},
                      AccessCase{"log_in_again",
                                 {0, kDialout, "root", "dialout", 0660},
                                 {1000, "ham", {1000}, {"dialout"}},
                                 kTexts.relogin.arg(QStringLiteral("dialout"))},
                      AccessCase{"root_owned_terminal",
                                 {0, 0, "root", "root", 0620},
                                 {1000, "ham", {1000}, {}},
                                 kTexts.groupWontHelp.arg(QStringLiteral("root"), kCable)},
                      AccessCase{"group_without_rights",
                                 {0, 5, "root", "tty", 0600},
                                 {1000, "ham", {1000}, {}},
                                 kTexts.groupWontHelp.arg(QStringLiteral("tty"), kCable)},
                      AccessCase{"group_already_held",
                                 {0, kDialout, "root", "dialout", 0660},
                                 {1000, "ham", {1000, kDialout}, {"dialout"}},
                                 kTexts.groupWontHelp.arg(QStringLiteral("dialout"), kCable)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ConnectionDoctor, AHolderMakesThePortBusyAndIsNamed) {
    system_.runProcess(4242, "minicom", kCable);
    system_.exclusive = true;
    const DoctorReport report = examine();
    EXPECT_EQ(report.verdict, DoctorVerdict::Busy);
    EXPECT_EQ(find(report, "probe"), nullptr);
    EXPECT_EQ(find(report, "holders")->detail,
              texts_.heldByProcess.arg(kCable, QStringLiteral("minicom"), QStringLiteral("4242")));

    // A lock file names its process even when nothing else shows it.
    system_.exclusive = false;
    system_.lock = 777;
    const DoctorReport lockedReport = examine();
    EXPECT_EQ(lockedReport.verdict, DoctorVerdict::Busy);
    const DoctorCheck *locked = find(lockedReport, "holders");
    EXPECT_EQ(locked->detail, texts_.heldLock.arg(kCable, QStringLiteral("777")));
    EXPECT_EQ(locked->remedy, texts_.heldRemedy);
}

TEST_F(ConnectionDoctor, ModemManagerWarnsUnlessUdevTellsItToIgnoreThePort) {
    system_.plugChip("1a86", "7523", true);
    system_.runProcess(300, "ModemManager");
    DoctorReport report = examine();
    EXPECT_EQ(report.verdict, DoctorVerdict::Ok);
    EXPECT_EQ(find(report, "holders")->status, CheckStatus::Warning);
    EXPECT_EQ(find(report, "holders")->remedy, texts_.modemManagerRemedy);

    system_.write("/run/udev/data/c188:0", "I:123\nE:ID_MM_DEVICE_IGNORE=1\nG:systemd\n");
    report = examine();
    EXPECT_EQ(find(report, "holders")->status, CheckStatus::Ok);
    EXPECT_TRUE(find(report, "holders")->detail.contains(texts_.modemManagerIgnores.arg(kCable)));
}

TEST_F(ConnectionDoctor, DiscontinuedProlificChipIsAWarning) {
    system_.plugChip("067b", "2303", true, "0300", " 1.10");
    const DoctorReport report = examine();
    const DoctorCheck *chip = find(report, "chip");
    EXPECT_EQ(chip->status, CheckStatus::Warning);
    EXPECT_TRUE(chip->detail.contains(texts_.chipPl2303Old));
    EXPECT_EQ(chip->remedy, texts_.chipReplaceRemedy);
}

TEST_F(ConnectionDoctor, SurveyStopsAtTheFirstPortThatAnswers) {
    system_.ports = {QStringLiteral("/dev/ttyS0"), kCable, QStringLiteral("/dev/ttyUSB1")};
    const DoctorSurvey survey = examineAllPorts(system_, texts_, lineTexts_, radioLink());
    ASSERT_EQ(survey.reports.size(), 2);
    EXPECT_EQ(survey.answering, 1);
    EXPECT_EQ(survey.reports[0].verdict, DoctorVerdict::Missing);
    EXPECT_EQ(reportSummary(survey.reports[1], texts_), texts_.radioIsOn.arg(kCable));
}

} // namespace
} // namespace vrx
