#include "storage/backups.h"
#include "storage/channel_file.h"
#include "storage/exclusive_create.h"

#include "storage_test_util.h"
#include "test_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vrx {
namespace {

const QDateTime kWhen(QDate(2026, 1, 31), QTime(23, 59, 58));

struct BackupsFixture : ::testing::Test {
    QTemporaryDir dir;
    DataFolder folder{dir.path() + QStringLiteral("/data")};

    QStringList backupNames() const {
        return QDir(folder.backupsPath()).entryList(QDir::Files, QDir::Name);
    }
};

TEST(BackupNames, KindTimeAndAttempt) {
    EXPECT_EQ(backupFileName(BackupKind::Read, kWhen), QStringLiteral("read-20260131-235958.vrx"));
    EXPECT_EQ(backupFileName(BackupKind::BeforeWrite, kWhen, 2),
              QStringLiteral("before-write-20260131-235958-2.vrx"));
    EXPECT_EQ(backupFileName(BackupKind::Unsaved, kWhen, 3),
              QStringLiteral("unsaved-20260131-235958-3.vrx"));
}

TEST(DataFolderPlace, FollowsXdgDataHome) {
    QTemporaryDir home;
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QString oldName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(kApplicationName);
    const DataFolder folder = DataFolder::standard();
    QCoreApplication::setApplicationName(oldName);
    qputenv("XDG_DATA_HOME", old);
    EXPECT_EQ(folder.root(), home.path() + QStringLiteral("/VRX5800"));
    EXPECT_EQ(folder.backupsPath(), home.path() + QStringLiteral("/VRX5800/backups"));
    EXPECT_EQ(folder.autosavePath(), home.path() + QStringLiteral("/VRX5800/autosave.vrx"));
    EXPECT_EQ(folder.autosavePath(2), home.path() + QStringLiteral("/VRX5800/autosave-2.vrx"));
}

TEST_F(BackupsFixture, ABackupIsTheCompleteChannelFileUnderTheNextFreeName) {
    const ChannelPlan plan = test::numberedPlan();
    const BackupResult first = saveBackup(folder, BackupKind::Read, plan, kWhen);
    const BackupResult second = saveBackup(folder, BackupKind::Read, plan, kWhen);
    const BackupResult third = saveBackup(folder, BackupKind::Read, plan, kWhen);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(QFileInfo(first.path).fileName(), QStringLiteral("read-20260131-235958.vrx"));
    EXPECT_EQ(QFileInfo(second.path).fileName(), QStringLiteral("read-20260131-235958-2.vrx"));
    EXPECT_EQ(QFileInfo(third.path).fileName(), QStringLiteral("read-20260131-235958-3.vrx"));
    EXPECT_EQ(test::readBytes(first.path), writeChannelFile(plan));
    const ChannelFileLoad load = loadChannelFile(third.path);
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.plan->channels, plan.channels);
}

TEST_F(BackupsFixture, RadiosBackedUpSideBySideInOneSecondKeepEveryBackup) {
    const ChannelPlan plan = test::numberedPlan();
    constexpr int kRadios = 8;
    std::array<BackupResult, kRadios> results;
    {
        std::vector<std::jthread> threads;
        for (int n = 0; n < kRadios; ++n)
            threads.emplace_back(
                [&, n] { results[n] = saveBackup(folder, BackupKind::BeforeWrite, plan, kWhen); });
    }
    QStringList paths;
    for (const BackupResult &result : results) {
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        paths << result.path;
    }
    paths.removeDuplicates();
    EXPECT_EQ(paths.size(), kRadios);
    EXPECT_EQ(backupNames().size(), kRadios);
    for (const QString &path : paths)
        EXPECT_EQ(test::readBytes(path), writeChannelFile(plan)) << path.toStdString();
}

