#include "storage/exclusive_create.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vrx {

namespace {

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ExclusiveCreate createExclusively(const QString &path, const QByteArray &bytes, QString *reason) {
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // O_EXCL refuses any name in use, a dangling link included; ELOOP is a link too.
        if (errno == EEXIST || errno == ELOOP)
            return ExclusiveCreate::Taken;
        if (reason)
            *reason = errnoText(errno);
        return ExclusiveCreate::Failed;
    }
    qsizetype done = 0;
    int error = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written > 0)
            done += written;
        else if (written < 0 && errno != EINTR)
            error = errno;
        else if (written == 0)
            error = ENOSPC;
    }
    // A backup that is only named is no backup: it must be on the disk before it counts.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0) {
        ::unlink(name.constData());
        if (reason)
            *reason = errnoText(error);
        return ExclusiveCreate::Failed;
    }
    return ExclusiveCreate::Created;
}

} // namespace vrx
