#pragma once

#include <QByteArray>
#include <QString>

namespace vrx {

// Writes `bytes` to a temporary file beside `path` and puts it in the place of `path` only
// when every byte has been written, so a failure at any point leaves an old file as it
// was. On failure returns false and sets `reason` (without the path).
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *reason);

} // namespace vrx