TEST_F(BackupsFixture, TheFolderKeepsTheNewest500AndLeavesOtherFilesAlone) {
    ASSERT_TRUE(folder.ensureBackupsFolder(nullptr));
    // 500 older backups of all kinds, a file of the user's and one the pattern rejects.
    for (int i = 0; i < kMaxBackups; ++i) {
        const BackupKind kind = i % 3 == 0   ? BackupKind::Read
                                : i % 3 == 1 ? BackupKind::BeforeWrite
                                             : BackupKind::Unsaved;
        ASSERT_TRUE(test::writeBytes(
            QDir(folder.backupsPath()).filePath(backupFileName(kind, kWhen.addSecs(-1000 + i))),
            "x"));
    }
    const QString mine = QDir(folder.backupsPath()).filePath(QStringLiteral("mine.vrx"));
    const QString odd = QDir(folder.backupsPath()).filePath(QStringLiteral("read-old.vrx"));
    ASSERT_TRUE(test::writeBytes(mine, "x"));
    ASSERT_TRUE(test::writeBytes(odd, "x"));
    const QString oldest = backupFileName(BackupKind::Read, kWhen.addSecs(-1000));
    ASSERT_TRUE(backupNames().contains(oldest));

    const BackupResult result = saveBackup(folder, BackupKind::Read, test::numberedPlan(), kWhen);
    ASSERT_TRUE(result.ok());
    const QStringList names = backupNames();
    EXPECT_EQ(names.size(), kMaxBackups + 2);
    EXPECT_FALSE(names.contains(oldest));
    EXPECT_TRUE(names.contains(QFileInfo(result.path).fileName()));
    EXPECT_TRUE(names.contains(QStringLiteral("mine.vrx")));
    EXPECT_TRUE(names.contains(QStringLiteral("read-old.vrx")));
    // Within one second the later attempt is the newer one.
    const BackupResult again = saveBackup(folder, BackupKind::Read, test::numberedPlan(), kWhen);
    EXPECT_EQ(pruneBackups(folder, 2), kMaxBackups - 2);
    EXPECT_EQ(backupNames(), (QStringList{"mine.vrx", "read-20260131-235958-2.vrx",
                                          "read-20260131-235958.vrx", "read-old.vrx"}));
    EXPECT_EQ(QFileInfo(again.path).fileName(), QStringLiteral("read-20260131-235958-2.vrx"));
}

TEST_F(BackupsFixture, AFolderThatCannotBeMadeGivesAReasonAndNoFile) {
    // A file stands where the data folder would be.
    ASSERT_TRUE(test::writeBytes(folder.root(), "not a folder"));
    const BackupResult result = saveBackup(folder, BackupKind::Read, test::numberedPlan(), kWhen);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_TRUE(result.error.contains(QStringLiteral("backups"))) << result.error.toStdString();
}

TEST_F(BackupsFixture, MovingIntoTheBackupsKeepsTheBytes) {
    const QString source = dir.filePath(QStringLiteral("autosave.vrx"));
    ASSERT_TRUE(test::writeBytes(source, "plan bytes"));
    const BackupResult moved = moveIntoBackups(folder, BackupKind::Unsaved, source, kWhen);
    ASSERT_TRUE(moved.ok()) << moved.error.toStdString();
    EXPECT_FALSE(QFile::exists(source));
    EXPECT_EQ(QFileInfo(moved.path).fileName(), QStringLiteral("unsaved-20260131-235958.vrx"));
    EXPECT_EQ(test::readBytes(moved.path), QByteArray("plan bytes"));
    // A source that is gone is an error, not a crash.
    EXPECT_FALSE(moveIntoBackups(folder, BackupKind::Unsaved, source, kWhen).ok());
}

// A link where the next backup would go, dangling or pointing at a file of the user's,
// is passed over like a taken name: the backup stays in the folder, the target is never
// created or changed, and the link stays as it was.
struct LinkCase {
    const char *name;
    bool targetExists;
    bool move;
};
class BackupLinkTest : public BackupsFixture, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(BackupLinkTest, ALinkInTheWayIsSkippedAndNeverFollowed) {
    const LinkCase &c = GetParam();
    ASSERT_TRUE(folder.ensureBackupsFolder(nullptr));
    const QString target = dir.filePath(QStringLiteral("elsewhere.vrx"));
    if (c.targetExists) {
        ASSERT_TRUE(test::writeBytes(target, "user's file"));
    }
    const BackupKind kind = c.move ? BackupKind::Unsaved : BackupKind::Read;
    const QString link = QDir(folder.backupsPath()).filePath(backupFileName(kind, kWhen));
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()),
              0);

    BackupResult result;
    if (c.move) {
        const QString source = dir.filePath(QStringLiteral("autosave.vrx"));
        ASSERT_TRUE(test::writeBytes(source, writeChannelFile(test::numberedPlan())));
        result = moveIntoBackups(folder, kind, source, kWhen);
    } else {
        result = saveBackup(folder, kind, test::numberedPlan(), kWhen);
    }
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.path, QDir(folder.backupsPath()).filePath(backupFileName(kind, kWhen, 2)));
    EXPECT_FALSE(QFileInfo(result.path).isSymLink());
    EXPECT_EQ(test::readBytes(result.path), writeChannelFile(test::numberedPlan()));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    if (c.targetExists) {
        EXPECT_EQ(test::readBytes(target), QByteArray("user's file"));
    } else {
        EXPECT_FALSE(QFileInfo::exists(target));
    }
}

