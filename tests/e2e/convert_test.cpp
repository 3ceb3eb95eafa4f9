// `vrxctl convert` as a user runs it: between .vrx and .csv, and channel lists as PDF
// (read back with poppler's pdftotext) and HTML.

#include "storage/channel_file.h"
#include "storage/channel_plan.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vrx {
namespace {

const QString kTool = QStringLiteral(VRXCTL_PATH);
const QString kFixtures = QStringLiteral(VRX_FIXTURES_DIR);
constexpr int kTimeoutMs = 60000;

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ToolRun result;
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " timed out";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

ToolRun convert(const QStringList &arguments,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) {
    return run(kTool, QStringList{"convert"} + arguments, environment);
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 199 channels, each with frequencies no other channel has.
ChannelPlan fullPlan() {
    ChannelPlan plan;
    plan.bandText = "400-470MHz";
    for (int n = 1; n <= kChannelCount; ++n) {
        // Units of 10 Hz: receive 400.05 MHz up in 50 kHz steps (odd ones 6.25 kHz off
        // the raster), transmit 140.0125 MHz up in 12.5 kHz steps.
        const auto text = [](int units) {
            return QStringLiteral("%1.%2")
                .arg(units / 100000, 3, 10, QChar('0'))
                .arg(units % 100000, 5, 10, QChar('0'));
        };
        const QString rx = text(40000000 + n * 5000 + (n % 2) * 625);
        const QString tx = text(14000000 + n * 1250);
        plan.channels[n - 1] = {
            rx, n % 2 ? "67.0" : "D023N", tx, "禁用", "高功率", "宽带", "启用", "禁用"};
    }
    return plan;
}

class Convert : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    QString writePlan(const ChannelPlan &plan, const char *name) {
        const QString file = path(name);
        EXPECT_TRUE(writeFile(file, writeChannelFile(plan)));
        return file;
    }

    QTemporaryDir dir_;
};

// The text of page `page` (from 1) of a PDF, or of every page when page is 0.
QString pdfText(const QString &pdf, int page = 0) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext (poppler-utils, installed by scripts/bootstrap) is missing";
        return {};
    }
    QStringList arguments{"-layout"};
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    const ToolRun result = run(tool, arguments << pdf << "-");
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return result.out;
}

int pdfPageCount(const QString &pdf) {
    // pdftotext ends every page with a form feed.
    return int(pdfText(pdf).count(QChar('\f')));
}

