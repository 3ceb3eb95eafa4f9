#include "files/recovery.h"
#include "radio/demo_radio.h"
#include "shell/app_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// `--help` and `--version` only print, so they must work on a terminal without a
// display too (over ssh, in a package check).
void allowPrintingWithoutDisplay(int argc, char **argv) {
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version" ||
            arg == "-v") {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            return;
        }
    }
}

} // namespace

int main(int argc, char **argv) {
    allowPrintingWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VRX5800"));
    // The program's release; the about dialog keeps the radio family's own version line.
    QApplication::setApplicationVersion(QStringLiteral(VRX_VERSION));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VRX_APP_ID));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VRX-5800 radio programmer"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render the main window into <file> (PNG) and exit."),
        QStringLiteral("file"));
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Put a simulated radio with a sample plan on COM1 for this run; "
                       "the run leaves the settings file as it was."));
    parser.addOption(screenshot);
    parser.addOption(demo);
    parser.process(app);

    vrx::AppEnvironment environment = vrx::AppEnvironment::forApplication();
    // A screenshot shows the defaults and leaves no settings behind.
    if (parser.isSet(screenshot)) {
        environment.settingsPath.clear();
        environment.dataFolder.clear();
    }

    std::unique_ptr<vrx::DemoRadio> demoRadio;
    if (parser.isSet(demo)) {
        demoRadio = std::make_unique<vrx::DemoRadio>();
        QString error;
        if (!demoRadio->start(true, &error)) {
            std::fprintf(stderr, "vrx5800: the demo radio cannot start: %s\n",
                         qUtf8Printable(error));
            return 1;
        }
        environment.keepSettings = false;
    }

    vrx::AppWindows windows(environment);
    if (demoRadio) {
        auto devices = windows.main.portDevices();
        devices[0] = demoRadio->devicePath();
        windows.main.setPortDevices(devices);
        windows.main.choosePort(1);
        std::fprintf(stderr, "vrx5800: demo radio on COM1 (%s)\n",
                     qUtf8Printable(demoRadio->devicePath()));
    }

    if (const QScreen *screen = QApplication::primaryScreen()) {
        QRect frame = windows.main.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        windows.main.move(frame.topLeft());
    }
    windows.main.show();
    // With the window up and the language chosen: what a crashed run left, and the
    // autosave of this one.
    windows.main.recovery().start();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(0, &app, [&] {
            const bool saved = windows.main.grab().save(file, "PNG");
            if (!saved)
                std::fprintf(stderr, "vrx5800: cannot write the screenshot to %s\n",
                             qUtf8Printable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
