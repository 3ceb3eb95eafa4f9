#pragma once

// vrxctl as separate processes for the end-to-end tests: running a command, and the
// simulator in a process of its own.

#include "i18n/language_pack.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <csignal>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace vrx {

inline const QString kTool = QStringLiteral(VRXCTL_PATH);
inline const QString kData = QStringLiteral(VRX_E2E_DATA_DIR);
inline constexpr int kToolTimeoutMs = 60000;

inline QString dataFile(const char *name) {
    return QDir(kData).filePath(QLatin1String(name));
}

inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString packText(const char *pack, int id) {
    const std::optional<LanguagePack> loaded =
        LanguagePack::load(QStringLiteral(VRX_LANG_DIR), QLatin1String(pack));
    return loaded ? loaded->text(id) : QString();
}
inline constexpr int kMsgNoResponseId = 104;
inline constexpr int kMsgPortOpenFailedId = 106;

struct ToolRun {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// The data folder (XDG_DATA_HOME) the tool runs with, so that no test writes backups into
// the user's own; tests set it to a temporary folder.
inline QString &toolDataHome() {
    static QString home;
    return home;
}

inline QProcessEnvironment toolEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!toolDataHome().isEmpty())
        environment.insert(QStringLiteral("XDG_DATA_HOME"), toolDataHome());
    return environment;
}

inline ToolRun runTool(const QStringList &arguments) {
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.start(kTool, arguments);
    ToolRun run;
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "vrxctl " << arguments.join(u' ').toStdString() << " timed out";
    }
    run.exitCode = process.exitCode();
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A run with stderr on a pseudo-terminal, as in a user's shell: everything the tool drew
// there. exitCode -1 when it could not be started or did not finish.
struct TerminalRun {
    int exitCode = -1;
    QString terminal;
};

inline TerminalRun runToolOnTerminal(const QStringList &arguments) {
    TerminalRun run;
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return run;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    QProcess process;
    process.setProcessEnvironment(toolEnvironment());
    process.setChildProcessModifier([slave] { ::dup2(slave, STDERR_FILENO); });
    process.start(kTool, arguments);
    ::close(slave);
    QByteArray terminal;
    auto drain = [&] {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0)
            terminal.append(buffer, n);
    };
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(20) && clock.elapsed() < kToolTimeoutMs)
        drain();
    drain();
    ::close(master);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "vrxctl " << arguments.join(u' ').toStdString() << " timed out";
        return run;
    }
    run.exitCode = process.exitCode();
    run.terminal = QString::fromUtf8(terminal);
    return run;
}

// `vrxctl sim` in its own process; stopped (and checked to stop cleanly) at the end.
// With `count` above 1 it runs `sim --count`, one device path a line.
class Simulator {
public:
    explicit Simulator(const QStringList &arguments = {}, int count = 1) {
        QStringList all{QStringLiteral("sim")};
        if (count > 1)
            all << QStringLiteral("--count") << QString::number(count);
        process_.start(kTool, all + arguments);
        // The device paths come first; the simulator then serves until killed.
        while (devices_.size() < count) {
            while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
            }
            if (!process_.canReadLine())
                break;
            devices_ << QString::fromUtf8(process_.readLine()).trimmed();
        }
        device_ = devices_.value(0);
    }
    ~Simulator() { stop(SIGTERM); }

    QString device() const { return device_; }
    QStringList devices() const { return devices_; }

    // Sends `signal` and returns the exit code; -1 if it had to be killed or crashed.
    int stop(int signal) {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
        ::kill(pid_t(process_.processId()), signal);
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

private:
    QProcess process_;
    QString device_;
    QStringList devices_;
};

} // namespace vrx
