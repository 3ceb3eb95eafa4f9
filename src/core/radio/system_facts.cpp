#include "radio/system_facts.h"

#include "radio/port_diagnosis.h"
#include "radio/serial_ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrx {

namespace {

QString readLine(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(4096)).trimmed();
}

QString readAll(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(1 << 20));
}

// Serial chips of programming cables, for the ones that have no tty (their own
// strings may be missing then, or as uninformative as "USB Serial").
struct KnownChip {
    const char *vendorId;
    const char *productId;
    const char *name;
};
constexpr KnownChip kKnownChips[] = {
    {"1a86", "7523", "QinHeng CH340"},     {"1a86", "5523", "QinHeng CH341"},
    {"1a86", "55d4", "QinHeng CH9102"},    {"10c4", "ea60", "Silicon Labs CP210x"},
    {"0403", "6001", "FTDI FT232R"},       {"0403", "6015", "FTDI FT230X"},
    {"0403", "0000", "FTDI (id erased)"},  {"067b", "2303", "Prolific PL2303"},
    {"067b", "23a3", "Prolific PL2303GC"},
};

const KnownChip *knownChip(const QString &vendorId, const QString &productId) {
    for (const KnownChip &chip : kKnownChips) {
        if (vendorId == QLatin1String(chip.vendorId) && productId == QLatin1String(chip.productId))
            return &chip;
    }
    return nullptr;
}

UsbChip chipAt(const QString &folder) {
    UsbChip chip;
    const QDir dir(folder);
    chip.vendorId = readLine(dir.filePath(QStringLiteral("idVendor"))).toLower();
    chip.productId = readLine(dir.filePath(QStringLiteral("idProduct"))).toLower();
    chip.vendor = readLine(dir.filePath(QStringLiteral("manufacturer")));
    chip.product = readLine(dir.filePath(QStringLiteral("product")));
    chip.serial = readLine(dir.filePath(QStringLiteral("serial")));
    chip.bcdDevice = readLine(dir.filePath(QStringLiteral("bcdDevice")));
    chip.bcdUsb = readLine(dir.filePath(QStringLiteral("version")));
    if (const KnownChip *known = knownChip(chip.vendorId, chip.productId);
        known && chip.product.isEmpty())
        chip.product = QString::fromLatin1(known->name);
    return chip;
}

// A tty under a USB device: usb-serial puts ttyUSB0 in the interface's folder, cdc_acm
// puts it in the interface's tty folder.
bool hasTty(const QString &usbDevice) {
    const QDir dir(usbDevice);
    for (const QFileInfo &interface : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!interface.fileName().contains(u':'))
            continue;
        const QDir inside(interface.filePath());
        if (!inside.entryList({QStringLiteral("tty*")}, QDir::Dirs | QDir::NoDotAndDotDot)
                 .isEmpty())
            return true;
    }
    return false;
}

} // namespace

SystemFacts::SystemFacts() = default;

SystemFacts::SystemFacts(Roots roots) : roots_(std::move(roots)) {}

std::optional<DeviceNode> SystemFacts::node(const QString &device) const {
    struct stat st {};
    if (::stat(QFile::encodeName(device).constData(), &st) != 0)
        return std::nullopt;
    DeviceNode node;
    node.uid = st.st_uid;
    node.gid = st.st_gid;
    node.mode = st.st_mode & 0777;
    const struct passwd *owner = ::getpwuid(st.st_uid);
    node.owner = owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(st.st_uid);
    const struct group *group = ::getgrgid(st.st_gid);
    node.group = group ? QString::fromLocal8Bit(group->gr_name) : QString::number(st.st_gid);
    return node;
}

bool SystemFacts::mayReadWrite(const QString &device) const {
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
}

UserFacts SystemFacts::user() const {
    UserFacts facts;
    facts.uid = ::getuid();
    const struct passwd *user = ::getpwuid(facts.uid);
    if (user)
        facts.name = QString::fromLocal8Bit(user->pw_name);
    facts.sessionGids.append(::getegid());
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(std::max(count, 0)));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i)
        facts.sessionGids.append(groups[size_t(i)]);
    if (user) {
        ::setgrent();
        while (const struct group *g = ::getgrent()) {
            bool listed = g->gr_gid == user->pw_gid;
            for (char **member = g->gr_mem; !listed && member && *member; ++member)
                listed = qstrcmp(*member, user->pw_name) == 0;
            if (listed)
                facts.listedGroups.append(QString::fromLocal8Bit(g->gr_name));
        }
        ::endgrent();
    }
    return facts;
}

bool SystemFacts::busy(const QString &device) const {
    // Opening and closing a pseudo-terminal just to look may hang up its far end; the
    // probe's own open tells there.
    if (isPseudoTerminal(device))
        return false;
    return systemPortInspector().busy(device);
}

std::optional<qint64> SystemFacts::lockOwner(const QString &device) const {
    return systemPortInspector().lockOwner(device);
}

qint64 SystemFacts::ownPid() const {
    return ::getpid();
}

QStringList SystemFacts::serialPorts() const {
    QStringList devices;
    for (const SerialPortEntry &port : listSerialPorts())
        devices.append(port.device);
    return devices;
}

