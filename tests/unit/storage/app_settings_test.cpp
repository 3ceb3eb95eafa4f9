#include "storage/app_settings.h"

#include "storage_test_util.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vrx {
namespace {

using test::readBytes;
using test::writeBytes;

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(kAppSettingsFileName);
    }
    AppSettings readText(const QByteArray &text) {
        EXPECT_TRUE(writeBytes(path_, text));
        return readAppSettings(path_);
    }

    QTemporaryDir dir_;
    QString path_;
};

// A settings file padded with a comment to exactly `size` bytes, choosing COM3.
QByteArray paddedSettings(qint64 size) {
    QByteArray text = "[open]\ncom=3\n;";
    text += QByteArray(size - text.size() - 1, 'x') + "\n";
    return text;
}

BandListState list(QStringList entries, int selected) {
    return {std::move(entries), selected};
}

TEST_F(AppSettingsTest, MissingFileGivesDefaults) {
    const AppSettings settings = readAppSettings(path_);
    EXPECT_EQ(settings, AppSettings{});
    EXPECT_EQ(settings.port, 1);
    EXPECT_EQ(settings.skin, 1);
    for (const BandListState &band : settings.bands)
        EXPECT_EQ(band, list({}, -1));
#ifndef Q_OS_WIN
    EXPECT_EQ(settings.portDevices[0], QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(settings.portDevices[3], QStringLiteral("/dev/ttyUSB3"));
#endif
}

struct ReadCase {
    const char *name;
    const char *text;
    int port;
    int skin;
    BandListState band1Rx;
    BandListState band1Tx;
};
class ReadAppSettingsTest : public AppSettingsTest,
                            public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadAppSettingsTest, ValuesAndDefaults) {
    const AppSettings settings = readText(GetParam().text);
    EXPECT_EQ(settings.port, GetParam().port);
    EXPECT_EQ(settings.skin, GetParam().skin);
    EXPECT_EQ(settings.bands[0], GetParam().band1Rx);
    EXPECT_EQ(settings.bands[1], GetParam().band1Tx);
}

const QString kDefault = QStringLiteral("400-470MHz");

