#include "storage/atomic_write.h"

#include <QSaveFile>

namespace vrx {

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *reason) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows here: a buffered
    // QSaveFile can flush part of its buffer at commit and still report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            if (reason)
                *reason = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace vrx