QString SystemFacts::ttyFolder(const QString &device) const {
    return QDir(roots_.sysfs).filePath(QStringLiteral("class/tty/") + QFileInfo(device).fileName());
}

std::optional<UsbChip> SystemFacts::usbChipOf(const QString &device) const {
    const QString link = ttyFolder(device) + QStringLiteral("/device");
    QString folder = QFileInfo(link).canonicalFilePath();
    if (folder.isEmpty())
        return std::nullopt;
    const QString driver =
        QFileInfo(QFileInfo(link + QStringLiteral("/driver")).canonicalFilePath()).fileName();
    // Up from the tty's device to the USB device that holds the ids.
    for (int level = 0; level < 4 && !folder.isEmpty(); ++level) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor"))) {
            UsbChip chip = chipAt(folder);
            chip.driver = driver;
            return chip;
        }
        folder = QFileInfo(folder).path();
    }
    return std::nullopt;
}

QList<UsbChip> SystemFacts::chipsWithoutTty() const {
    QList<UsbChip> chips;
    const QDir devices(QDir(roots_.sysfs).filePath(QStringLiteral("bus/usb/devices")));
    for (const QFileInfo &entry : devices.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = entry.canonicalFilePath();
        if (!QFileInfo::exists(folder + QStringLiteral("/idVendor")))
            continue;
        const UsbChip chip = chipAt(folder);
        if (knownChip(chip.vendorId, chip.productId) && !hasTty(folder))
            chips.append(chip);
    }
    return chips;
}

QList<qint64> processesHolding(const QString &procRoot, const QString &device) {
    QStringList targets{QDir::cleanPath(device)};
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (!canonical.isEmpty() && !targets.contains(canonical))
        targets.append(canonical);
    QList<qint64> pids;
    const QDir proc(procRoot);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        // Other users' descriptors are not readable; those processes stay unseen.
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (targets.contains(fd.symLinkTarget())) {
                pids.append(pid);
                break;
            }
        }
    }
    return pids;
}

QList<qint64> SystemFacts::holders(const QString &device) const {
    return processesHolding(roots_.proc, device);
}

QString SystemFacts::processName(qint64 pid) const {
    return readLine(QDir(roots_.proc).filePath(QStringLiteral("%1/comm").arg(pid)));
}

bool SystemFacts::processRunning(const QString &name) const {
    const QDir proc(roots_.proc);
    for (const QString &entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        if (entry.toLongLong(&ok) > 0 && ok && processName(entry.toLongLong()) == name)
            return true;
    }
    return false;
}

QMap<QString, QString> SystemFacts::udevProperties(const QString &device) const {
    QMap<QString, QString> properties;
    const QString number = readLine(ttyFolder(device) + QStringLiteral("/dev"));
    if (number.isEmpty())
        return properties;
    const QString data = readAll(QDir(roots_.udevData).filePath(QStringLiteral("c") + number));
    for (const QString &line : data.split(u'\n')) {
        if (!line.startsWith(QLatin1String("E:")))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 2)
            properties.insert(line.mid(2, equals - 2), line.mid(equals + 1));
    }
    return properties;
}

bool SystemFacts::packageInstalled(const QString &name) const {
    const QString status = readAll(roots_.dpkgStatus);
    for (const QString &stanza : status.split(QStringLiteral("\n\n"))) {
        const QStringList lines = stanza.split(u'\n');
        if (!lines.contains(QStringLiteral("Package: ") + name))
            continue;
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String("Status:")) &&
                line.endsWith(QLatin1String(" installed")))
                return true;
        }
    }
    return false;
}

QMap<QString, QString> SystemFacts::effectiveRules() const {
    QMap<QString, QString> rules;
    for (const QString &folder : roots_.udevRules) {
        for (const QFileInfo &file :
             QDir(folder).entryInfoList({QStringLiteral("*.rules")}, QDir::Files | QDir::System)) {
            if (!rules.contains(file.fileName()))
                rules.insert(file.fileName(), file.absoluteFilePath());
        }
    }
    return rules;
}

QStringList SystemFacts::rulesNaming(const QString &nameContains, const QString &vendorId,
                                     const QString &productId) const {
    QStringList names;
    const QMap<QString, QString> rules = effectiveRules();
    for (auto it = rules.cbegin(); it != rules.cend(); ++it) {
        if (!it.key().contains(nameContains, Qt::CaseInsensitive))
            continue;
        // A rule masked by a link to /dev/null reads as empty.
        const QString text = readAll(it.value()).toLower();
        if (text.contains(vendorId.toLower()) && text.contains(productId.toLower()))
            names.append(it.key());
    }
    return names;
}

bool SystemFacts::ourUdevRuleInstalled() const {
    return effectiveRules().contains(QStringLiteral("60-vrx5800.rules"));
}

bool isPseudoTerminal(const QString &device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return (canonical.isEmpty() ? device : canonical).startsWith(QLatin1String("/dev/pts/"));
}

QString rightsText(uint mode) {
    QString text;
    for (int shift = 6; shift >= 0; shift -= 3) {
        text += (mode >> shift) & 4 ? u'r' : u'-';
        text += (mode >> shift) & 2 ? u'w' : u'-';
        text += (mode >> shift) & 1 ? u'x' : u'-';
    }
    return text;
}

} // namespace vrx
