#include "radio/port_diagnosis.h"

#include "test_texts.h"

#include <gtest/gtest.h>

#include <functional>

namespace vrx {
namespace {

constexpr qint64 kOwnPid = 1000;

// A system as the cases describe it.
struct FakeSystem : PortInspector {
    bool present = true;
    bool denied = false;
    QString group = QStringLiteral("dialout");
    bool inSession = false;
    bool inDatabase = false;
    std::optional<qint64> lock;
    QList<qint64> openBy;
    bool exclusive = false;
    bool rule = false;
    bool groupGrants = true;
    QStringList ports;

    bool exists(const QString &) const override { return present; }
    bool accessDenied(const QString &) const override { return denied; }
    QString groupOf(const QString &) const override { return group; }
    bool groupGrantsAccess(const QString &) const override { return groupGrants; }
    bool sessionHasGroup(const QString &) const override { return inSession; }
    bool userListedInGroup(const QString &) const override { return inDatabase; }
    std::optional<qint64> lockOwner(const QString &) const override { return lock; }
    QList<qint64> holders(const QString &) const override { return openBy; }
    QString processName(qint64 pid) const override {
        return pid == 4242 ? QStringLiteral("minicom") : QStringLiteral("other");
    }
    bool busy(const QString &) const override { return exclusive; }
    qint64 ownPid() const override { return kOwnPid; }
    bool udevRuleInstalled() const override { return rule; }
    QStringList presentPorts() const override { return ports; }
};

// Texts that show which text was chosen and what went into it.
PortTexts markedTexts() {
    PortTexts t;
    t.isDevice = QStringLiteral("COM%1 is %2");
    t.missing = QStringLiteral("missing %1");
    t.present = QStringLiteral("present: %1");
    t.nonePresent = QStringLiteral("no ports");
    t.accessDenied = QStringLiteral("denied %1 group %2");
    t.addToGroup = QStringLiteral("usermod %1");
    t.relogin = QStringLiteral("relogin %1");
    t.groupWontHelp = QStringLiteral("no group helps: %1 %2");
    t.udevRule = QStringLiteral("udev rule");
    t.heldByOther = QStringLiteral("held %1");
    t.heldByProcess = QStringLiteral("held %1 by %2 pid %3");
    t.heldByTransfer = QStringLiteral("ours %1");
    t.otherError = QStringLiteral("error %1: %2");
    return t;
}

struct DiagnosisCase {
    const char *name;
    FakeSystem system;
    int comItem;
    PortFault fault;
    QStringList lines;
};
void PrintTo(const DiagnosisCase &c, std::ostream *os) {
    *os << c.name;
}

FakeSystem with(const std::function<void(FakeSystem &)> &change) {
    FakeSystem system;
    change(system);
    return system;
}

class PortDiagnosisCase : public ::testing::TestWithParam<DiagnosisCase> {};

TEST_P(PortDiagnosisCase, FindsTheCauseAndTheRemedy) {
    const DiagnosisCase &c = GetParam();
    const PortDiagnosis d = diagnosePort(QStringLiteral("/dev/ttyUSB0"),
                                         QStringLiteral("Input/output error"), c.system);
    EXPECT_EQ(d.fault, c.fault);
    EXPECT_EQ(d.device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(portDiagnosisLines(d, markedTexts(), c.comItem), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, PortDiagnosisCase,
    ::testing::Values(
        DiagnosisCase{
            "MissingNamesThePortsThatExist",
            with([](FakeSystem &s) {
                s.present = false;
                s.ports = {"/dev/ttyS0", "/dev/ttyUSB1"};
            }),
            2,
            PortFault::Missing,
            {"COM2 is /dev/ttyUSB0", "missing /dev/ttyUSB0", "present: /dev/ttyS0, /dev/ttyUSB1"}},
        DiagnosisCase{"MissingWithNoPortAtAll",
                      with([](FakeSystem &s) { s.present = false; }),
                      0,
                      PortFault::Missing,
                      {"missing /dev/ttyUSB0", "no ports"}},
        DiagnosisCase{
            "DeniedOutsideTheGroupGetsUsermod",
            with([](FakeSystem &s) { s.denied = true; }),
            1,
            PortFault::AccessDenied,
            {"COM1 is /dev/ttyUSB0", "denied /dev/ttyUSB0 group dialout", "usermod dialout"}},
        DiagnosisCase{"DeniedWhenAddedAfterLoginGetsRelogin",
                      with([](FakeSystem &s) {
                          s.denied = true;
                          s.inDatabase = true;
                      }),
                      0,
                      PortFault::AccessDenied,
                      {"denied /dev/ttyUSB0 group dialout", "relogin dialout"}},
        DiagnosisCase{"DeniedWithTheUdevRuleSaysToReplug",
                      with([](FakeSystem &s) {
                          s.denied = true;
                          s.group = QStringLiteral("uucp");
                          s.rule = true;
                      }),
                      0,
                      PortFault::AccessDenied,
                      {"denied /dev/ttyUSB0 group uucp", "usermod uucp", "udev rule"}},
        DiagnosisCase{"DeniedByARootOwnedTerminalAdvisesNoGroup",
                      with([](FakeSystem &s) {
                          s.denied = true;
                          s.group = QStringLiteral("root");
                          s.groupGrants = false;
                      }),
                      0,
                      PortFault::AccessDenied,
                      {"denied /dev/ttyUSB0 group root", "no group helps: root /dev/ttyUSB0"}},
        DiagnosisCase{
            "DeniedAlthoughInTheGroupAdvisesNoGroup",
            with([](FakeSystem &s) {
                s.denied = true;
                s.inSession = true;
                s.inDatabase = true;
            }),
            0,
            PortFault::AccessDenied,
            {"denied /dev/ttyUSB0 group dialout", "no group helps: dialout /dev/ttyUSB0"}},
        DiagnosisCase{"LockFileNamesTheProgram",
                      with([](FakeSystem &s) { s.lock = 4242; }),
                      0,
                      PortFault::HeldByOther,
                      {"held /dev/ttyUSB0 by minicom pid 4242"}},
        DiagnosisCase{"OpenDescriptorNamesTheProgram",
                      with([](FakeSystem &s) { s.openBy = {4242}; }),
                      0,
                      PortFault::HeldByOther,
                      {"held /dev/ttyUSB0 by minicom pid 4242"}},
        DiagnosisCase{"OwnLockIsTheTransferWindow",
                      with([](FakeSystem &s) {
                          s.lock = kOwnPid;
                          s.openBy = {kOwnPid};
                      }),
                      3,
                      PortFault::HeldByThisProgram,
                      {"COM3 is /dev/ttyUSB0", "ours /dev/ttyUSB0"}},
        DiagnosisCase{"OwnExclusiveDescriptorWithoutALock",
                      with([](FakeSystem &s) {
                          s.openBy = {kOwnPid};
                          s.exclusive = true;
                      }),
                      0,
                      PortFault::HeldByThisProgram,
                      {"ours /dev/ttyUSB0"}},
        DiagnosisCase{"OwnPlainDescriptorDoesNotCount",
                      with([](FakeSystem &s) { s.openBy = {kOwnPid}; }),
                      0,
                      PortFault::Other,
                      {"error /dev/ttyUSB0: Input/output error"}},
        DiagnosisCase{"ExclusiveWithoutAVisibleHolder",
                      with([](FakeSystem &s) { s.exclusive = true; }),
                      0,
                      PortFault::HeldByOther,
                      {"held /dev/ttyUSB0"}},
        DiagnosisCase{"NothingFoundKeepsTheSystemsText",
                      FakeSystem{},
                      0,
                      PortFault::Other,
                      {"error /dev/ttyUSB0: Input/output error"}}),
    [](const auto &info) { return std::string(info.param.name); });

// A process or device name with "%" in it goes into the text as it is.
TEST(PortDiagnosisText, NamesAreNotPlaceholders) {
    PortDiagnosis d;
    d.fault = PortFault::HeldByOther;
    d.device = QStringLiteral("/dev/ttyUSB%1");
    d.holderPid = 7;
    d.holderName = QStringLiteral("odd%2name");
    EXPECT_EQ(portDiagnosisLines(d, markedTexts(), 4),
              (QStringList{"COM4 is /dev/ttyUSB%1", "held /dev/ttyUSB%1 by odd%2name pid 7"}));
}

} // namespace
} // namespace vrx
