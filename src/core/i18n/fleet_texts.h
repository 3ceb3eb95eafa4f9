#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The fleet window's texts and its Edit menu item, built-in Chinese until a pack loads.
struct FleetTexts {
    QString menuItem = QStringLiteral("多台电台编程(&M)…");
    QString title = QStringLiteral("多台电台编程");
    QString columnPhase = QStringLiteral("阶段");
    QString columnProgress = QStringLiteral("进度");
    QString columnResult = QStringLiteral("结果");
    QString sourcePlan = QStringLiteral("写入本窗口的频率表");
    QString sourceRadio = QStringLiteral("先从此端口的电台读出：");
    QString backupFirst = QStringLiteral("先备份每台电台");
    QString verify = QStringLiteral("写入后校验");
    QString start = QStringLiteral("开始(&S)");
    QString runFailed = QStringLiteral("重试失败的(&F)");
    QString nextBatch = QStringLiteral("下一批(&N)");
    // %1 batch number.
    QString batch = QStringLiteral("第 %1 批");
    // %1 the report's path.
    QString reportAt = QStringLiteral("报告：%1");
    QString phaseWaiting = QStringLiteral("等待");
    QString phaseReading = QStringLiteral("读出");
    QString phaseBackingUp = QStringLiteral("备份");
    QString phaseWriting = QStringLiteral("写入");
    QString phaseVerifying = QStringLiteral("校验");
    QString phaseDone = QStringLiteral("完成");
    QString resultVerified = QStringLiteral("已校验");
    QString resultWritten = QStringLiteral("已写入");
    QString resultRead = QStringLiteral("已读出");
    // %1 why.
    QString resultFailed = QStringLiteral("失败：%1");
    // %1 how many, %2 the first.
    QString resultDiffers = QStringLiteral("校验发现 %1 处不同，第一处：%2");
    QString resultStopped = QStringLiteral("已停止");
    QString stop = QStringLiteral("停止(&T)");
    QString noneChecked = QStringLiteral("请至少勾选一个端口（以电台为来源时至少两个）。");
    // %1 succeeded, %2 run.
    QString summary = QStringLiteral("%2 台电台中 %1 台成功。");
    // %1 why.
    QString reportFailed = QStringLiteral("无法写入报告：%1");

    bool operator==(const FleetTexts &) const = default;
};

void applyToFleetTexts(const LanguagePack &pack, FleetTexts &texts);

} // namespace vrx
