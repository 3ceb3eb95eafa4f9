#pragma once

#include <QString>

#include <utility>

namespace vrx {

// Outcome of a file action: success, or a message for the user that names the file and
// says what went wrong.
class FileStatus {
public:
    static FileStatus success() { return FileStatus(); }
    static FileStatus failure(QString message) { return FileStatus(std::move(message)); }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    // Empty on success.
    QString message() const { return message_; }

private:
    FileStatus() = default;
    explicit FileStatus(QString message) : ok_(false), message_(std::move(message)) {}

    bool ok_ = true;
    QString message_;
};

} // namespace vrx
