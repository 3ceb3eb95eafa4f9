#include "i18n/language_pack.h"

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "i18n_test_support.h"
#include "settings/radio_settings.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>

namespace vrx {
namespace {

using test::langDir;
using test::writeFile;

// --- Parsing ----------------------------------------------------------------

struct ParseCase {
    const char *name;
    QByteArray input;
    std::map<int, QString> expected; // every id the pack must hold, and nothing else
};

void PrintTo(const ParseCase &c, std::ostream *os) {
    *os << c.name;
}

class PackParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PackParsing, HoldsExactlyTheValidLines) {
    const ParseCase &c = GetParam();
    const LanguagePack pack = LanguagePack::fromUtf8(c.input);
    for (int id = kFirstPackId; id <= kLastPackId; ++id) {
        const auto it = c.expected.find(id);
        if (it == c.expected.end()) {
            EXPECT_FALSE(pack.has(id)) << "id " << id;
            EXPECT_TRUE(pack.text(id).isEmpty()) << "id " << id;
        } else {
            EXPECT_TRUE(pack.has(id)) << "id " << id;
            EXPECT_EQ(pack.text(id), it->second) << "id " << id;
        }
    }
    EXPECT_EQ(pack.size(), int(c.expected.size()));
}

const QString k253 = QString(253, u'x');

INSTANTIATE_TEST_SUITE_P(
    Lines, PackParsing,
    ::testing::Values(
        ParseCase{"plain", "1=abc\n120=last\n", {{1, "abc"}, {120, "last"}}},
        ParseCase{"empty file", "", {}},
        ParseCase{
            "garbage bytes", QByteArray("\x00\xff\xfe garbage\n\x01\x02\n\xff\xfe=x", 19), {}},
        ParseCase{"no equals sign", "55 OFF\nOFF\n", {}},
        ParseCase{"ids outside 1..599",
                  "0=zero\n600=over\n-1=neg\n99999999999999999999=huge\n2147483648=big\n",
                  {}},
        ParseCase{"ids that are not plain digits", "+5=plus\n0x10=hex\n5a=x\n=none\n1 2=x\n", {}},
        ParseCase{"blanks around the id", " 7 =seven\n\t8\t=eight\n", {{7, "seven"}, {8, "eight"}}},
        ParseCase{"leading zeros", "007=bond\n", {{7, "bond"}}},
        ParseCase{
            "text verbatim after first equals", "5=  a = b  \n6==\n", {{5, "  a = b  "}, {6, "="}}},
        ParseCase{
            "comment lines", "#5=commented\n# 6=also\n7=#not a comment\n", {{7, "#not a comment"}}},
        ParseCase{"empty text counts as missing", "5=\n", {}},
        ParseCase{"later duplicate wins", "5=first\n5=second\n", {{5, "second"}}},
        ParseCase{"empty duplicate keeps the text", "5=first\n5=\n", {{5, "first"}}},
        ParseCase{"CR LF and final CR", "5=a\r\n6=b\r", {{5, "a"}, {6, "b"}}},
        ParseCase{"inner CR kept", "5=a\rb\n", {{5, "a\rb"}}},
        ParseCase{"byte-order mark",
                  "\xEF\xBB\xBF"
                  "5=a\n",
                  {{5, "a"}}},
        ParseCase{"no final line break", "5=a", {{5, "a"}}},
        ParseCase{
            "invalid UTF-8 survives", "5=a\xff\n6=b\n", {{5, QStringLiteral("a\uFFFD")}, {6, "b"}}},
        ParseCase{"300 characters cut at 253", "5=" + QByteArray(300, 'x') + "\n", {{5, k253}}},
        ParseCase{"253 characters kept", "5=" + k253.toUtf8() + "\n", {{5, k253}}},
        ParseCase{"cut never splits a surrogate pair",
                  "5=" + QByteArray(252, 'x') +
                      "\xF0\x9F\x93\xBB"
                      "tail\n",
                  {{5, QString(252, u'x')}}},
        ParseCase{"Chinese text counted in characters",
                  "5=" + QString(300, QChar(0x9891)).toUtf8() + "\n",
                  {{5, QString(253, QChar(0x9891))}}}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.name);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
        return name.toStdString();
    });

