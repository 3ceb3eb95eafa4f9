// The real PortInspector: what a user would find with ls -l, id, groups, fuser and a
// look into the lock-file folders.

#include "radio/port_diagnosis.h"
#include "radio/serial_ports.h"
#include "radio/system_facts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrx {

namespace {

// Where serial lock files are kept ("LCK..ttyUSB0"), Qt's own choice among them included.
const char *const kLockFolders[] = {"/var/lock",       "/run/lock",        "/var/spool/locks",
                                    "/var/spool/uucp", "/etc/locks",       "/tmp",
                                    "/var/tmp",        "/var/lock/lockdev"};

// A lock file holds the process id first: as text (Qt, UUCP style, possibly padded)
// or, in old binary lock files, as four bytes.
std::optional<qint64> pidInLockFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(128);
    bool ok = false;
    const qint64 pid = head.split('\n').value(0).trimmed().toLongLong(&ok);
    if (ok && pid > 0)
        return pid;
    if (head.size() == 4) {
        qint32 binary = 0;
        std::memcpy(&binary, head.constData(), 4);
        if (binary > 0)
            return binary;
    }
    return std::nullopt;
}

bool processAlive(qint64 pid) {
    return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

class SystemPortInspector : public PortInspector {
public:
    bool exists(const QString &device) const override {
        struct stat st {};
        return ::stat(QFile::encodeName(device).constData(), &st) == 0;
    }

    bool accessDenied(const QString &device) const override {
        return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES;
    }

    QString groupOf(const QString &device) const override {
        struct stat st {};
        if (::stat(QFile::encodeName(device).constData(), &st) != 0)
            return {};
        const struct group *g = ::getgrgid(st.st_gid);
        return g ? QString::fromLocal8Bit(g->gr_name) : QString::number(st.st_gid);
    }

    bool groupGrantsAccess(const QString &device) const override {
        struct stat st {};
        if (::stat(QFile::encodeName(device).constData(), &st) != 0)
            return false;
        return st.st_gid != 0 && (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    }

    bool sessionHasGroup(const QString &group) const override {
        const struct group *g = ::getgrnam(QFile::encodeName(group).constData());
        if (!g)
            return false;
        const gid_t wanted = g->gr_gid;
        if (::getegid() == wanted)
            return true;
        const int count = ::getgroups(0, nullptr);
        std::vector<gid_t> groups(size_t(std::max(count, 0)));
        const int got = ::getgroups(count, groups.data());
        for (int i = 0; i < got; ++i) {
            if (groups[size_t(i)] == wanted)
                return true;
        }
        return false;
    }

    bool userListedInGroup(const QString &group) const override {
        const struct passwd *user = ::getpwuid(::getuid());
        const struct group *g = ::getgrnam(QFile::encodeName(group).constData());
        if (!user || !g)
            return false;
        if (user->pw_gid == g->gr_gid)
            return true;
        for (char **member = g->gr_mem; member && *member; ++member) {
            if (qstrcmp(*member, user->pw_name) == 0)
                return true;
        }
        return false;
    }

    std::optional<qint64> lockOwner(const QString &device) const override {
        // "/dev/pts/3" is locked as "LCK..pts_3", "/dev/ttyUSB0" as "LCK..ttyUSB0"; some
        // programs use the bare file name.
        QString relative = QDir::cleanPath(device);
        if (relative.startsWith(QLatin1String("/dev/")))
            relative = relative.mid(5);
        relative.replace(u'/', u'_');
        for (const QString &name : {relative, QFileInfo(device).fileName()}) {
            for (const char *folder : kLockFolders) {
                const QString path =
                    QDir(QString::fromLatin1(folder)).filePath(QStringLiteral("LCK..") + name);
                if (const std::optional<qint64> pid = pidInLockFile(path);
                    pid && processAlive(*pid))
                    return pid;
            }
        }
        return std::nullopt;
    }

    QList<qint64> holders(const QString &device) const override {
        return processesHolding(QStringLiteral("/proc"), device);
    }

    QString processName(qint64 pid) const override {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (!comm.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLocal8Bit(comm.readAll()).trimmed();
    }

    bool busy(const QString &device) const override {
        const int fd =
            ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
            return false;
        }
        return errno == EBUSY;
    }

    qint64 ownPid() const override { return ::getpid(); }

    bool udevRuleInstalled() const override {
        return QFileInfo::exists(QStringLiteral("/usr/lib/udev/rules.d/60-vrx5800.rules")) ||
               QFileInfo::exists(QStringLiteral("/lib/udev/rules.d/60-vrx5800.rules"));
    }

    QStringList presentPorts() const override {
        QStringList devices;
        for (const SerialPortEntry &port : listSerialPorts())
            devices.append(port.device);
        return devices;
    }
};

} // namespace

const PortInspector &systemPortInspector() {
    static const SystemPortInspector inspector;
    return inspector;
}

} // namespace vrx
