#include "i18n/access_texts.h"

#include "channels/channel_table.h"

#include <utility>

namespace vrx {

namespace {

const std::pair<PackId, const char16_t *> kBuiltIn[] = {
    {PackId::AccReadDescription, u"从电台读取全部信道和功能设置"},
    {PackId::AccWriteDescription, u"把全部信道和功能设置写入电台"},
    {PackId::AccExitDescription, u"退出程序"},
    {PackId::AccCellFormat, u"%1，信道 %2，%3"},
    {PackId::AccEditorFormat, u"%1，信道 %2"},
    {PackId::AccEmpty, u"空"},
    {PackId::AccColumnRxFreq, u"接收频率"},
    {PackId::AccColumnRxTone, u"接收亚音"},
    {PackId::AccColumnTxFreq, u"发射频率"},
    {PackId::AccColumnTxTone, u"发射亚音"},
    {PackId::AccColumnPower, u"发射功率"},
    {PackId::AccColumnBandwidth, u"带宽"},
    {PackId::AccColumnScan, u"扫描"},
    {PackId::AccColumnBusyLock, u"繁忙锁定"},
    {PackId::AccGridName, u"信道表"},
    {PackId::AccGridDescription,
     u"方向键移动，空格键切换功率、带宽、扫描和繁忙锁定，Shift 加方向键选择信道，Esc 取消选择"},
    {PackId::AccGaugeName, u"传输进度"},
    {PackId::AccTonePickerDescription, u"上下方向键选择亚音，F4 打开列表"},
    {PackId::AccFrequencyEditorDescription, u"输入频率（MHz），回车确认"},
    {PackId::AccChannelButtonsDescription, u"作用于当前信道"},
    {PackId::MenuSkinSystem, u"系统"},
};

} // namespace

QString AccessTexts::builtIn(PackId id) {
    for (const auto &[known, text] : kBuiltIn) {
        if (known == id)
            return QString::fromUtf16(text);
    }
    return {};
}

QString AccessTexts::text(PackId id) const {
    const auto it = loaded_.find(toInt(id));
    return it != loaded_.end() ? it->second : builtIn(id);
}

void AccessTexts::apply(const LanguagePack &pack) {
    for (const auto &[id, text] : kBuiltIn) {
        if (pack.has(id))
            loaded_[toInt(id)] = pack.text(id);
    }
}

QString AccessTexts::cellName(int col, int channel, const QString &value) const {
    return text(PackId::AccCellFormat)
        .arg(text(accColumnId(col)), QString::number(channel),
             value.isEmpty() ? text(PackId::AccEmpty) : value);
}

QString AccessTexts::editorName(int col, int channel) const {
    return text(PackId::AccEditorFormat).arg(text(accColumnId(col)), QString::number(channel));
}

} // namespace vrx