TEST(PackParsing, HugeInputIsReadOnlyUpToTheCapInWholeLines) {
    QByteArray input = "5=before\n";
    const QByteArray filler = "# " + QByteArray(1000, 'f') + "\n";
    while (input.size() + filler.size() < kMaxPackFileBytes - 50)
        input += filler;
    input += "#" + QByteArray(kMaxPackFileBytes - 50 - input.size() - 2, 'f') + "\n";
    // This line starts 50 bytes before the cap and ends after it.
    ASSERT_EQ(input.size(), kMaxPackFileBytes - 50);
    input += "7=" + QByteArray(100, 's') + "\n";
    input += "8=after\n";

    const LanguagePack pack = LanguagePack::fromUtf8(input);
    EXPECT_EQ(pack.text(5), QStringLiteral("before"));
    EXPECT_FALSE(pack.has(7)); // a cut line would give a wrong text
    EXPECT_FALSE(pack.has(8));
}

// --- Loading from a folder ------------------------------------------------

TEST(PackLoading, ReadsTheNamedFile) {
    QTemporaryDir dir;
    writeFile(dir.filePath("test.lng"), "1=one\n");
    const auto pack = LanguagePack::load(dir.path(), "test");
    ASSERT_TRUE(pack.has_value());
    EXPECT_EQ(pack->name(), QStringLiteral("test"));
    EXPECT_EQ(pack->text(PackId::StatusText), QStringLiteral("one"));
}

TEST(PackLoading, MissingFileGivesNothing) {
    QTemporaryDir dir;
    EXPECT_FALSE(LanguagePack::load(dir.path(), "chn").has_value());
    EXPECT_FALSE(LanguagePack::load(dir.filePath("no-such-folder"), "chn").has_value());
}

TEST(PackLoading, FolderInPlaceOfTheFileGivesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("chn.lng"));
    EXPECT_FALSE(LanguagePack::load(dir.path(), "chn").has_value());
}

TEST(PackLoading, GarbageFileLoadsAsAnEmptyPack) {
    QTemporaryDir dir;
    writeFile(dir.filePath("chn.lng"), QByteArray("\x89PNG\r\n\x1a\n\x00\x00", 10));
    const auto pack = LanguagePack::load(dir.path(), "chn");
    ASSERT_TRUE(pack.has_value());
    EXPECT_EQ(pack->size(), 0);
}

class UnsafePackName : public ::testing::TestWithParam<const char *> {};

TEST_P(UnsafePackName, IsRefusedEvenWhenAFileMatches) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    writeFile(dir.filePath("outside.lng"), "1=outside\n");
    writeFile(dir.filePath("sub/a b.lng"), "1=blank\n");
    writeFile(dir.filePath("sub/.lng"), "1=nameless\n");
    const QString name = QString::fromUtf8(GetParam());
    EXPECT_TRUE(LanguagePack::filePath(dir.filePath("sub"), name).isEmpty());
    EXPECT_FALSE(LanguagePack::load(dir.filePath("sub"), name).has_value());
}

INSTANTIATE_TEST_SUITE_P(Names, UnsafePackName,
                         ::testing::Values("../outside", "..", "", "a b", "/etc/passwd",
                                           "sub/../../outside"));

TEST(PackLoading, DataDirectoryIsTheExecutableFolderWhenItHoldsAPack) {
    for (const char *pack : {"chn.lng", "eng.lng"}) {
        QTemporaryDir dir;
        writeFile(dir.filePath(pack), "1=x\n");
        EXPECT_EQ(LanguagePack::dataDirectory(dir.path()), QDir::cleanPath(dir.path())) << pack;
        EXPECT_EQ(LanguagePack::dataDirectory(dir.path() + "/"), QDir::cleanPath(dir.path()));
    }
}

TEST(PackLoading, DataDirectoryIsTheShareFolderOtherwise) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(root.path()).mkpath("share/vrx5800"));
    writeFile(root.filePath("share/vrx5800/chn.lng"), "1=x\n");
    const QString dataDir = LanguagePack::dataDirectory(root.filePath("bin"));
    EXPECT_EQ(dataDir, QDir::cleanPath(root.filePath("share/vrx5800")));
    EXPECT_TRUE(LanguagePack::load(dataDir, "chn").has_value());
}

TEST(PackLoading, OnlyAFolderWithThePacksIsPortable) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("portable"));
    ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(root.path()).mkpath("share/vrx5800"));
    writeFile(root.filePath("portable/eng.lng"), "1=x\n");
    writeFile(root.filePath("share/vrx5800/chn.lng"), "1=x\n");
    EXPECT_TRUE(LanguagePack::isPortable(root.filePath("portable")));
    // Installed: writable or not, bin/ is not where settings go.
    EXPECT_FALSE(LanguagePack::isPortable(root.filePath("bin")));
    EXPECT_FALSE(LanguagePack::isPortable(QString()));
}

