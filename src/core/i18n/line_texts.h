#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// What the line did when the radio did not complete an exchange, and what helps: the
// lines below the no-response message. Built-in Chinese until a pack loads.
struct LineTexts {
    QString silent = QStringLiteral("没有收到任何字节。");
    QString silentRemedy = QStringLiteral(
        "电台可能未开机、编程线插头未完全插入电台的插孔，或编程线接在另一个端口上。");
    QString echo = QStringLiteral("发出的字节原样返回：编程线有回显，但没有设备应答。");
    QString echoRemedy = QStringLiteral(
        "编程线已连接到电脑，但没有连接到电台（或电台未开机）：请插好电台一端并开机。");
    // %1 the first bytes in hex.
    QString garbage = QStringLiteral("收到的字节不是应答：%1。");
    QString garbageRemedy =
        QStringLiteral("可能是另一种电台、芯片错误或为仿冒芯片的编程线，或者有干扰。");
    // %1 the 8 bytes in hex, %2 their readable characters.
    QString otherRadio = QStringLiteral("另一种电台作出了识别应答：%1（“%2”）。");
    QString otherRadioRemedy = QStringLiteral("这台电台不属于本系列，本程序无法为它编程。");
    // %1 channel number (three digits).
    QString stoppedAtChannel = QStringLiteral("电台先有应答，随后在信道 %1 处中断。");
    QString stoppedAtSettings = QStringLiteral("电台先有应答，随后在功能设置数据处中断。");
    QString stoppedAtStart = QStringLiteral("电台应答了握手，随后在第一个信道之前中断。");
    QString stoppedRemedy = QStringLiteral("可能是插头松动或电池电量不足：请检查后重试。");

    bool operator==(const LineTexts &) const = default;
};

// Fill the texts from `pack` (ids 430-441); an id the pack lacks leaves its text.
void applyToLineTexts(const LanguagePack &pack, LineTexts &texts);

} // namespace vrx