INSTANTIATE_TEST_SUITE_P(
    Files, ReadAppSettingsTest,
    ::testing::Values(
        ReadCase{"Com3", "[open]\r\ncom=3\r\nskin=2\r\n", 3, 2, list({}, -1), list({}, -1)},
        ReadCase{"Hex", "[open]\ncom=0x4\nskin=0X3\n", 4, 3, list({}, -1), list({}, -1)},
        ReadCase{"NamesIgnoreCase", "[OPEN]\nCom=2\n[List1_RX]\nLISTCOUNT=1\nCombo0=136-174MHz\n",
                 2, 1, list({"136-174MHz"}, 0), list({}, -1)},
        ReadCase{"NotANumber", "[open]\ncom=three\nskin=2x\n", 1, 1, list({}, -1), list({}, -1)},
        // A missing entry key below the count reads as the default band text.
        ReadCase{"CountTwoOneEntry", "[list1_rx]\nlistcount=2\ncombo0=136-174MHz\n", 1, 1,
                 list({"136-174MHz", kDefault}, 0), list({}, -1)},
        ReadCase{"SelectionBeyondEntries",
                 "[list1_rx]\nlistnow=5\nlistcount=2\ncombo0=136-174MHz\ncombo1=400-470MHz\n", 1, 1,
                 list({"136-174MHz", "400-470MHz"}, -1), list({}, -1)},
        ReadCase{"NoSelection", "[list1_rx]\nlistnow=-1\nlistcount=1\ncombo0=136-174MHz\n", 1, 1,
                 list({"136-174MHz"}, -1), list({}, -1)},
        // The transmit lists have their own key names; receive keys there mean nothing.
        ReadCase{"TransmitKeys",
                 "[list1_tx]\nlist2now=1\nlist2count=2\ncom2bo0=a\ncom2bo1=b\nlistcount=5\n", 1, 1,
                 list({}, -1), list({"a", "b"}, 1)},
        // Port and skin out of range fall back to 1 and the band lists stay.
        ReadCase{"PortAndSkinOutOfRange",
                 "[open]\ncom=9\nskin=0\n[list1_rx]\nlistnow=0\nlistcount=1\ncombo0=136-174MHz\n",
                 1, 1, list({"136-174MHz"}, 0), list({}, -1)},
        ReadCase{"NegativeCount", "[list1_rx]\nlistcount=-3\ncombo0=x\n", 1, 1, list({}, -1),
                 list({}, -1)},
        // The system skin follows the three built-in ones; nothing beyond it.
        ReadCase{"SystemSkin", "[open]\nskin=4\n", 1, 4, list({}, -1), list({}, -1)},
        ReadCase{"SkinBeyondSystem", "[open]\nskin=5\n", 1, 1, list({}, -1), list({}, -1)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AppSettingsTest, HugeCountIsBounded) {
    const AppSettings settings = readText("[list2_tx]\nlist2count=2000000000\n");
    EXPECT_EQ(settings.bands[3].entries.size(), kMaxBandEntries);
    EXPECT_EQ(settings.bands[3].selected, 0);
}

TEST_F(AppSettingsTest, PortDevicesAreRead) {
    const AppSettings settings = readText("[ports]\ncom2=/dev/ttyACM0\ncom4=\n");
    EXPECT_EQ(settings.portDevices[1], QStringLiteral("/dev/ttyACM0"));
    // An empty value keeps the default device.
    EXPECT_EQ(settings.portDevices[3], AppSettings::defaultPortDevices()[3]);
}

TEST_F(AppSettingsTest, FreshFileHasTheKeysInOrder) {
    AppSettings settings;
    settings.port = 2;
    settings.skin = 3;
    for (BandListState &band : settings.bands)
        band = list({kDefault}, 0);
    settings.bands[2] = list({}, -1);
    settings.portDevices = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0", "/dev/ttyUSB1"};

    const FileStatus status = writeAppSettings(path_, settings);
    ASSERT_TRUE(status.ok()) << status.message().toStdString();
    EXPECT_EQ(readBytes(path_), QByteArray("[open]\r\n"
                                           "com=2\r\n"
                                           "skin=3\r\n"
                                           "\r\n"
                                           "[list1_rx]\r\n"
                                           "listnow=0\r\n"
                                           "listcount=1\r\n"
                                           "combo0=400-470MHz\r\n"
                                           "\r\n"
                                           "[list1_tx]\r\n"
                                           "list2now=0\r\n"
                                           "list2count=1\r\n"
                                           "com2bo0=400-470MHz\r\n"
                                           "\r\n"
                                           "[list2_rx]\r\n"
                                           "listnow=-1\r\n"
                                           "listcount=0\r\n"
                                           "\r\n"
                                           "[list2_tx]\r\n"
                                           "list2now=0\r\n"
                                           "list2count=1\r\n"
                                           "com2bo0=400-470MHz\r\n"
                                           "\r\n"
                                           "[ports]\r\n"
                                           "com1=/dev/ttyS0\r\n"
                                           "com2=/dev/ttyS1\r\n"
                                           "com3=/dev/ttyUSB0\r\n"
                                           "com4=/dev/ttyUSB1\r\n"));
    EXPECT_EQ(readAppSettings(path_), settings);
}

TEST_F(AppSettingsTest, ExistingFileIsUpdatedInPlaceKeepingForeignKeys) {
    ASSERT_TRUE(writeBytes(path_, "; kept comment\r\n"
                                  "\r\n"
                                  "[extra]\r\n"
                                  "mine=yes\r\n"
                                  "\r\n"
                                  "[list1_rx]\r\n"
                                  "combo0=136-174MHz\r\n"
                                  "note=hand written\r\n"
                                  "LISTCOUNT=3\r\n"
                                  "combo1=350-390MHz\r\n"
                                  "combo2=300-330MHz\r\n"
                                  "\r\n"
                                  "[Open]\r\n"
                                  "skin=2\r\n"));
    AppSettings settings = readAppSettings(path_);
    ASSERT_EQ(settings.bands[0], list({"136-174MHz", "350-390MHz", "300-330MHz"}, 0));
    settings.port = 4;
    settings.bands[0] = list({"400-470MHz"}, 0);

    ASSERT_TRUE(writeAppSettings(path_, settings).ok());
    const QByteArray expectedStart = "; kept comment\r\n"
                                     "\r\n"
                                     "[extra]\r\n"
                                     "mine=yes\r\n"
                                     "\r\n"
                                     "[list1_rx]\r\n"
                                     "combo0=400-470MHz\r\n"
                                     "note=hand written\r\n"
                                     "LISTCOUNT=1\r\n"
                                     // Older entries above the count stay, unread.
                                     "combo1=350-390MHz\r\n"
                                     "combo2=300-330MHz\r\n"
                                     "listnow=0\r\n"
                                     "\r\n"
                                     "[Open]\r\n"
                                     "skin=2\r\n"
                                     "com=4\r\n"
                                     "\r\n"
                                     "[list1_tx]\r\n"
                                     "list2now=-1\r\n"
                                     "list2count=0\r\n";
    const QByteArray written = readBytes(path_);
    EXPECT_TRUE(written.startsWith(expectedStart)) << written.toStdString();
    EXPECT_TRUE(written.endsWith("com4=/dev/ttyUSB3\r\n") || written.endsWith("com4=COM4\r\n"));
    EXPECT_EQ(readAppSettings(path_), settings);
}

TEST_F(AppSettingsTest, SelectionWithoutEntryIsStoredAsMinusOne) {
    const AppSettings settings =
        readText("[list1_rx]\nlistnow=5\nlistcount=2\ncombo0=a\ncombo1=b\n");
    ASSERT_TRUE(writeAppSettings(path_, settings).ok());
    EXPECT_TRUE(readBytes(path_).contains("listnow=-1\r\n"));
}

TEST_F(AppSettingsTest, NewBandFromAChannelFileAddsOneCombo) {
    AppSettings settings = readText("[list1_rx]\nlistnow=0\nlistcount=1\ncombo0=400-470MHz\n");
    BandPlan bands;
    applyBandLists(settings, bands);
    ASSERT_EQ(bands.displayedText(BandList::Band1Rx), kDefault);

    bands.selectOrAppend(BandList::Band1Rx, QStringLiteral("136-174MHz"));
    captureBandLists(bands, settings);
    ASSERT_TRUE(writeAppSettings(path_, settings).ok());

    const QByteArray written = readBytes(path_);
    EXPECT_TRUE(written.contains("listnow=1\r\nlistcount=2\r\ncombo0=400-470MHz\r\n"
                                 "combo1=136-174MHz\r\n"))
        << written.toStdString();
    EXPECT_EQ(readAppSettings(path_).bands[0], list({"400-470MHz", "136-174MHz"}, 1));
}

TEST(AppSettingsBandListsTest, ApplyAndCaptureMoveAllFourLists) {
    AppSettings settings;
    settings.bands = {list({"a", "b"}, 1), list({"c"}, 0), list({}, -1), list({"d", "e"}, -1)};
    BandPlan bands;
    std::vector<BandList> displayed;
    QObject::connect(&bands, &BandPlan::displayedTextChanged,
                     [&](BandList l) { displayed.push_back(l); });

    applyBandLists(settings, bands);
    EXPECT_EQ(bands.displayedText(BandList::Band1Rx), QStringLiteral("b"));
    EXPECT_EQ(bands.displayedText(BandList::Band1Tx), QStringLiteral("c"));
    EXPECT_EQ(bands.selected(BandList::Band2Tx), -1);
    EXPECT_EQ(displayed, (std::vector<BandList>{BandList::Band1Rx, BandList::Band1Tx}));

    AppSettings captured;
    captureBandLists(bands, captured);
    EXPECT_EQ(captured.bands, settings.bands);
}

TEST_F(AppSettingsTest, LineBreaksInValuesCannotSplitTheFile) {
    AppSettings settings;
    settings.portDevices[0] = QStringLiteral("/dev/tty\nUSB0");
    settings.bands[0] = list({QStringLiteral("400-470MHz\r\n[open]")}, 0);
    ASSERT_TRUE(writeAppSettings(path_, settings).ok());
    const AppSettings back = readAppSettings(path_);
    EXPECT_EQ(back.port, 1);
    EXPECT_EQ(back.bands[0].entries.size(), 1);
    EXPECT_FALSE(back.portDevices[0].contains(QLatin1Char('\n')));
}

// ---- unwritable places ----------------------------------------------------------------

TEST_F(AppSettingsTest, TargetThatIsAFolderFailsWithTheReason) {
    ASSERT_TRUE(QDir().mkpath(path_));
    const FileStatus status = writeAppSettings(path_, AppSettings{});
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(path_)));
    EXPECT_TRUE(QFileInfo(path_).isDir());
}