TEST_F(Convert, FullPlanPdfHoldsEveryChannelOnceWithTheHeaderOnEveryPage) {
    const ChannelPlan plan = fullPlan();
    const QString pdf = path("list.pdf");
    const ToolRun result = convert({writePlan(plan, "plan.vrx"), pdf, "--lang", "chn"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    EXPECT_TRUE(fileBytes(pdf).startsWith("%PDF"));

    // 199 rows of 9-point text take several pages of A4, not one and not one each.
    const int pages = pdfPageCount(pdf);
    EXPECT_GE(pages, 4);
    EXPECT_LE(pages, 8);

    // Each channel's line holds its number and both frequencies, in order, once; every
    // page starts with the table's header (CJK text that is text, not a picture).
    int next = 1;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfText(pdf, page);
        EXPECT_TRUE(text.contains(QRegularExpression("信道\\s+接收频率\\s+QT/DQT解码\\s+发射频率")))
            << "page " << page;
        for (const QString &line : text.split('\n')) {
            const QStringList words = line.simplified().split(' ');
            if (words.size() < 9 || words[0] != QStringLiteral("%1").arg(next, 3, 10, QChar('0')))
                continue;
            const ChannelRow &row = plan.channels[next - 1];
            EXPECT_EQ(words[1], row[RxFreqCol - 1]) << "channel " << next;
            EXPECT_EQ(words[3], row[TxFreqCol - 1]) << "channel " << next;
            ++next;
        }
        if (page == pages) {
            // The options and drive block, whole, on the last page only.
            EXPECT_TRUE(text.contains("功能设置与功率调整"));
            EXPECT_TRUE(text.contains(QRegularExpression("低功率2\\s+45")));
        } else {
            EXPECT_FALSE(text.contains("功能设置与功率调整")) << "page " << page;
        }
        EXPECT_TRUE(text.contains(
            QRegularExpression(QStringLiteral("\\b%1\\s*/\\s*%2\\b").arg(page).arg(pages))))
            << "page " << page;
    }
    EXPECT_EQ(next, kChannelCount + 1) << "channels found in order: " << next - 1;
    EXPECT_TRUE(
        pdfText(pdf, 1).contains(QRegularExpression("信道表\\s+频段 400-470MHz\\s+\\d{4}-")));
}

TEST_F(Convert, PageSizeFollowsTheLocale) {
    ChannelPlan small;
    small.channels[0] = fullPlan().channels[0];
    const QString plan = writePlan(small, "plan.vrx");
    QProcessEnvironment us = QProcessEnvironment::systemEnvironment();
    us.insert("LC_ALL", "en_US.UTF-8");
    QProcessEnvironment germany = us;
    germany.insert("LC_ALL", "de_DE.UTF-8");
    ASSERT_EQ(convert({plan, path("us.pdf"), "--lang", "eng"}, us).exitCode, 0);
    ASSERT_EQ(convert({plan, path("de.pdf"), "--lang", "eng"}, germany).exitCode, 0);
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    ASSERT_FALSE(pdfinfo.isEmpty());
    EXPECT_TRUE(run(pdfinfo, {path("us.pdf")}).out.contains("612 x 792 pts (letter)"));
    EXPECT_TRUE(run(pdfinfo, {path("de.pdf")}).out.contains("595 x 842 pts (A4)"));
}

TEST_F(Convert, HtmlListIsInTheChosenLanguage) {
    const ToolRun result =
        convert({writePlan(fullPlan(), "plan.vrx"), path("list.html"), "--lang", "eng"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString html = QString::fromUtf8(fileBytes(path("list.html")));
    EXPECT_TRUE(html.contains("<thead>"));
    EXPECT_TRUE(html.contains("<td>High</td>"));
    EXPECT_FALSE(html.contains("高功率"));
    EXPECT_EQ(html.count("<tr><td>"), kChannelCount + 12); // channels + option rows
}

TEST_F(Convert, VrxToCsvToVrxKeepsTheChannelsAndTakesTheTemplate) {
    ChannelPlan original = fullPlan();
    const QString vrx = writePlan(original, "plan.vrx");
    ChannelPlan templatePlan;
    templatePlan.bandText = "430-440MHz";
    templatePlan.options[indexOf(Option::Squelch)] = 7;
    templatePlan.drives = {100, 50, 40};
    const QString templ = writePlan(templatePlan, "template.vrx");

    ASSERT_EQ(convert({vrx, path("plan.csv"), "--lang", "chn"}).exitCode, 0);
    const ToolRun back =
        convert({path("plan.csv"), path("back.vrx"), "--lang", "chn", "--template", templ});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    // Every channel lies outside the template's band: each is kept and noted, the first
    // 100 notes printed, then how many more there were.
    const QStringList notes = back.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(notes.size(), 101) << back.err.toStdString();
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(notes[i].contains(QStringLiteral("超出频段 430-440MHz；已保留该行")))
            << notes[i].toStdString();
    EXPECT_EQ(notes.last(), QStringLiteral("另有 99 条提示"));

    const ChannelFileLoad load = loadChannelFile(path("back.vrx"));
    ASSERT_TRUE(load.ok());
    for (int n = 1; n <= kChannelCount; ++n)
        ASSERT_EQ(QStringList(load.plan->channels[n - 1].begin(), load.plan->channels[n - 1].end())
                      .join('|')
                      .toStdString(),
                  QStringList(original.channels[n - 1].begin(), original.channels[n - 1].end())
                      .join('|')
                      .toStdString())
            << "channel " << n;
    EXPECT_EQ(load.plan->bandText, "430-440MHz");
    EXPECT_EQ(load.plan->options, templatePlan.options);
    EXPECT_EQ(load.plan->drives, templatePlan.drives);
}

TEST_F(Convert, NotesGoToStderrOneALineAndTheFileIsStillWritten) {
    const ToolRun result =
        convert({kFixtures + "/csv/every_case.csv", path("out.vrx"), "--lang", "eng"});
    EXPECT_EQ(result.exitCode, 0);
    const QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 21) << result.err.toStdString();
    for (const QString &line : lines)
        EXPECT_TRUE(line.startsWith("Line ")) << line.toStdString();
    EXPECT_TRUE(lines.contains("Line 21, Location 20: mode \"AM\" is not FM or NFM; row skipped"));
    EXPECT_TRUE(QFile::exists(path("out.vrx")));

    // The same notes in Chinese.
    const ToolRun chinese =
        convert({kFixtures + "/csv/every_case.csv", path("out2.vrx"), "--lang", "chn"});
    EXPECT_TRUE(chinese.err.contains("第 21 行，Location 20：模式“AM”不是 FM 或 NFM"))
        << chinese.err.toStdString();
}

struct FailCase {
    const char *name;
    QStringList arguments; // "@" stands for the temporary folder
    const char *message;
};

void PrintTo(const FailCase &c, std::ostream *os) {
    *os << c.name;
}

class ConvertFails : public Convert, public ::testing::WithParamInterface<FailCase> {};

TEST_P(ConvertFails, WithStatusTwoAndNoOutput) {
    ASSERT_TRUE(writeFile(path("names.csv"), "Name,Frequency\nA,438.5\n"));
    ASSERT_TRUE(writeFile(path("plan.vrx"), writeChannelFile(fullPlan())));
    QStringList arguments;
    for (QString argument : GetParam().arguments)
        arguments << argument.replace('@', dir_.path());
    const ToolRun result = convert(arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(GetParam().message)))
        << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.vrx")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertFails,
    ::testing::Values(
        FailCase{"missing_input", {"@/none.csv", "@/out.vrx"}, "Cannot open"},
        FailCase{"not_a_channel_list",
                 {"@/names.csv", "@/out.vrx", "--lang", "eng"},
                 "not a channel list"},
        FailCase{"unknown_output", {"@/plan.vrx", "@/out.txt"}, "OUT must be"},
        FailCase{"pdf_input", {"@/list.pdf", "@/out.vrx"}, "IN must be"},
        FailCase{"template_with_vrx",
                 {"@/plan.vrx", "@/out.vrx", "--template", "@/plan.vrx"},
                 "--template applies to a .csv input only"},
        FailCase{"bad_language", {"@/plan.vrx", "@/out.vrx", "--lang", "fr"}, "unknown language"},
        FailCase{"missing_template",
                 {"@/names.csv", "@/out.vrx", "--template", "@/none.vrx"},
                 "Cannot open"},
        FailCase{"one_argument", {"@/plan.vrx"}, "missing argument"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx
