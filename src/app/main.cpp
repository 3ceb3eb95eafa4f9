#include "app_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VRX5800"));
    QApplication::setApplicationVersion(QStringLiteral("5800-1.001"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("VRX-5800 radio programmer"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render the main window into <file> (PNG) and exit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    // A screenshot shows the defaults and leaves no settings behind.
    vrx::AppEnvironment environment = vrx::AppEnvironment::forApplication();
    if (parser.isSet(screenshot))
        environment.settingsPath.clear();
    vrx::AppWindows windows(environment);
    if (const QScreen *screen = QApplication::primaryScreen()) {
        QRect frame = windows.main.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        windows.main.move(frame.topLeft());
    }
    windows.main.show();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(0, &app, [&] {
            const bool saved = windows.main.grab().save(file, "PNG");
            if (!saved)
                qCritical("Cannot write the screenshot to %s", qUtf8Printable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
