#include "i18n/edit_texts.h"

#include <utility>

namespace vrx {

namespace {

const std::pair<PackId, const char16_t *> kBuiltIn[] = {
    {PackId::MenuUndo, u"撤销%1"},
    {PackId::MenuRedo, u"重做%1"},
    {PackId::MenuSelectAll, u"全选信道"},
    {PackId::MenuCopy, u"复制信道"},
    {PackId::MenuCut, u"剪切信道"},
    {PackId::MenuPaste, u"粘贴信道"},
    {PackId::MenuInsertChannel, u"插入空信道"},
    {PackId::MenuDeleteShiftUp, u"删除信道并上移"},
    {PackId::MenuSortByRxFreq, u"按接收频率排序"},
    {PackId::MenuFind, u"查找..."},
    {PackId::MenuFindNext, u"查找下一个"},
    {PackId::MenuBulkEdit, u"批量修改所选信道"},
    {PackId::BulkSetPower, u"发射功率"},
    {PackId::BulkSetBandwidth, u"宽/窄带"},
    {PackId::BulkSetScan, u"扫描"},
    {PackId::BulkSetBusyLock, u"繁忙锁定"},
    {PackId::BulkSetRxTone, u"接收亚音..."},
    {PackId::BulkSetTxTone, u"发射亚音..."},
    {PackId::BulkSetBothTones, u"接收和发射亚音..."},
    {PackId::BulkTxEqualsRx, u"发射频率 = 接收频率"},
    {PackId::BulkShiftFrequencies, u"频率偏移..."},
    {PackId::BulkShiftPrompt, u"偏移量（MHz，例如 5 或 -0.5）："},
    {PackId::BulkTonePrompt, u"亚音："},
    {PackId::StepEditCell, u"单元格编辑"},
    {PackId::StepToggle, u"切换"},
    {PackId::StepTone, u"亚音选择"},
    {PackId::StepMoveUp, u"信道上移"},
    {PackId::StepMoveDown, u"信道下移"},
    {PackId::StepDeleteChannel, u"删除信道"},
    {PackId::StepAutoFill, u"自动添加"},
    {PackId::StepClearChannels, u"清除信道"},
    {PackId::StepNewPlan, u"新建"},
    {PackId::StepOpenFile, u"打开文件"},
    {PackId::StepReadRadio, u"读频"},
    {PackId::StepPaste, u"粘贴"},
    {PackId::StepCut, u"剪切"},
    {PackId::StepInsertChannel, u"插入信道"},
    {PackId::StepDeleteShiftUp, u"删除并上移"},
    {PackId::StepSort, u"排序"},
    {PackId::StepBulkEdit, u"批量修改"},
    {PackId::MsgPastePastEnd, u"未粘贴：从信道 %2 起的 %1 个信道会超出信道 199。"},
    {PackId::MsgPasteRefused, u"未粘贴：第 %1 行的 %2 “%3”无法识别。"},
    {PackId::MsgPasteTooManyFields, u"未粘贴：第 %1 行超过八个字段（“%2”）。"},
    {PackId::MsgPasteNothing, u"剪贴板中没有信道。"},
    {PackId::PasteTooLarge, u"粘贴的文本超过 1 MiB，未被采用。请分批粘贴较少的行，或导入该文件。"},
    {PackId::MsgInsertFull, u"信道 199 不为空，无法插入信道。"},
    {PackId::MsgShiftOutOfRange, u"未偏移：信道 %1 的频率会超出 100-550 MHz。"},
    {PackId::MsgShiftBadOffset, u"“%1”不是有效的偏移量（MHz）。"},
    {PackId::FindLabel, u"查找："},
    {PackId::MsgNotFound, u"未找到"},
    {PackId::StepMoveChannels, u"移动信道"},
    // Named beside the interchange texts, but undone like any other step.
    {PackId::StepImport, u"导入信道"},
    // Marks in the grid, the backups window, display-only words.
    {PackId::TipOutsideBands, u"超出所选频段 %1"},
    {PackId::MsgShiftOffRaster,
     u"偏移量 %1 MHz 不是 5 kHz 或 6.25 kHz 步进的整数倍，未修改任何信道。"},
    {PackId::MsgShiftLeavesRaster,
     u"信道 %1 无法正好偏移 %2 MHz（将偏离 5 kHz / 6.25 kHz 步进），未修改任何信道。"},
    {PackId::BackupsTitle, u"备份"},
    {PackId::BackupsColumnKind, u"类型"},
    {PackId::BackupsColumnTime, u"日期和时间"},
    {PackId::BackupsColumnChannels, u"已用信道"},
    {PackId::BackupKindRead, u"从电台读取"},
    {PackId::BackupKindBeforeWrite, u"写频前"},
    {PackId::BackupKindPartial, u"部分读取"},
    {PackId::BackupKindUnsaved, u"未保存的信道表"},
    {PackId::BackupsOpenButton, u"打开"},
    {PackId::BackupsCompareButton, u"与当前信道表比较"},
    {PackId::BackupsShowFolderButton, u"显示文件夹"},
    {PackId::BackupsNone, u"%1 中还没有备份。"},
    {PackId::MsgFolderNotShown, u"此桌面无法显示文件夹。备份位于 %1"},
    {PackId::MsgNoBackupsKept, u"本次运行不保留备份。"},
    {PackId::LabelRing, u"铃声"},
};

} // namespace

QString EditTexts::builtIn(PackId id) {
    for (const auto &[known, text] : kBuiltIn) {
        if (known == id)
            return QString::fromUtf16(text);
    }
    return {};
}

QString EditTexts::text(PackId id) const {
    const auto it = loaded_.find(toInt(id));
    return it != loaded_.end() ? it->second : builtIn(id);
}

void EditTexts::apply(const LanguagePack &pack) {
    for (const auto &[id, text] : kBuiltIn) {
        if (pack.has(id))
            loaded_[toInt(id)] = pack.text(id);
    }
}

} // namespace vrx
