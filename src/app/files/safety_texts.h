#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The texts of backups, verified writes, plan comparison and recovery: the built-in
// Chinese until a language pack replaces them.
struct SafetyTexts {
    QString menuBackups = QStringLiteral("备份(&B)…");
    QString menuCompare = QStringLiteral("与文件比较(&M)…");
    QString checkBackupFirst = QStringLiteral("先备份电台");
    QString checkVerify = QStringLiteral("写入后校验");
    QString phaseBackingUp = QStringLiteral("正在备份电台…");
    QString phaseWriting = QStringLiteral("正在写入…");
    QString phaseVerifying = QStringLiteral("正在校验…");
    // The phase label once a run has ended.
    QString phaseWritten = QStringLiteral("写入完成。");
    QString phaseVerified = QStringLiteral("写入并校验完成。");
    QString phaseNotFinished = QStringLiteral("未完成。");
    QString statusVerified =
        QStringLiteral("校验通过：电台中的数据与写入的一致（频段界限和识别块无法读回）。");
    QString msgVerifyDifferent = QStringLiteral("电台中的数据与写入的不一致：");
    QString msgVerifyReadFailed = QStringLiteral("写入已完成，但无法读回电台进行校验。");
    QString msgBackupFailed = QStringLiteral("读取已完成，但未能保存备份：%1");
    QString msgBackupFirstFailed = QStringLiteral("未写入任何数据：无法先备份电台。%1");
    QString compareTitle = QStringLiteral("与文件比较");
    QString compareWhat = QStringLiteral("项目");
    QString compareThisPlan = QStringLiteral("当前信道表");
    QString compareTheFile = QStringLiteral("文件");
    QString msgPlansEqual = QStringLiteral("文件中的信道表与当前的相同。");
    QString restoreTitle = QStringLiteral("未保存的工作");
    QString msgRestoreQuestion =
        QStringLiteral("程序上次没有正常退出。是否恢复当时正在编辑的信道表？");
    QString restoreButton = QStringLiteral("恢复");
    QString keepAsideButton = QStringLiteral("保存到备份中");
    QString msgAutosaveFailed = QStringLiteral("无法保存用于恢复的信道表：%1");
    QString msgAutosaveUnreadable =
        QStringLiteral("无法读取上次运行留下的信道表，已将其保存到备份中。%1");

    // Takes every text the pack holds; the others stay.
    void apply(const LanguagePack &pack);
};

} // namespace vrx
