// The demo radio on a pseudo-terminal, read and written through the real serial port code.
#include "radio/channel_codec.h"
#include "radio/demo_radio.h"
#include "radio/radio_image.h"
#include "shell/app_windows.h"

#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace vrx;

class DemoTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        demo_ = std::make_unique<DemoRadio>();
        QString error;
        QVERIFY2(demo_->start(false, &error), qPrintable(error));
        AppEnvironment env;
        env.reportError = [](const QString &message) { QFAIL(qPrintable(message)); };
        windows_ = std::make_unique<AppWindows>(env);
        auto devices = windows_->main.portDevices();
        devices[0] = demo_->devicePath();
        windows_->main.setPortDevices(devices);
        windows_->main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows_->main));
    }
    void cleanup() {
        windows_.reset();
        demo_.reset();
    }

    void readBringsTheSamplePlan() {
        MainWindow &w = windows_->main;
        w.action(MainAction::Read)->trigger();
        QVERIFY2(!windows_->warning.isVisible(), qPrintable(windows_->warning.message()));
        QTest::mouseClick(windows_->transfer.startButton(), Qt::LeftButton);
        QVERIFY2(!windows_->warning.isVisible(), qPrintable(windows_->warning.message()));
        QCOMPARE(windows_->transfer.progress(), TransferDialog::kReadSteps);
        const QList<ChannelRow> sample = DemoRadio::sampleChannels();
        for (int i = 0; i < sample.size(); ++i)
            QCOMPARE(w.table().row(i + 1), sample[i]);
        QVERIFY(w.table().row(int(sample.size()) + 1) == ChannelRow{});
        windows_->transfer.close();
        QVERIFY(w.isEnabled());
    }

    void writeReachesTheRadio() {
        MainWindow &w = windows_->main;
        w.table().setText(RxFreqCol, 20, QStringLiteral("433.00000"));
        w.table().fillDefaults(20, w.texts());
        w.action(MainAction::Write)->trigger();
        QTest::mouseClick(windows_->transfer.startButton(), Qt::LeftButton);
        QVERIFY2(!windows_->warning.isVisible(), qPrintable(windows_->warning.message()));
        QCOMPARE(
            demo_->radio().memory().mid(RadioImage::channelAddress(20), RadioImage::kRecordSize),
            *encodeChannel(w.table().row(20), w.texts()));
        // The sample channels were not in the table, so the write erased them.
        QCOMPARE(demo_->radio().memory().mid(RadioImage::channelAddress(1), 4),
                 QByteArray(4, char(0xFF)));
    }

private:
    std::unique_ptr<DemoRadio> demo_;
    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(DemoTest)
#include "demo.moc"
