#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The texts that explain why a port did not open and what helps, below the failure
// message. They start with the built-in Chinese texts, as the other slots do; a pack
// that loads overwrites them.
struct PortTexts {
    // %1 COM number, %2 device.
    QString isDevice = QStringLiteral("COM%1 对应设备 %2。");
    // %1 device.
    QString missing = QStringLiteral("没有 %1：编程线插好了吗？");
    // %1 the ports, comma-separated.
    QString present = QStringLiteral("现有的串口：%1。");
    QString nonePresent = QStringLiteral("系统中没有任何串口。");
    // %1 device, %2 group.
    QString accessDenied = QStringLiteral("您无权使用 %1：它属于用户组 %2，而您不在该组中。");
    // %1 group.
    QString addToGroup =
        QStringLiteral("请用以下命令加入该组：sudo usermod -aG %1 $USER，然后注销并重新登录。");
    // %1 group, %2 device: joining the group would not help.
    QString groupWontHelp = QStringLiteral(
        "加入用户组 %1 无济于事：请向管理员申请 %2 的使用权限，或安装 vrx5800 软件包的 udev "
        "规则后重新插入编程线。");
    // %1 group.
    QString relogin = QStringLiteral("您在本次登录之后才被加入用户组 %1：请注销并重新登录。");
    QString udevRule =
        QStringLiteral("vrx5800 软件包的 udev 规则可让您使用常见编程线的端口：请重新插入编程线。");
    // %1 device.
    QString heldByOther = QStringLiteral("%1 正被另一个程序占用。");
    // %1 device, %2 program, %3 process id.
    QString heldByProcess = QStringLiteral("%1 正被另一个程序占用：%2（进程 %3）。");
    // %1 device.
    QString heldByTransfer = QStringLiteral("%1 仍被本程序的读写窗口占用：请先关闭该窗口再试。");
    // %1 device, %2 the system's error text.
    QString otherError = QStringLiteral("无法打开 %1：%2");

    bool operator==(const PortTexts &) const = default;
};

// The captions of the port settings item and dialog, built-in Chinese until a pack loads.
struct PortDialogTexts {
    QString menuItem = QStringLiteral("端口设置(&P)…");
    QString title = QStringLiteral("端口设置");
    QString device = QStringLiteral("设备");
    QString description = QStringLiteral("描述");
    QString manufacturer = QStringLiteral("制造商");
    QString usbId = QStringLiteral("USB ID");
    QString serialNumber = QStringLiteral("序列号");
    QString detect = QStringLiteral("检测");
    // %1 COM number.
    QString detectPrompt = QStringLiteral("请拔下编程线，然后重新插入（COM%1）。");
    // %1 device, %2 COM number.
    QString detectFound = QStringLiteral("找到 %1：COM%2 现在对应它。");
    QString refresh = QStringLiteral("刷新");
    QString detectNone = QStringLiteral("没有出现新的端口。请重试，或从列表中选择设备。");

    bool operator==(const PortDialogTexts &) const = default;
};

// Fill the texts from `pack`; an id the pack lacks leaves its text as it is.
void applyToPortTexts(const LanguagePack &pack, PortTexts &texts);
void applyToPortDialogTexts(const LanguagePack &pack, PortDialogTexts &texts);

} // namespace vrx