TEST_F(AppSettingsTest, FolderThatCannotBeCreatedFailsWithTheReason) {
    const QString blocker = dir_.filePath("plain-file");
    ASSERT_TRUE(writeBytes(blocker, "x"));
    const QString path = blocker + "/sub/myini.ini"; // below a file: no folder possible
    const FileStatus status = writeAppSettings(path, AppSettings{});
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message().contains(QDir::toNativeSeparators(path)));
    EXPECT_EQ(readBytes(blocker), QByteArray("x"));
}

TEST_F(AppSettingsTest, MissingConfigFolderIsCreated) {
    const QString path = dir_.filePath("config/vrx5800/myini.ini");
    ASSERT_TRUE(writeAppSettings(path, AppSettings{}).ok());
    EXPECT_EQ(readAppSettings(path), AppSettings{});
}

TEST_F(AppSettingsTest, ReadingSomethingThatIsNotAFileGivesDefaults) {
    ASSERT_TRUE(QDir().mkpath(path_));
    EXPECT_EQ(readAppSettings(path_), AppSettings{});
}

// ---- where the file lives -------------------------------------------------------------

TEST(AppSettingsPathTest, BesideAWritableExecutableFolder) {
    QTemporaryDir dir;
    EXPECT_EQ(appSettingsPath(dir.path()), QDir(dir.path()).filePath("myini.ini"));
}

TEST(AppSettingsPathTest, ConfigFolderWhenTheExecutableFolderIsUnusable) {
    QStandardPaths::setTestModeEnabled(true);
    const QString expected =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath("myini.ini");
    QTemporaryDir dir;
    EXPECT_EQ(appSettingsPath(dir.filePath("no-such-folder")), expected);
    EXPECT_EQ(appSettingsPath(QString()), expected);
    QStandardPaths::setTestModeEnabled(false);
}

// Up to 1 MiB the file is read; beyond it gives the defaults, a message naming the
// file, and a write that leaves the file as it was.
TEST_F(AppSettingsTest, FileBeyondOneMebibyteIsNotReadNorReplaced) {
    QString refusal;
    ASSERT_TRUE(writeBytes(path_, paddedSettings(kMaxAppSettingsBytes)));
    EXPECT_EQ(readAppSettings(path_, &refusal).port, 3);
    EXPECT_EQ(refusal, QString());

    const QByteArray large = paddedSettings(kMaxAppSettingsBytes + 1);
    ASSERT_TRUE(writeBytes(path_, large));
    const AppSettings settings = readAppSettings(path_, &refusal);
    EXPECT_EQ(settings, AppSettings{});
    EXPECT_TRUE(refusal.contains(QDir::toNativeSeparators(path_))) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains(QLatin1String("1 MiB"))) << refusal.toStdString();

    const FileStatus status = writeAppSettings(path_, settings);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(readBytes(path_), large);
}

} // namespace
} // namespace vrx

namespace vrx {
namespace {

TEST_F(AppSettingsTest, WriteOptionsAreKeptAndAbsentWhileNeverSet) {
    EXPECT_FALSE(readAppSettings(path_).writeBackup);
    AppSettings settings;
    ASSERT_TRUE(writeAppSettings(path_, settings));
    EXPECT_FALSE(readBytes(path_).contains("[write]"));

    settings.writeVerify = true;
    ASSERT_TRUE(writeAppSettings(path_, settings));
    EXPECT_TRUE(readBytes(path_).contains("[write]\r\nverify=1\r\n"));
    EXPECT_FALSE(readBytes(path_).contains("backup="));
    // Once there, an option switched off stays in the file as 0.
    settings.writeVerify = false;
    settings.writeBackup = true;
    ASSERT_TRUE(writeAppSettings(path_, settings));
    const AppSettings read = readAppSettings(path_);
    EXPECT_TRUE(read.writeBackup);
    EXPECT_FALSE(read.writeVerify);
    EXPECT_TRUE(readBytes(path_).contains("verify=0"));
    // Anything but 1 is off.
    EXPECT_FALSE(readText("[write]\nbackup=yes\nverify=2\n").writeBackup);
}

TEST_F(AppSettingsTest, ChosenLanguageIsKeptAndAbsentWhileNeverChosen) {
    AppSettings settings;
    ASSERT_TRUE(writeAppSettings(path_, settings));
    EXPECT_FALSE(readBytes(path_).contains("[language]"));
    EXPECT_TRUE(readAppSettings(path_).language.isEmpty());

    settings.language = QStringLiteral("eng");
    ASSERT_TRUE(writeAppSettings(path_, settings));
    EXPECT_TRUE(readBytes(path_).contains("[language]\r\nname=eng\r\n"));
    EXPECT_EQ(readAppSettings(path_).language, QStringLiteral("eng"));
    // Only a pack the program has counts as a choice.
    EXPECT_EQ(readText("[language]\nname=chn\n").language, QStringLiteral("chn"));
    EXPECT_TRUE(readText("[language]\nname=fr\n").language.isEmpty());
}

} // namespace
} // namespace vrx
