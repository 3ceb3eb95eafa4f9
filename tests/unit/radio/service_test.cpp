#include "radio/service.h"
#include "radio/simulated_link.h"

#include "radio_test_support.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using test::hex;
using FaultKind = SimulatedRadio::FaultKind;

const QByteArray kHandshakeFrames = hex("02 5A 41 4E 62 6F 72");
const DriveValues kDefaults{79, 45, 45};

enum class Op { Read, Write, Aging };

ServiceResult run(Op op, SerialLink &link, RadioSettings &settings) {
    switch (op) {
    case Op::Read:
        return readPowerDrive(link, settings);
    case Op::Write:
        return writePowerDrive(link, settings);
    case Op::Aging:
        return startAging(link);
    }
    return {};
}

struct ServiceCase {
    const char *name;
    Op op;
    SimulatedRadio::Fault fault;
    ServiceStatus status;
    const char *sentAfterHandshake;
    DriveValues drivesAfter;
};

class ServiceExchange : public ::testing::TestWithParam<ServiceCase> {};

TEST_P(ServiceExchange, SendsItsFramesAndEndsAsTheRadioAllows) {
    const auto &c = GetParam();
    SimulatedRadio radio;
    radio.memory().replace(0x0C88, 8, hex("FF 00 0A 12 34 56 78 9A"));
    radio.setFault(c.fault);
    SimulatedLink link(radio);
    RadioSettings settings;
    const QByteArray memory = radio.memory();

    const ServiceResult result = run(c.op, link, settings);
    EXPECT_EQ(result.status, c.status) << result.detail.toStdString();
    EXPECT_EQ(radio.received(), kHandshakeFrames + hex(c.sentAfterHandshake));
    EXPECT_EQ(settings.drives(), c.drivesAfter);
    // Neither a failure nor a quiet skip shows a message; only MsgNoResponse does,
    // followed by what the line did when the handshake failed.
    const UiTexts texts;
    EXPECT_EQ(result.message(texts),
              result.status == ServiceStatus::NoResponse
                  ? withLineObservation(texts.msgNoResponse, result.line, texts.line)
                  : QString());
    EXPECT_EQ(radio.endReceived(), hex(c.sentAfterHandshake).endsWith("do"));
    EXPECT_EQ(radio.agingStarted(), hex(c.sentAfterHandshake).endsWith("ag"));
    if (c.op == Op::Write && c.status == ServiceStatus::Done)
        EXPECT_EQ(radio.memory().mid(0x0C88, 8), hex("4F 2D 2D FF FF FF FF FF"));
    else
        EXPECT_EQ(radio.memory(), memory);
    // Each exchange opens the port for itself and closes it on every path.
    EXPECT_EQ(link.openCount(), 1);
    EXPECT_EQ(link.closeCount(), 1);
    EXPECT_FALSE(link.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, ServiceExchange,
    ::testing::Values(
        ServiceCase{
            "ReadDone", Op::Read, {}, ServiceStatus::Done, "06 52 0C 88 08 06 64 6F", {255, 0, 10}},
        // Without an acknowledgement the block is skipped quietly; the closing
        // acknowledgement is still offered.
        ServiceCase{"ReadNoAck",
                    Op::Read,
                    {FaultKind::SilentFrom, 2},
                    ServiceStatus::NotAcknowledged,
                    "06 06",
                    kDefaults},
        // Without a full reply the drive values stay as they were.
        ServiceCase{"ReadNoReply",
                    Op::Read,
                    {FaultKind::SilentFrom, 3},
                    ServiceStatus::NoResponse,
                    "06 52 0C 88 08 06",
                    kDefaults},
        ServiceCase{"ReadGarbageReply",
                    Op::Read,
                    {FaultKind::Garbage, 3},
                    ServiceStatus::NoResponse,
                    "06 52 0C 88 08 06 64 6F",
                    kDefaults},
        ServiceCase{"ReadSplitReply",
                    Op::Read,
                    {FaultKind::SplitReply, 3},
                    ServiceStatus::NoResponse,
                    "06 52 0C 88 08 06 64 6F",
                    kDefaults},
        ServiceCase{"WriteDone",
                    Op::Write,
                    {},
                    ServiceStatus::Done,
                    "06 57 0C 88 08 4F 2D 2D FF FF FF FF FF 64 6F",
                    kDefaults},
        ServiceCase{"WriteNoAck",
                    Op::Write,
                    {FaultKind::SilentFrom, 2},
                    ServiceStatus::NotAcknowledged,
                    "06",
                    kDefaults},
        // An unacknowledged block: no message, and no end command.
        ServiceCase{"WriteBlockNotAcknowledged",
                    Op::Write,
                    {FaultKind::SilentFrom, 3},
                    ServiceStatus::NotAcknowledged,
                    "06 57 0C 88 08 4F 2D 2D FF FF FF FF FF",
                    kDefaults},
        ServiceCase{"AgingDone", Op::Aging, {}, ServiceStatus::Done, "06 61 67", kDefaults},
        ServiceCase{"AgingNoAck",
                    Op::Aging,
                    {FaultKind::SilentFrom, 2},
                    ServiceStatus::NotAcknowledged,
                    "06",
                    kDefaults}),
    [](const auto &info) { return std::string(info.param.name); });

class ServiceHandshake : public ::testing::TestWithParam<Op> {};

TEST_P(ServiceHandshake, FailureReportsNoResponseAfterSixAttempts) {
    SimulatedRadio radio;
    radio.setFault({FaultKind::SilentFrom, 1});
    SimulatedLink link(radio);
    RadioSettings settings;
    settings.setDrives({1, 2, 3});

    const ServiceResult result = run(GetParam(), link, settings);
    EXPECT_EQ(result.status, ServiceStatus::NoResponse);
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(radio.received(), kHandshakeFrames.repeated(6));
    EXPECT_EQ(link.nowMs(), 6 * 255);
    EXPECT_EQ(settings.drives(), (DriveValues{1, 2, 3}));
    EXPECT_FALSE(link.isOpen());
}

INSTANTIATE_TEST_SUITE_P(Ops, ServiceHandshake, ::testing::Values(Op::Read, Op::Write, Op::Aging));

TEST(Service, APortThatCannotBeOpenedOrIsHeldSendsNothing) {
    SimulatedRadio radio;
    SimulatedLink link(radio);
    RadioSettings settings;
    const UiTexts texts;
    link.setOpenFails(true);
    for (Op op : {Op::Read, Op::Write, Op::Aging}) {
        const ServiceResult result = run(op, link, settings);
        EXPECT_EQ(result.status, ServiceStatus::PortOpenFailed);
        EXPECT_EQ(result.message(texts), texts.msgPortOpenFailed);
    }
    // A port that a transfer holds open is left to it, open.
    link.setOpenFails(false);
    ASSERT_TRUE(link.open());
    EXPECT_EQ(readPowerDrive(link, settings).status, ServiceStatus::PortOpenFailed);
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(radio.received().isEmpty());
}

TEST(Service, APulledCableIsALinkFailureAndClosesThePort) {
    SimulatedRadio radio;
    SimulatedLink link(radio);
    link.setFailAtStep(3);
    RadioSettings settings;
    const ServiceResult result = writePowerDrive(link, settings);
    EXPECT_EQ(result.status, ServiceStatus::LinkFailed);
    EXPECT_EQ(result.detail, link.errorString());
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(radio.endReceived());
}

TEST(Service, DefaultPowerDriveRestoresTheValuesWithoutTheRadio) {
    SimulatedRadio radio;
    radio.memory().replace(0x0C88, 3, hex("FF 00 0A"));
    SimulatedLink link(radio);
    RadioSettings settings;
    ASSERT_EQ(readPowerDrive(link, settings).status, ServiceStatus::Done);
    ASSERT_EQ(settings.drives(), (DriveValues{255, 0, 10}));
    const int sent = int(radio.received().size());

    defaultPowerDrive(settings);
    EXPECT_EQ(settings.drives(), kDefaults);
    EXPECT_EQ(radio.received().size(), sent);
    EXPECT_EQ(radio.memory().mid(0x0C88, 3), hex("FF 00 0A"));
}

} // namespace
} // namespace vrx
