#pragma once

#include <QByteArray>
#include <QString>

namespace vrx {

enum class ExclusiveCreate {
    Created, // the file is new and holds every byte
    Taken,   // a file, folder or link of that name is there: choose another name
    Failed,  // it could not be created or written; nothing is left behind
};

// Creates `path` with `bytes` only where nothing of that name exists, and never through a
// link: a link in the way, dangling or not, is a taken name. On Failed sets `reason`.
ExclusiveCreate createExclusively(const QString &path, const QByteArray &bytes, QString *reason);

} // namespace vrx
