#include "storage/recent_files.h"

#include "storage/app_settings.h"
#include "storage_test_util.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace vrx {
namespace {

QStringList numbered(int count) {
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << QStringLiteral("/plans/p%1.vrx").arg(i);
    return paths;
}

TEST(RecentFilesTest, NewestFirstOnceEachAndAtMostEight) {
    RecentFiles recent;
    for (const QString &path : numbered(10))
        recent.add(path);
    ASSERT_EQ(recent.paths().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.paths().first(), "/plans/p9.vrx");
    EXPECT_EQ(recent.paths().last(), "/plans/p2.vrx") << "the two oldest fell off";

    // Using a listed file again moves it to the front, by its cleaned absolute path.
    recent.add("/plans/sub/../p5.vrx");
    EXPECT_EQ(recent.paths().first(), "/plans/p5.vrx");
    EXPECT_EQ(recent.paths().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.paths().count("/plans/p5.vrx"), 1);

    EXPECT_TRUE(recent.remove("/plans/p5.vrx"));
    EXPECT_FALSE(recent.remove("/plans/p5.vrx"));
    EXPECT_EQ(recent.paths().first(), "/plans/p9.vrx");
}

TEST(RecentFilesTest, RelativePathsAreKeptAbsolute) {
    RecentFiles recent;
    recent.add("plan.vrx");
    EXPECT_EQ(recent.paths(), QStringList{QDir::current().absoluteFilePath("plan.vrx")});
}

TEST(RecentFilesTest, StoredListDropsBlanksRepeatsLineBreaksAndTheSurplus) {
    QStringList stored = {"/a.vrx", "", "/b.vrx", "/a.vrx", "/c\n.vrx", "  "};
    stored += numbered(10);
    const RecentFiles recent(stored);
    ASSERT_EQ(recent.paths().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.paths().mid(0, 3), (QStringList{"/a.vrx", "/b.vrx", "/plans/p0.vrx"}));
}

TEST(RecentFilesTest, CaptionNumbersEscapesAndShortens) {
    EXPECT_EQ(recentFileCaption(1, "/home/me/R&D/plan.vrx"),
              QDir::toNativeSeparators("&1 /home/me/R&&D/plan.vrx"));
    const QString deep = "/" + QString(100, QLatin1Char('d')) + "/plan.vrx";
    const QString caption = recentFileCaption(8, deep);
    EXPECT_TRUE(caption.startsWith("&8 /ddd"));
    EXPECT_TRUE(caption.endsWith("d/plan.vrx"));
    EXPECT_TRUE(caption.contains(QChar(0x2026)));
    EXPECT_LE(caption.size(), 3 + 70);
}

TEST(RecentFilesTest, SettingsFileKeepsTheListAndTheLastFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(kAppSettingsFileName);
    AppSettings settings;
    settings.recentFiles = numbered(3);
    settings.lastFolder = "/plans";
    ASSERT_TRUE(writeAppSettings(path, settings).ok());
    EXPECT_TRUE(test::readBytes(path).contains("[files]\r\nrecent0=/plans/p0.vrx\r\n"
                                               "recent1=/plans/p1.vrx\r\nrecent2=/plans/p2.vrx\r\n"
                                               "folder=/plans\r\n"));
    EXPECT_EQ(readAppSettings(path), settings);

    // A shorter list leaves no older entry behind to come back at the next start.
    settings.recentFiles = {"/plans/p2.vrx"};
    ASSERT_TRUE(writeAppSettings(path, settings).ok());
    EXPECT_FALSE(test::readBytes(path).contains("recent1"));
    EXPECT_EQ(readAppSettings(path).recentFiles, QStringList{"/plans/p2.vrx"});
}

} // namespace
} // namespace vrx
