#include "i18n/initial_language.h"

#include "i18n_test_support.h"

#include <optional>

namespace vrx {
namespace {

struct LogCase {
    const char *name;
    std::optional<QByteArray> log; // nullopt: no file at all
    QLocale::Language locale;
    const char *expected;
};

void PrintTo(const LogCase &c, std::ostream *os) {
    *os << c.name;
}

class InitialLanguage : public ::testing::TestWithParam<LogCase> {};

TEST_P(InitialLanguage, Chooses) {
    const LogCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(kInstallLogName);
    if (c.log)
        test::writeFile(path, *c.log);
    EXPECT_EQ(chooseInitialLanguage(path, QLocale(c.locale)), QString::fromLatin1(c.expected));
}

constexpr auto zh = QLocale::Chinese;
constexpr auto en = QLocale::English;
constexpr auto de = QLocale::German;

INSTANTIATE_TEST_SUITE_P(
    Logs, InitialLanguage,
    ::testing::Values(
        // The log decides, whatever the locale.
        LogCase{"exact_crlf", "Installation Log\r\nTitle:  Installation\r\n", zh, "eng"},
        LogCase{"exact_lf_no_final_break", "x\nTitle:  Installation", zh, "eng"},
        LogCase{"exact_lone_cr", "x\rTitle:  Installation\r", zh, "eng"},
        LogCase{"exact_with_more_lines", "x\nTitle:  Installation\nSource: a\n", zh, "eng"},
        LogCase{"one_blank", "x\nTitle: Installation\n", en, "chn"},
        LogCase{"trailing_blank", "x\nTitle:  Installation \n", en, "chn"},
        LogCase{"leading_blank", "x\n Title:  Installation\n", en, "chn"},
        LogCase{"other_case", "x\ntitle:  installation\n", en, "chn"},
        LogCase{"other_text", "x\nSomething else\n", en, "chn"},
        LogCase{"empty_second_line", "x\n\n", en, "chn"},
        LogCase{"empty_second_line_crlf", "x\r\n\r\n", de, "chn"},
        LogCase{"exact_on_third_line", "x\ny\nTitle:  Installation\n", en, "chn"},
        // Without two lines the locale decides.
        LogCase{"missing_english", std::nullopt, en, "eng"},
        LogCase{"missing_chinese", std::nullopt, zh, "chn"},
        LogCase{"missing_german", std::nullopt, de, "eng"},
        LogCase{"empty_file_chinese", "", zh, "chn"}, LogCase{"empty_file_english", "", en, "eng"},
        LogCase{"one_line_is_not_enough", "Title:  Installation\n", zh, "chn"},
        LogCase{"one_line_is_not_enough_en", "Title:  Installation", en, "eng"},
        LogCase{"only_a_break", "\n", en, "eng"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(InitialLanguage, UnreadableLogFallsBackToTheLocale) {
    QTemporaryDir dir;
    // A folder where the log should be cannot be read as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(kInstallLogName));
    const QString path = dir.filePath(kInstallLogName);
    EXPECT_EQ(chooseInitialLanguage(path, QLocale(QLocale::Chinese)), QStringLiteral("chn"));
    EXPECT_EQ(chooseInitialLanguage(path, QLocale(QLocale::English)), QStringLiteral("eng"));
}

TEST(InitialLanguage, FifoLogIsNoLogAndDoesNotBlock) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kInstallLogName);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(chooseInitialLanguage(path, QLocale(QLocale::Chinese)), QStringLiteral("chn"));
    EXPECT_EQ(chooseInitialLanguage(path, QLocale(QLocale::English)), QStringLiteral("eng"));
}

TEST(InitialLanguage, AnyChineseLocaleChoosesChinese) {
    EXPECT_EQ(languageForLocale(QLocale(QLocale::Chinese, QLocale::China)), "chn");
    EXPECT_EQ(languageForLocale(QLocale(QLocale::Chinese, QLocale::Taiwan)), "chn");
    EXPECT_EQ(languageForLocale(QLocale::c()), "eng");
    EXPECT_EQ(languageForLocale(QLocale(QLocale::Japanese)), "eng");
}

} // namespace
} // namespace vrx
