// vrx5800 in a real X server (Xvfb) typed into with xdotool, as a user at the keyboard:
// the key events come from the X server, so they reach whatever window and widget hold
// the focus, and nothing in the test can choose the receiver. Skipped only when Xvfb or
// xdotool is not installed.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kGui = QStringLiteral(VRX5800_PATH);

bool waitFor(const std::function<bool()> &condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// An X server of its own on the first free display from :90 on.
class XServer {
public:
    bool start(const QString &program) {
        for (int display = 90; display < 130; ++display) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))
                continue;
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
            process_.start(program, {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"),
                                     QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!process_.waitForStarted(5000))
                return false;
            // Another server may have taken the display in between; then it exits at once.
            if (waitFor(
                    [&] {
                        return QFileInfo::exists(socket) ||
                               process_.state() == QProcess::NotRunning;
                    },
                    10000) &&
                process_.state() == QProcess::Running) {
                display_ = QStringLiteral(":%1").arg(display);
                return true;
            }
            process_.kill();
            process_.waitForFinished();
        }
        return false;
    }
    ~XServer() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) {
                process_.kill();
                process_.waitForFinished();
            }
        }
    }
    QString display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

class GuiUnderX : public ::testing::Test {
protected:
    void SetUp() override {
        xvfb_ = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool_ = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb_.isEmpty() || xdotool_.isEmpty())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(home_.isValid());
        ASSERT_TRUE(server_.start(xvfb_)) << "Xvfb did not come up";
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("DISPLAY"), server_.display());
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // Nothing of a dialog's history lands in the real home.
        env_.insert(QStringLiteral("HOME"), home_.path());
        env_.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_.path());
    }
    void TearDown() override {
        if (gui_.state() != QProcess::NotRunning) {
            gui_.kill();
            gui_.waitForFinished();
        }
    }

    // Runs xdotool with `arguments`; true when it succeeded.
    bool xdotool(const QStringList &arguments) {
        QProcess tool;
        tool.setProcessEnvironment(env_);
        tool.start(xdotool_, arguments);
        if (!tool.waitForFinished(15000)) {
            tool.kill();
            tool.waitForFinished();
            return false;
        }
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }

    QString xvfb_, xdotool_;
    QTemporaryDir home_;
    XServer server_;
    QProcessEnvironment env_;
    QProcess gui_;
};

// Typing into the grid at start, Down out of the frequency editor, typing on, Enter: both
// channels hold their frequency in the saved file.
TEST_F(GuiUnderX, TypeDownTypeEnterFillsBothChannels) {
    gui_.setProcessEnvironment(env_);
    gui_.setWorkingDirectory(home_.path());
    // The demo radio keeps the settings file as it was.
    gui_.start(kGui, {QStringLiteral("--demo")});
    ASSERT_TRUE(gui_.waitForStarted(10000));

    const QString window = QStringLiteral("VRX-5800");
    ASSERT_TRUE(xdotool(
        {"search", "--sync", "--name", window, "windowfocus", "--sync", "%1", "sleep", "0.5"}))
        << "the main window did not appear";
    ASSERT_TRUE(xdotool({"type", "--delay", "60", "433"}));
    ASSERT_TRUE(xdotool({"key", "--delay", "100", "Down"}));
    ASSERT_TRUE(xdotool({"type", "--delay", "60", "434"}));
    ASSERT_TRUE(xdotool({"key", "--delay", "100", "Return", "sleep", "0.3"}));

    // Save through the menu and the file dialog, all by keyboard.
    const QString saved = home_.filePath(QStringLiteral("typed.vrx"));
    ASSERT_TRUE(xdotool({"key", "--delay", "300", "alt+f", "s"}));
    // Its title follows the language the program started in.
    ASSERT_TRUE(xdotool({"search", "--sync", "--name", "^(保存|Save)$", "sleep", "0.5"}))
        << "the save dialog did not appear";
    ASSERT_TRUE(xdotool({"type", "--delay", "20", saved}));
    ASSERT_TRUE(xdotool({"key", "--delay", "200", "Return"}));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(saved); }, 10000)) << "nothing was saved";
    QThread::msleep(300);

    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 32);
    EXPECT_TRUE(lines[29].startsWith("CH001 | 433.00000 | ")) << lines[29].toStdString();
    EXPECT_TRUE(lines[30].startsWith("CH002 | 434.00000 | ")) << lines[30].toStdString();
    EXPECT_TRUE(lines[31].startsWith("CH003 |  | ")) << lines[31].toStdString();
}

} // namespace
