#include "radio/serial_ports.h"

#include "test_texts.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

SerialPortEntry port(const char *device, const char *description = "",
                     std::optional<quint16> vid = std::nullopt,
                     std::optional<quint16> pid = std::nullopt) {
    SerialPortEntry entry;
    entry.device = QString::fromLatin1(device);
    entry.description = QString::fromLatin1(description);
    entry.vendorId = vid;
    entry.productId = pid;
    return entry;
}

TEST(SerialPorts, UsbIdIsFourHexDigitsEach) {
    EXPECT_EQ(port("/dev/ttyUSB0", "", 0x10c4, 0xea60).usbId(), QStringLiteral("10c4:ea60"));
    EXPECT_EQ(port("/dev/ttyUSB0", "", 0x403, 0x6001).usbId(), QStringLiteral("0403:6001"));
    EXPECT_EQ(port("/dev/ttyS0").usbId(), QString());
}

TEST(SerialPorts, ComItemsFollowLinksToTheDevice) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString node = dir.filePath("ttyUSB0");
    const QString byId = dir.filePath("usb-Silicon_Labs_CP2102-if00-port0");
    ASSERT_TRUE(QFile(node).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(node, byId));
    const std::array<QString, kPortCount> devices{byId, dir.filePath("ttyUSB1"), QString(), node};
    EXPECT_EQ(comItemsFor(node, devices), (QList<int>{1, 4}));
    EXPECT_EQ(comItemsFor(byId, devices), (QList<int>{1, 4}));
    EXPECT_EQ(comItemsFor(dir.filePath("ttyUSB1"), devices), (QList<int>{2}));
    EXPECT_EQ(comItemsFor(dir.filePath("ttyUSB9"), devices), QList<int>{});
}

TEST(SerialPorts, RowsShowDescriptionIdAndComItems) {
    const std::array<QString, kPortCount> devices{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2",
                                                  "/dev/ttyUSB0"};
    const QList<QStringList> rows =
        portListRows({port("/dev/ttyS0"), port("/dev/ttyUSB0", "CP2102", 0x10c4, 0xea60)}, devices);
    EXPECT_EQ(rows, (QList<QStringList>{{"/dev/ttyS0", "-", "-", "-"},
                                        {"/dev/ttyUSB0", "CP2102", "10c4:ea60", "COM1 COM4"}}));
}

TEST(PortDetection, FindsTheCablePluggedInAfterTheStart) {
    PortDetector detector({port("/dev/ttyS0")});
    EXPECT_EQ(detector.update({port("/dev/ttyS0")}), std::nullopt);
    EXPECT_EQ(detector.update({port("/dev/ttyS0"), port("/dev/ttyUSB0", "CH340")}),
              port("/dev/ttyUSB0", "CH340"));
}

TEST(PortDetection, ACableUnpluggedAndPluggedInAgainCounts) {
    PortDetector detector({port("/dev/ttyS0"), port("/dev/ttyUSB0")});
    EXPECT_EQ(detector.update({port("/dev/ttyS0"), port("/dev/ttyUSB0")}), std::nullopt);
    EXPECT_EQ(detector.update({port("/dev/ttyS0")}), std::nullopt);
    EXPECT_EQ(detector.update({port("/dev/ttyS0"), port("/dev/ttyUSB0")}), port("/dev/ttyUSB0"));
}

TEST(PortDetection, TwoNewPortsAtOnceAreNotGuessed) {
    PortDetector detector({});
    EXPECT_EQ(detector.update({port("/dev/ttyUSB0"), port("/dev/ttyUSB1")}), std::nullopt);
    // One of them goes away: the other is the answer.
    EXPECT_EQ(detector.update({port("/dev/ttyUSB1")}), port("/dev/ttyUSB1"));
}

} // namespace
} // namespace vrx
