#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The connection doctor's texts: the checks of a port, what each found and what helps,
// and its window. Built-in Chinese until a pack loads; some sentences are shared with
// the port failure message and keep its ids.
struct DoctorTexts {
    QString checkDevice = QStringLiteral("设备");
    QString checkAccess = QStringLiteral("权限");
    QString checkHolders = QStringLiteral("占用情况");
    QString checkChip = QStringLiteral("芯片");
    QString checkProbe = QStringLiteral("试连");
    QString statusOk = QStringLiteral("正常");
    QString statusWarning = QStringLiteral("注意");
    QString statusProblem = QStringLiteral("问题");
    // %1 device.
    QString devicePresent = QStringLiteral("%1 存在。");
    // %1 device.
    QString deviceMissing = QStringLiteral("没有 %1。");
    QString deviceMissingRemedy = QStringLiteral("请插好编程线，或选择现有的串口之一。");
    // %1 VID:PID and name.
    QString chipWithoutTty = QStringLiteral("已插入 USB 串口芯片，但它没有串口设备：%1。");
    QString chipWithoutTtyRemedy =
        QStringLiteral("请重新插入编程线；如果仍然没有串口，说明缺少该芯片的驱动程序。");
    // %1 rule file, %2 VID:PID.
    QString brlttyClaims = QStringLiteral("已安装盲文显示守护程序 brltty，其 udev 规则 %1 包含 "
                                          "%2：它占用了编程线，因此没有串口出现。");
    // %1 rule file.
    QString brlttyRemedy =
        QStringLiteral("请卸载它（sudo apt remove brltty）或屏蔽其规则（sudo ln -s /dev/null "
                       "/etc/udev/rules.d/%1），然后重新插入编程线。");
    // %1 device, %2 owner, %3 group, %4 rights (rw-rw----).
    QString accessOk = QStringLiteral("您可以读写 %1（所有者 %2，用户组 %3，权限 %4）。");
    // %1 device, %2 owner, %3 group, %4 rights.
    QString accessDenied = QStringLiteral("您无权读写 %1：所有者 %2，用户组 %3，权限 %4。");
    // %1 group, %2 device.
    QString groupWontHelp =
        QStringLiteral("加入用户组 %1 无济于事：请向管理员申请 %2 的使用权限，或安装 vrx5800 "
                       "软件包的 udev 规则后重新插入编程线。");
    QString udevRuleInstalled = QStringLiteral("已安装 vrx5800 的 udev 规则。");
    QString udevRuleMissing = QStringLiteral("未安装 vrx5800 的 udev 规则。");
    // %1 device.
    QString holdersNone = QStringLiteral("没有其他程序占用 %1。");
    QString heldRemedy = QStringLiteral("请关闭该程序后重试。");
    // %1 device, %2 process id.
    QString heldLock = QStringLiteral("进程 %2 的锁文件锁定了 %1。");
    // %1 device, %2 program, %3 process id.
    QString alsoOpen =
        QStringLiteral("%1 同时被 %2（进程 %3）打开：它的数据会与本程序的数据混在一起。");
    // %1 device.
    QString modemManagerIgnores = QStringLiteral("ModemManager 正在运行，但不会访问 %1。");
    // %1 device.
    QString modemManagerProbes = QStringLiteral("ModemManager 正在运行，可能会探测 %1。");
    QString modemManagerRemedy =
        QStringLiteral("编程时请停止它（sudo systemctl stop ModemManager），或安装 vrx5800 "
                       "软件包的 udev 规则，让它不再访问常见的编程线。");
    // %1 vendor, %2 product, %3 VID:PID, %4 driver.
    QString chipUsb = QStringLiteral("%1 %2（USB %3），驱动程序 %4。");
    // %1 device.
    QString chipNotUsb = QStringLiteral("%1 不是 USB 设备（内置串口或伪终端）。");
    QString chipPl2303Old =
        QStringLiteral("这是 Prolific PL2303 HXA/XA "
                       "芯片（或标为该型号的仿制品）：厂家已停产，新版驱动程序可能拒绝使用它。");
    QString chipReplaceRemedy =
        QStringLiteral("请使用带有现行正品芯片的编程线（CH340、CP210x、FTDI 或较新的 PL2303）。");
    // %1 the marking.
    QString chipClone = QStringLiteral("该芯片带有仿冒芯片的标记：%1。");
    // %1 attempt, %2 the 8 bytes in hex.
    QString probeOk = QStringLiteral("电台在第 %1 次握手时应答；识别信息：%2。");
    QString probeNotRun = QStringLiteral("未试连：须先通过上面的检查。");
    // %1 device, %2 the system's error text.
    QString probeOpenFailed = QStringLiteral("无法打开 %1：%2");
    // %1 device.
    QString radioIsOn = QStringLiteral("您的电台在 %1 上。");
    QString noPortAnswered = QStringLiteral("没有端口应答。");
    // %1 device.
    QString notAnswering = QStringLiteral("%1：无法与电台通信，请参阅下面的解决办法。");
    QString menuItem = QStringLiteral("测试连接(&T)…");
    QString title = QStringLiteral("测试连接");
    QString testButton = QStringLiteral("测试");
    // %1 device.
    QString running = QStringLiteral("正在测试 %1…");
    QString columnCheck = QStringLiteral("检查项");
    QString columnStatus = QStringLiteral("状态");
    QString columnDetail = QStringLiteral("结果");
    QString columnRemedy = QStringLiteral("解决办法");
    QString offerTest = QStringLiteral("测试连接…");
    QString closeButton = QStringLiteral("关闭");
    // Shared with the port failure message.
    // %1 the ports, comma-separated.
    QString portsPresent = QStringLiteral("现有的串口：%1。");
    QString noPortsPresent = QStringLiteral("系统中没有任何串口。");
    // %1 group.
    QString joinGroup =
        QStringLiteral("请用以下命令加入该组：sudo usermod -aG %1 $USER，然后注销并重新登录。");
    // %1 group.
    QString relogin = QStringLiteral("您在本次登录之后才被加入用户组 %1：请注销并重新登录。");
    // %1 device, %2 program, %3 process id.
    QString heldByProcess = QStringLiteral("%1 正被另一个程序占用：%2（进程 %3）。");
    // %1 device.
    QString heldByOther = QStringLiteral("%1 正被另一个程序占用。");

    bool operator==(const DoctorTexts &) const = default;
};

// Fill the texts from `pack`; an id the pack lacks leaves its text as it is.
void applyToDoctorTexts(const LanguagePack &pack, DoctorTexts &texts);

} // namespace vrx
