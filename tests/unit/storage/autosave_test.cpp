#include "storage/autosave.h"
#include "storage/channel_file.h"

#include "storage_test_util.h"
#include "test_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

// Runs the event loop until `done` holds or `ms` have passed.
template <typename Predicate> bool waitFor(Predicate done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

struct AutosaveFixture : ::testing::Test {
    QTemporaryDir dir;
    DataFolder folder{dir.path() + QStringLiteral("/VRX5800")};
    UiTexts texts = test::englishTexts();
};

TEST_F(AutosaveFixture, ASecondProgramGetsASlotOfItsOwn) {
    AutosaveSlot first(folder);
    AutosaveSlot second(folder);
    ASSERT_TRUE(first.acquire(nullptr));
    ASSERT_TRUE(second.acquire(nullptr));
    EXPECT_EQ(first.path(), folder.autosavePath(1));
    EXPECT_EQ(second.path(), folder.autosavePath(2));
    EXPECT_TRUE(QFile::exists(folder.lockPath(1)));
    {
        // Once the first ends, its slot is free again.
        AutosaveSlot gone(folder);
        ASSERT_TRUE(gone.acquire(nullptr));
        EXPECT_EQ(gone.slot(), 3);
    }
    AutosaveSlot third(folder);
    ASSERT_TRUE(third.acquire(nullptr));
    EXPECT_EQ(third.slot(), 3);
}

TEST_F(AutosaveFixture, SavesWithinTheDelayOnlyWhenThePlanChanged) {
    ChannelPlan plan = test::numberedPlan();
    Autosaver saver(
        folder.autosavePath(), [&] { return plan; }, 30);
    ASSERT_TRUE(QDir().mkpath(folder.root()));
    EXPECT_FALSE(saver.isPending());
    saver.planChanged();
    EXPECT_TRUE(saver.isPending());
    EXPECT_FALSE(QFile::exists(saver.path()));
    EXPECT_TRUE(waitFor([&] { return saver.writeCount() == 1; }, 2000));
    EXPECT_EQ(test::readBytes(saver.path()), writeChannelFile(plan));

    // A change that ends where the plan was writes nothing.
    saver.planChanged();
    waitFor([] { return false; }, 80);
    EXPECT_EQ(saver.writeCount(), 1);

    plan.drives[0] = 12;
    saver.planChanged();
    EXPECT_TRUE(waitFor([&] { return saver.writeCount() == 2; }, 2000));
    EXPECT_EQ(loadChannelFile(saver.path()).plan->drives[0], 12);

    saver.discard();
    EXPECT_FALSE(QFile::exists(saver.path()));
}

TEST_F(AutosaveFixture, AFailureIsReportedOnceAndLosesNothing) {
    // The autosave's folder is a file: every write fails.
    ASSERT_TRUE(test::writeBytes(folder.root(), "x"));
    ChannelPlan plan = test::numberedPlan();
    Autosaver saver(
        folder.autosavePath(), [&] { return plan; }, 10);
    QStringList failures;
    QObject::connect(&saver, &Autosaver::saveFailed,
                     [&](const QString &message) { failures << message; });
    EXPECT_FALSE(saver.saveNow());
    plan.drives[0] = 1;
    EXPECT_FALSE(saver.saveNow());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("autosave")));
    EXPECT_EQ(test::readBytes(folder.root()), QByteArray("x"));
}

struct LeftoverCase {
    const char *name;
    int kind; // what the file holds: 0 none, 1 a plan, 2 the empty plan, 3 a truncated file
    AutosaveLeftover::Kind expected;
};
void PrintTo(const LeftoverCase &c, std::ostream *os) {
    *os << c.name;
}

class Leftover : public AutosaveFixture, public ::testing::WithParamInterface<LeftoverCase> {};

TEST_P(Leftover, IsRecognised) {
    const LeftoverCase &c = GetParam();
    ASSERT_TRUE(QDir().mkpath(folder.root()));
    const QString path = folder.autosavePath();
    ChannelPlan empty;
    empty.bandText = QStringLiteral("400-470MHz");
    const QByteArray full = writeChannelFile(test::numberedPlan());
    if (c.kind == 1) {
        ASSERT_TRUE(test::writeBytes(path, full));
    }
    if (c.kind == 2) {
        // Saved under the other language's entry texts: still the empty plan.
        ChannelPlan saved = empty;
        saved.optionTexts.fill(QStringLiteral("ON"));
        ASSERT_TRUE(test::writeBytes(path, writeChannelFile(saved)));
    }
    if (c.kind == 3) {
        ASSERT_TRUE(test::writeBytes(path, full.left(300)));
    }

    const AutosaveLeftover leftover = inspectAutosave(path, empty, texts);
    EXPECT_EQ(leftover.kind, c.expected);
    EXPECT_EQ(leftover.plan.has_value(), c.kind == 1 || c.kind == 2);
    if (c.kind == 1) {
        EXPECT_EQ(leftover.plan->channels, test::numberedPlan().channels);
    }
    if (c.kind == 3) {
        EXPECT_TRUE(leftover.error.contains(QStringLiteral("autosave.vrx")));
        // Set aside, it is kept whole among the backups.
        const BackupResult aside = setAutosaveAside(folder, path);
        ASSERT_TRUE(aside.ok()) << aside.error.toStdString();
        EXPECT_TRUE(QFileInfo(aside.path).fileName().startsWith(QStringLiteral("unsaved-")));
        EXPECT_EQ(test::readBytes(aside.path), full.left(300));
        EXPECT_FALSE(QFile::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Leftover,
    ::testing::Values(LeftoverCase{"NoFile", 0, AutosaveLeftover::Kind::None},
                      LeftoverCase{"APlan", 1, AutosaveLeftover::Kind::Restorable},
                      LeftoverCase{"TheEmptyPlan", 2, AutosaveLeftover::Kind::Empty},
                      LeftoverCase{"Truncated", 3, AutosaveLeftover::Kind::Unreadable}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx
