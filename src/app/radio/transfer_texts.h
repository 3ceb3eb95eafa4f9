#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The texts of transfers that stop or fail half way, and of comparing with the radio:
// the built-in Chinese until a language pack replaces them.
struct TransferTexts {
    QString msgReadGotChannels =
        QStringLiteral("读取只完成了 199 个信道中的 %1 个；窗口中的信道表未改变。");
    QString msgPartialReadKept = QStringLiteral("已读取的信道保存在 %1。");
    QString msgTransferStopped = QStringLiteral("传输已停止。");
    QString msgRadioHoldsChannels = QStringLiteral("电台现在保存了新信道表的第 1-%1 信道。");
    QString msgRadioHoldsNone = QStringLiteral("电台中没有新信道表的任何信道。");
    QString msgRadioHoldsAll =
        QStringLiteral("电台已保存新信道表的全部 199 个信道，但可能没有其设置和频段界限。");
    QString msgRestoreFromBackup =
        QStringLiteral("写入前电台中的信道表保存在 %1。要恢复它，请打开该文件并写入，或运行：%2");
    QString msgBackupNextTime = QStringLiteral("下次请勾选“先备份电台”，以保留电台原来的信道表。");
    QString msgVerifyStopped = QStringLiteral("写入已完成；校验已停止。");
    QString msgNothingWritten = QStringLiteral("未写入任何数据。");
    QString menuCompareWithRadio = QStringLiteral("与电台比较(&R)…");
    QString compareTheRadio = QStringLiteral("电台");
    QString msgRadioPlanEqual = QStringLiteral("电台中的信道表与当前的相同。");

    // Takes every text the pack holds; the others stay.
    void apply(const LanguagePack &pack);
};

} // namespace vrx
