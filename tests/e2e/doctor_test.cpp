// vrxctl doctor against pseudo-terminal radios in processes of their own, on 9600-baud
// lines: what each kind of far end gives as verdict, checks and exit status.

#include "cli_support.h"

#include "i18n/pack_ids.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vrx {
namespace {

QJsonObject parsedReport(const ToolRun &run) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

QStringList checkNames(const QJsonObject &report) {
    QStringList names;
    for (const QJsonValue &check : report.value(QStringLiteral("checks")).toArray())
        names << check.toObject().value(QStringLiteral("name")).toString();
    return names;
}

QJsonObject checkNamed(const QJsonObject &report, const char *name) {
    for (const QJsonValue &check : report.value(QStringLiteral("checks")).toArray()) {
        if (check.toObject().value(QStringLiteral("name")).toString() == QLatin1String(name))
            return check.toObject();
    }
    return {};
}

ToolRun doctor(const QStringList &arguments) {
    return runTool(
        QStringList{QStringLiteral("doctor"), QStringLiteral("--lang"), QStringLiteral("eng")} +
        arguments);
}

struct FarEnd {
    const char *name;
    const char *fault; // empty: a radio that answers
    const char *verdict;
    int lineText; // the probe's finding, 0 for an answer
    // Its arguments, for another radio's identification.
    const char *shownHex = nullptr;
    const char *shownText = nullptr;
};

const FarEnd kFarEnds[] = {
    {"radio", "", "ok", 0},
    {"silent", "silent", "no-answer", toInt(PackId::LineSilent)},
    {"echo", "cable-only", "echo", toInt(PackId::LineEcho)},
    {"noise", "noise", "garbage", 0},
    {"other_radio", "wrong-ident", "other-radio", toInt(PackId::LineOtherRadio),
     "06 20 6B 6F 72 76 61 58", ". korvaX"},
    {"answers_then_stops", "silent:3", "stopped", toInt(PackId::LineStoppedAtStart)},
};

class DoctorFarEnd : public ::testing::TestWithParam<FarEnd> {};

TEST_P(DoctorFarEnd, JsonVerdictChecksAndExitStatus) {
    const FarEnd &c = GetParam();
    QStringList simArguments{QStringLiteral("--baud")};
    if (*c.fault)
        simArguments << QStringLiteral("--fault") << QLatin1String(c.fault);
    Simulator sim(simArguments);
    ASSERT_FALSE(sim.device().isEmpty());

    const ToolRun run = doctor({QStringLiteral("--port"), sim.device(), QStringLiteral("--json")});
    EXPECT_FALSE(run.crashed);
    const bool ok = QLatin1String(c.verdict) == QLatin1String("ok");
    EXPECT_EQ(run.exitCode, ok ? 0 : 1) << run.err.toStdString();
    const QJsonObject report = parsedReport(run);
    EXPECT_EQ(report.value(QStringLiteral("port")).toString(), sim.device());
    EXPECT_EQ(report.value(QStringLiteral("verdict")).toString(), QLatin1String(c.verdict));
    EXPECT_EQ(checkNames(report), QStringList({"device", "access", "holders", "chip", "probe"}));
    const QJsonObject probe = checkNamed(report, "probe");
    EXPECT_EQ(probe.value(QStringLiteral("status")).toString(), ok ? "ok" : "problem");
    EXPECT_EQ(probe.value(QStringLiteral("remedy")).toString().isEmpty(), ok);
    if (c.lineText) {
        QString expected = packText("eng", c.lineText);
        if (c.shownHex)
            expected = expected.arg(QLatin1String(c.shownHex), QLatin1String(c.shownText));
        EXPECT_EQ(probe.value(QStringLiteral("detail")).toString(), expected);
    }
    // The pseudo-terminal is usable and not on USB: those checks pass.
    for (const char *name : {"device", "access", "chip"})
        EXPECT_EQ(checkNamed(report, name).value(QStringLiteral("status")).toString(), "ok")
            << name;
}

INSTANTIATE_TEST_SUITE_P(Lines, DoctorFarEnd, ::testing::ValuesIn(kFarEnds),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Doctor, NoiseShowsTheBytesThatCame) {
    Simulator sim({QStringLiteral("--baud"), QStringLiteral("--fault"), QStringLiteral("noise")});
    const ToolRun run = doctor({QStringLiteral("--port"), sim.device(), QStringLiteral("--json")});
    const QString detail =
        checkNamed(parsedReport(run), "probe").value(QStringLiteral("detail")).toString();
    const QString pattern = packText("eng", toInt(PackId::LineGarbage));
    ASSERT_TRUE(pattern.contains(QStringLiteral("%1")));
    // "Bytes came back that are not an answer: 8E 3F 12 7A 01.": up to 8 shown.
    const QString shown = detail.mid(pattern.indexOf(QStringLiteral("%1")));
    EXPECT_TRUE(detail.startsWith(pattern.left(pattern.indexOf(QStringLiteral("%1")))));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([0-9A-F]{2} ){4,7}[0-9A-F]{2}\\.$"))
                    .match(shown)
                    .hasMatch())
        << detail.toStdString();
}

TEST(Doctor, TextReportNamesThePortOfTheRadio) {
    Simulator sim({QStringLiteral("--baud")});
    const ToolRun run = doctor({QStringLiteral("--port"), sim.device()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(packText("eng", toInt(PackId::DoctorRadioIsOn)).arg(sim.device())))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(packText("eng", toInt(PackId::DoctorCheckProbe))));
}

TEST(Doctor, MissingDeviceAndUsageErrors) {
    const ToolRun missing = doctor(
        {QStringLiteral("--port"), QStringLiteral("/dev/ttyNOSUCH9"), QStringLiteral("--json")});
    EXPECT_EQ(missing.exitCode, 1);
    const QJsonObject report = parsedReport(missing);
    EXPECT_EQ(report.value(QStringLiteral("verdict")).toString(), "missing");
    EXPECT_EQ(checkNames(report), QStringList{"device"});
    EXPECT_EQ(checkNamed(report, "device").value(QStringLiteral("status")).toString(), "problem");

    for (const QStringList &arguments :
         {QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("extra")},
          QStringList{QStringLiteral("--port")}}) {
        const ToolRun usage = doctor(arguments);
        EXPECT_EQ(usage.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(usage.out.isEmpty());
    }
}

TEST(Doctor, AFailedReadSaysWhatTheLineDid) {
    Simulator sim(
        {QStringLiteral("--baud"), QStringLiteral("--fault"), QStringLiteral("cable-only")});
    QTemporaryDir dir;
    const ToolRun run =
        runTool({QStringLiteral("read"), QStringLiteral("--port"), sim.device(),
                 QStringLiteral("--out"), dir.filePath(QStringLiteral("out.vrx")),
                 QStringLiteral("--settings"), dataFile("settings.ini"), QStringLiteral("--lang"),
                 QStringLiteral("eng"), QStringLiteral("--no-backup")});
    EXPECT_EQ(run.exitCode, 1);
    const qsizetype message = run.err.indexOf(packText("eng", kMsgNoResponseId));
    const qsizetype finding = run.err.indexOf(packText("eng", toInt(PackId::LineEcho)));
    const qsizetype remedy = run.err.indexOf(packText("eng", toInt(PackId::LineEchoRemedy)));
    EXPECT_GE(message, 0) << run.err.toStdString();
    EXPECT_GT(finding, message);
    EXPECT_GT(remedy, finding);
}

} // namespace
} // namespace vrx