INSTANTIATE_TEST_SUITE_P(Links, BackupLinkTest,
                         ::testing::Values(LinkCase{"DanglingSave", false, false},
                                           LinkCase{"ToAFileSave", true, false},
                                           LinkCase{"DanglingMove", false, true},
                                           LinkCase{"ToAFileMove", true, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// A backup that cannot be written whole (the disk fills part-way) leaves no file behind,
// and a name in use is never replaced.
TEST_F(BackupsFixture, ABackupCutShortLeavesNoFileAndATakenNameIsKept) {
    ASSERT_TRUE(folder.ensureBackupsFolder(nullptr));
    const QString path = QDir(folder.backupsPath()).filePath(QStringLiteral("x.vrx"));
    QString reason;
    {
        // Files may grow to 1000 bytes only, as on a nearly full disk.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const ExclusiveCreate created =
            createExclusively(path, writeChannelFile(test::numberedPlan()), &reason);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_DFL);
        EXPECT_EQ(created, ExclusiveCreate::Failed);
    }
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));

    EXPECT_EQ(createExclusively(path, "bytes", &reason), ExclusiveCreate::Created);
    EXPECT_EQ(createExclusively(path, "other", &reason), ExclusiveCreate::Taken);
    EXPECT_EQ(test::readBytes(path), QByteArray("bytes"));
}

TEST_F(BackupsFixture, ListsKindTimeAndChannelsNewestFirst) {
    ChannelPlan plan;
    auto withChannels = [&plan](int count) {
        for (int n = 0; n < kChannelCount; ++n)
            plan.channels[n] = n < count ? ChannelRow{"438.50000", "OFF",  "438.50000", "OFF",
                                                      "High",      "Wide", "ON",        "OFF"}
                                         : ChannelRow{};
        return plan;
    };
    const QDateTime later = kWhen.addSecs(3);
    ASSERT_TRUE(saveBackup(folder, BackupKind::Read, withChannels(2), kWhen).ok());
    ASSERT_TRUE(saveBackup(folder, BackupKind::BeforeWrite, withChannels(3), later).ok());
    ASSERT_TRUE(saveBackup(folder, BackupKind::PartialRead, withChannels(39), later.addSecs(1)).ok());
    const QDir dir(folder.backupsPath());
    // An unreadable backup is still listed; what is no backup is not.
    ASSERT_TRUE(test::writeBytes(dir.filePath("unsaved-20260130-120000.vrx"), "garbage"));
    ASSERT_TRUE(test::writeBytes(dir.filePath("plan.vrx"), writeChannelFile(plan)));
    ASSERT_TRUE(test::writeBytes(dir.filePath("read-2026-01-31.vrx"), writeChannelFile(plan)));

    const QList<BackupEntry> entries = listBackups(folder);
    ASSERT_EQ(entries.size(), 4);
    const std::tuple<BackupKind, QDateTime, int, int> expected[] = {
        {BackupKind::PartialRead, later.addSecs(1), 1, 39},
        {BackupKind::BeforeWrite, later, 1, 3},
        {BackupKind::Read, kWhen, 1, 2},
        {BackupKind::Unsaved, QDateTime(QDate(2026, 1, 30), QTime(12, 0)), 1, -1},
    };
    for (int i = 0; i < 4; ++i) {
        const auto &[kind, when, attempt, channels] = expected[i];
        EXPECT_EQ(entries[i].kind, kind) << i;
        EXPECT_EQ(entries[i].when, when) << i;
        EXPECT_EQ(entries[i].attempt, attempt) << i;
        EXPECT_EQ(entries[i].channelsInUse, channels) << i;
        EXPECT_TRUE(QFileInfo::exists(entries[i].path)) << i;
    }
    EXPECT_TRUE(QFileInfo(entries[0].path).fileName().startsWith("partial-read-20260201-000002"));
}

} // namespace
} // namespace vrx