// --- The shipped packs ------------------------------------------------------

class ShippedPack : public ::testing::TestWithParam<const char *> {};

TEST_P(ShippedPack, HoldsEveryIdOnceWithAText) {
    const QString name = QString::fromLatin1(GetParam());
    const auto pack = LanguagePack::load(langDir(), name);
    ASSERT_TRUE(pack.has_value());
    for (int id = kFirstPackId; id <= kLastPackId; ++id) {
        if (!isPackIdInUse(id)) {
            EXPECT_FALSE(pack->has(id)) << "id " << id << " is in no block of pack_ids.h";
            continue;
        }
        EXPECT_TRUE(pack->has(id)) << "id " << id;
        EXPECT_FALSE(pack->text(id).trimmed().isEmpty()) << "id " << id;
    }
    // Every line that is not a comment is a valid entry and no id repeats, so no
    // text of the file is silently lost.
    QFile file(LanguagePack::filePath(langDir(), name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int entries = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        ++entries;
        EXPECT_FALSE(line.endsWith('\r')) << "packs are kept with LF line ends";
    }
    EXPECT_EQ(entries, packIdsInUse());
    EXPECT_EQ(pack->size(), packIdsInUse());
}

INSTANTIATE_TEST_SUITE_P(Packs, ShippedPack, ::testing::Values("chn", "eng"));

struct ExactText {
    const char *pack;
    PackId id;
    QString text;
};

void PrintTo(const ExactText &c, std::ostream *os) {
    *os << c.pack << " id " << toInt(c.id);
}

class ShippedText : public ::testing::TestWithParam<ExactText> {};

TEST_P(ShippedText, IsExact) {
    const ExactText &c = GetParam();
    const auto pack = LanguagePack::load(langDir(), QString::fromLatin1(c.pack));
    ASSERT_TRUE(pack.has_value());
    EXPECT_EQ(pack->text(c.id), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    ValueWordsAndBlanks, ShippedText,
    ::testing::Values(
        ExactText{"chn", PackId::OffText, QStringLiteral("禁用")},
        ExactText{"chn", PackId::OnText, QStringLiteral("启用")},
        ExactText{"chn", PackId::HighText, QStringLiteral("高功率")},
        ExactText{"chn", PackId::LowText, QStringLiteral("低功率")},
        ExactText{"chn", PackId::WideText, QStringLiteral("宽带")},
        ExactText{"chn", PackId::NarrowText, QStringLiteral("窄带")},
        ExactText{"eng", PackId::OffText, QStringLiteral("OFF")},
        ExactText{"eng", PackId::OnText, QStringLiteral("ON")},
        ExactText{"eng", PackId::HighText, QStringLiteral("High")},
        ExactText{"eng", PackId::LowText, QStringLiteral("Low")},
        ExactText{"eng", PackId::WideText, QStringLiteral("Wide")},
        ExactText{"eng", PackId::NarrowText, QStringLiteral("Narrow")},
        // Blanks at either end are part of these texts.
        ExactText{"chn", PackId::StatusText,
                  QStringLiteral("     赞博电子有限公司 KORVAN 对讲机编程软件")},
        ExactText{"chn", PackId::AboutProductLine, QStringLiteral("VRX5800对讲机编程软件 ")},
        ExactText{"chn", PackId::AboutVersionLine, QStringLiteral("版本：5800-1.001 ")},
        ExactText{"chn", PackId::MenuAbout, QStringLiteral("关于(&A)...")},
        ExactText{"chn", PackId::LabelBand, QStringLiteral("频段")},
        ExactText{"chn", PackId::MinuteUnit, QStringLiteral("分钟")}));

TEST(ShippedPack, ChineseSlotsAgreeWithTheBuiltInSlots) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    ASSERT_TRUE(chn.has_value());
    const UiTexts builtIn;
    const std::pair<PackId, QString> slotTexts[] = {
        {PackId::OffText, builtIn.offText},
        {PackId::OnText, builtIn.onText},
        {PackId::HighText, builtIn.highText},
        {PackId::LowText, builtIn.lowText},
        {PackId::WideText, builtIn.wideText},
        {PackId::NarrowText, builtIn.narrowText},
        {PackId::CaptionRead, builtIn.captionRead},
        {PackId::CaptionWrite, builtIn.captionWrite},
        {PackId::MsgFailureTitle, builtIn.msgFailureTitle},
        {PackId::MsgNoResponse, builtIn.msgNoResponse},
        {PackId::MsgPortOpenFailed, builtIn.msgPortOpenFailed},
        {PackId::MsgConfirmTitle, builtIn.msgConfirmTitle},
        {PackId::MsgConfirmNew, builtIn.msgConfirmNew},
        {PackId::MsgConfirmClear, builtIn.msgConfirmClear},
        {PackId::MsgInvalidFrequency, builtIn.msgInvalidFrequency},
        {PackId::MsgCannotWriteCell, builtIn.msgCannotWriteCell},
        {PackId::MsgNoticeTitle, builtIn.msgNoticeTitle},
        {PackId::MsgSettingsNotRead, builtIn.msgSettingsNotRead},
        {PackId::MsgTailNotWritten, builtIn.msgTailNotWritten},
    };
    for (const auto &[id, text] : slotTexts)
        EXPECT_EQ(chn->text(id), text) << "id " << toInt(id);
}

struct MessagePattern {
    const char *pack;
    PackId id;
    int placeholders; // %1..%n
};

void PrintTo(const MessagePattern &c, std::ostream *os) {
    *os << c.pack << " id " << toInt(c.id);
}

class ShippedMessage : public ::testing::TestWithParam<MessagePattern> {};

// A pack that dropped a placeholder would hide the channel or the text from the user;
// filling every one must leave no placeholder behind.
TEST_P(ShippedMessage, TakesEveryPlaceholder) {
    const MessagePattern &c = GetParam();
    const auto pack = LanguagePack::load(langDir(), QString::fromLatin1(c.pack));
    ASSERT_TRUE(pack.has_value());
    const QString pattern = pack->text(c.id);
    ASSERT_FALSE(pattern.isEmpty());
    QString filled = pattern;
    for (int n = 1; n <= c.placeholders; ++n) {
        EXPECT_TRUE(pattern.contains(QStringLiteral("%%1").arg(n))) << "%" << n;
        filled = filled.arg(QStringLiteral("<arg%1>").arg(n));
    }
    for (int n = 1; n <= c.placeholders; ++n)
        EXPECT_TRUE(filled.contains(QStringLiteral("<arg%1>").arg(n))) << filled.toStdString();
    EXPECT_FALSE(filled.contains(QRegularExpression(QStringLiteral("%\\d"))))
        << filled.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Messages, ShippedMessage,
                         ::testing::Values(MessagePattern{"chn", PackId::MsgInvalidFrequency, 2},
                                           MessagePattern{"eng", PackId::MsgInvalidFrequency, 2},
                                           MessagePattern{"chn", PackId::MsgCannotWriteCell, 3},
                                           MessagePattern{"eng", PackId::MsgCannotWriteCell, 3}));

TEST(ShippedPack, ChineseHeadersAndLabelsAreTheBuiltInCaptions) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    ASSERT_TRUE(chn.has_value());
    for (int col = 0; col < kColumnCount; ++col)
        EXPECT_EQ(chn->text(headerId(col)), ChannelTable::builtInHeader(col)) << "column " << col;
    for (int i = 0; i < kOptionCount; ++i) {
        const Option option = optionAt(i);
        if (optionLabelId(option) == 0)
            continue;
        EXPECT_EQ(chn->text(optionLabelId(option)), optionCaption(option))
            << optionKey(option).toStdString();
    }
}

TEST(ShippedPack, EnglishMenusKeepAnAccessKeyWhereTheChineseHasOne) {
    const auto chn = LanguagePack::load(langDir(), "chn");
    const auto eng = LanguagePack::load(langDir(), "eng");
    ASSERT_TRUE(chn && eng);
    for (int id = toInt(PackId::MenuFile); id <= toInt(PackId::MenuAbout); ++id) {
        EXPECT_EQ(chn->text(id).contains(u'&'), eng->text(id).contains(u'&')) << "id " << id;
        EXPECT_LE(eng->text(id).count(u'&'), 1) << "id " << id;
    }
}

// What colour each LED entry stands for is unknown; both packs keep the radio's numbers, so a
// plan saved in either language writes "Txlight 1 2" as the built-in entries do.
TEST(ShippedPack, LedEntriesAreTheRadiosNumbers) {
    for (const char *name : {"chn", "eng"}) {
        const auto pack = LanguagePack::load(langDir(), name);
        ASSERT_TRUE(pack.has_value());
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(pack->text(ledColourId(i)), QString::number(i + 1)) << name << " " << i;
    }
}

} // namespace
} // namespace vrx
