#pragma once

#include "i18n/line_texts.h"

#include <QString>

namespace vrx {

// The shared text slots that other parts put into cells, captions and messages.
// They start with the built-in Chinese texts so that a missing language pack never
// leaves empty power/bandwidth/scan/lock words in new channels or empty failure
// messages; a pack that loads overwrites them.
struct UiTexts {
    QString offText = QStringLiteral("禁用");
    QString onText = QStringLiteral("启用");
    QString highText = QStringLiteral("高功率");
    QString lowText = QStringLiteral("低功率");
    QString wideText = QStringLiteral("宽带");
    QString narrowText = QStringLiteral("窄带");
    QString captionRead = QStringLiteral("读频");
    QString captionWrite = QStringLiteral("写频");
    QString msgFailureTitle = QStringLiteral("错误");
    QString msgNoResponse = QStringLiteral("电台没有响应。请检查电台是否已开机并已连接编程线。");
    QString msgPortOpenFailed =
        QStringLiteral("无法打开通信端口。请检查编程线是否连接、端口选择是否正确，"
                       "以及是否有使用该端口的权限。");
    QString msgConfirmTitle = QStringLiteral("确认");
    QString msgConfirmNew = QStringLiteral("新建信道表将清除所有信道并恢复默认设置。是否继续？");
    QString msgConfirmClear = QStringLiteral("是否清除所有信道？");
    // %1 channel number (three digits), %2 the cell's text.
    QString msgInvalidFrequency = QStringLiteral("信道 %1：“%2”不是有效的频率。");
    // %1 channel number (three digits), %2 the field's column header, %3 the cell's text.
    QString msgCannotWriteCell =
        QStringLiteral("信道 %1 的 %2 “%3” 无法写入电台，未发送任何数据。");

    // Notices after a transfer that left out a lenient step.
    QString msgNoticeTitle = QStringLiteral("提示");
    QString msgSettingsNotRead = QStringLiteral("未读取电台的功能设置，各选项仍显示原来的值。");
    QString msgTailNotWritten =
        QStringLiteral("频段范围和识别信息未全部写入，电台中的这些数据保持原样。");

    // Below MsgNoResponse: what the line did and what helps.
    LineTexts line;
    // Normalisation moved a typed value to a limit: %1 the typed text, %2 the cell's text.
    QString noteBelowLowest = QStringLiteral("%1 → %2：低于最低频率");
    QString noteAboveHighest = QStringLiteral("%1 → %2：高于最高频率");

    bool operator==(const UiTexts &) const = default;
};

} // namespace vrx
