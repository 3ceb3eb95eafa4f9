// Reads, writes and service exchanges started from the window, against the simulated radio.
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/edit_actions.h"
#include "files/plan_document.h"
#include "radio/channel_codec.h"
#include "radio/radio_actions.h"
#include "radio/radio_image.h"
#include "radio/service_panel.h"
#include "radio/simulated_link.h"
#include "shell/app_windows.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

namespace {

// Hands the window a link it owns while the test keeps the real one, to look at after the
// window has let go of it.
class ForwardingLink : public SerialLink {
public:
    ForwardingLink(SerialLink &target, const std::function<void()> &onSend)
        : target_(target), onSend_(onSend) {}
    bool open() override { return target_.open(); }
    void close() override { target_.close(); }
    bool isOpen() const override { return target_.isOpen(); }
    // A transfer sends from its worker thread: the look at the window is taken on the
    // window's thread, while the exchange waits.
    void send(const QByteArray &bytes) override {
        if (onSend_) {
            if (QThread::currentThread() == qApp->thread())
                onSend_();
            else
                QMetaObject::invokeMethod(
                    qApp, [this] { onSend_(); }, Qt::BlockingQueuedConnection);
        }
        target_.send(bytes);
    }
    QByteArray waitForBytes(int count, int timeoutMs) override {
        return target_.waitForBytes(count, timeoutMs);
    }
    void pause(int ms) override { target_.pause(ms); }
    int discardInput() override { return target_.discardInput(); }
    void discardOutput() override { target_.discardOutput(); }
    bool failed() const override { return target_.failed(); }
    QString errorString() const override { return target_.errorString(); }

private:
    SerialLink &target_;
    const std::function<void()> &onSend_;
};

} // namespace

Q_DECLARE_METATYPE(vrx::SimulatedRadio::Fault)

class RadioTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio_ = std::make_unique<SimulatedRadio>();
        link_ = std::make_unique<SimulatedLink>(*radio_);
        probed_.clear();
        probeOk_ = true;
        onSend_ = nullptr;
        start();
    }
    void cleanup() {
        windows_.reset();
        link_.reset();
        radio_.reset();
    }

    void readFillsTheTableAndShowsProgress() {
        const ChannelRow row{"438.50000", "67.0",         "438.50000", "D023N",
                             t().lowText, t().narrowText, t().offText, t().onText};
        radio_->memory().replace(RadioImage::channelAddress(3), RadioImage::kRecordSize,
                                 *encodeChannel(row, t()));
        fillChannel(5); // erased in the radio: the read empties it
        main().portAction(3)->trigger();

        QTest::mouseClick(main().sideButton(MainAction::Read), Qt::LeftButton);
        QCOMPARE(probed_, QStringList{main().portDevice(3)});
        QVERIFY(transfer().isVisible());
        QVERIFY(!main().isEnabled());
        QCOMPARE(transfer().windowTitle(), t().captionRead);
        QCOMPARE(transfer().gauge()->maximum(), TransferDialog::kReadSteps);
        QVERIFY(link_->isOpen());

        bool blockedWhileRunning = true;
        onSend_ = [&] {
            blockedWhileRunning = blockedWhileRunning && transfer().isRunning() &&
                                  !transfer().startButton()->isEnabled() && transfer().isVisible();
        };
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        onSend_ = nullptr;
        QVERIFY(blockedWhileRunning);
        QCOMPARE(table().row(3), row);
        QVERIFY(table().row(5) == ChannelRow{});
        QCOMPARE(transfer().progress(), TransferDialog::kReadSteps);
        QVERIFY(transfer().startButton()->isEnabled());
        QVERIFY(!windows_->warning.isVisible());
        // The plan now is the radio's: named so, and without unsaved changes.
        QCOMPARE(main().planDocument().source(), PlanSource::Radio);
        QVERIFY(!main().isWindowModified());
        QVERIFY(
            main().windowTitle().endsWith(" - " + main().shellTexts().document.radioName + "[*]"));

        QTest::mouseClick(transfer().closeButton(), Qt::LeftButton);
        QVERIFY(!transfer().isVisible());
        QVERIFY(main().isEnabled());
        QVERIFY(!link_->isOpen());
    }

    void writeSendsTheTable() {
        fillChannel(1);
        main().action(MainAction::Write)->trigger();
        QCOMPARE(transfer().windowTitle(), t().captionWrite);
        QCOMPARE(transfer().startButton()->text(), t().captionWrite);
        QCOMPARE(transfer().gauge()->maximum(), TransferDialog::kWriteSteps);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(!windows_->warning.isVisible());
        QCOMPARE(radio_->memory().mid(RadioImage::channelAddress(1), RadioImage::kRecordSize),
                 *encodeChannel(table().row(1), t()));
        QCOMPARE(radio_->memory().mid(RadioImage::channelAddress(2), RadioImage::kRecordSize),
                 QByteArray(RadioImage::kRecordSize, char(0xFF)));
        QCOMPARE(transfer().progress(), TransferDialog::kWriteSteps);
    }

    // A run that succeeds without a lenient step says what it left out.
    void lenientRunEndsWithANotice_data() {
        QTest::addColumn<bool>("reading");
        QTest::addColumn<SimulatedRadio::Fault>("fault");
        // Silent after channel 199: no settings block.
        QTest::newRow("read") << true
                              << SimulatedRadio::Fault{SimulatedRadio::FaultKind::SilentFrom, 800};
        // The settings block not acknowledged: no band limits, no identification block.
        QTest::newRow("write") << false
                               << SimulatedRadio::Fault{SimulatedRadio::FaultKind::Garbage, 403};
    }
    void lenientRunEndsWithANotice() {
        QFETCH(bool, reading);
        QFETCH(SimulatedRadio::Fault, fault);
        radio_->setFault(fault);
        main().settings().setIndex(Option::Squelch, 9);
        fillChannel(1);
        main().action(reading ? MainAction::Read : MainAction::Write)->trigger();
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(windows_->warning.windowTitle(), t().msgNoticeTitle);
        QCOMPARE(windows_->warning.message(),
                 reading ? t().msgSettingsNotRead : t().msgTailNotWritten);
        QCOMPARE(main().settings().index(Option::Squelch), 9);
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(!windows_->warning.isVisible());
        QVERIFY(transfer().isVisible());
    }

    void unavailablePortIsReportedWithoutTheDialog() {
        probeOk_ = false;
        main().action(MainAction::Read)->trigger();
        QVERIFY(!transfer().isVisible());
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(windows_->warning.windowTitle(), t().msgFailureTitle);
        QCOMPARE(windows_->warning.message(), t().msgPortOpenFailed);
        QVERIFY(!main().isEnabled());
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(main().isEnabled());
        QVERIFY(!link_->isOpen());
    }

    void portThatFailsToOpenIsReportedToo() {
        link_->setOpenFails(true);
        main().action(MainAction::Write)->trigger();
        QVERIFY(!transfer().isVisible());
        QCOMPARE(windows_->warning.message(), t().msgPortOpenFailed);
    }

    void aReadIsOneUndoStepThatBringsTheSettingsBack() {
        fillChannel(5); // erased in the radio: the read empties it
        main().settings().setIndex(Option::Squelch, 8);
        main().action(MainAction::Read)->trigger();
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(table().isEmptyChannel(5));
        QVERIFY(main().settings().index(Option::Squelch) != 8);
        transfer().reject();
        QVERIFY(main().isEnabled());
        QAction *undo = main().editActions().action(EditCommand::Undo);
        QVERIFY(undo->isEnabled());
        undo->trigger(); // Edit > Undo
        QCOMPARE(table().text(RxFreqCol, 5), QStringLiteral("438.50000"));
        QCOMPARE(main().settings().index(Option::Squelch), 8);
    }

    void silentRadioShowsNoResponseOverTheDialog() {
        fillChannel(2);
        radio_->setFault({SimulatedRadio::FaultKind::SilentFrom, 1});
        main().action(MainAction::Read)->trigger();
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        // How far it got, and that the plan was left alone.
        QCOMPARE(windows_->warning.message(), t().msgNoResponse);
        QVERIFY(!windows_->warning.details().isEmpty());
        QCOMPARE(windows_->warning.details().last(),
                 main().radioActions().texts().msgReadGotChannels.arg(0));
        QVERIFY(!transfer().isKeptOnTop());
        QCOMPARE(table().text(RxFreqCol, 2), QStringLiteral("438.50000")); // unchanged
        QCOMPARE(main().planDocument().source(), PlanSource::New);
        QTRY_VERIFY(main().isWindowModified());

        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(transfer().isVisible());
        QVERIFY(transfer().isKeptOnTop());
        QVERIFY(link_->isOpen());
        QVERIFY(main().isEnabled()); // while the transfer dialog is still up

        // The open dialog holds the port: a second read from the window is refused.
        probed_.clear();
        main().action(MainAction::Read)->trigger();
        QVERIFY(probed_.isEmpty());
        QCOMPARE(windows_->warning.message(), t().msgPortOpenFailed);
        // It says so, instead of suggesting a cable problem.
        const QString device = main().portDevice(main().currentPort());
        QCOMPARE(windows_->warning.details(),
                 (QStringList{main().shellTexts().port.isDevice.arg(
                                  QString::number(main().currentPort()), device),
                              main().shellTexts().port.heldByTransfer.arg(device)}));
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(link_->isOpen());

        // Another run blocks the main window again while it lasts.
        bool blockedWhileRunning = true;
        onSend_ = [&] { blockedWhileRunning = blockedWhileRunning && !main().isEnabled(); };
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        onSend_ = nullptr;
        QVERIFY(blockedWhileRunning);
        QVERIFY(windows_->warning.message().startsWith(t().msgNoResponse));
        QTest::keyClick(&windows_->warning, Qt::Key_Escape);
        QVERIFY(main().isEnabled());
        QVERIFY(transfer().isVisible());

        transfer().close();
        QVERIFY(main().isEnabled());
        QVERIFY(!link_->isOpen());
    }

    void unwritableCellIsNamedInTheCurrentLanguage() {
        // The packs as the build stages them beside the executables.
        QTemporaryDir packs;
        QVERIFY(packs.isValid());
        for (const char *name : {"chn.lng", "eng.lng"})
            QVERIFY(QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(name),
                                packs.filePath(name)));
        start(packs.path());
        fillChannel(7);
        table().setText(TxToneCol, 7, QStringLiteral("67,0"));
        const QByteArray memory = radio_->memory();

        const auto writeAndExpect = [&](const QString &expected) {
            main().action(MainAction::Write)->trigger();
            QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
            QVERIFY(windows_->warning.isVisible());
            QCOMPARE(windows_->warning.windowTitle(), t().msgFailureTitle);
            QCOMPARE(windows_->warning.message(), expected);
            QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
            transfer().close();
            QVERIFY(main().isEnabled());
        };
        writeAndExpect(
            QStringLiteral("信道 007 的 QT/DQT编码 “67,0” 无法写入电台，未发送任何数据。"));
        // The switch re-texts the grid's headers, and with them the field's name.
        main().action(MainAction::English)->trigger();
        writeAndExpect(QStringLiteral(
            "Channel 007: QT/DQT Enc \"67,0\" cannot be written to the radio. Nothing was sent."));
        QCOMPARE(radio_->memory(), memory);
        QVERIFY(radio_->received().isEmpty());
    }

    void transferCommitsThePendingEditFirst() {
        probeOk_ = false;
        const QModelIndex cell = main().grid()->channelModel()->indexOf(RxFreqCol, 4);
        QTest::mouseClick(main().grid()->viewport(), Qt::LeftButton, {},
                          main().grid()->visualRect(cell).center());
        QTest::keyClick(main().grid(), Qt::Key_4);
        QTest::keyClicks(main().grid()->frequencyEditor(), QStringLiteral("30"));
        main().action(MainAction::Read)->trigger();
        QCOMPARE(table().text(RxFreqCol, 4), QStringLiteral("430.00000"));
        QCOMPARE(table().text(PowerCol, 4), t().highText);
        QVERIFY(!main().grid()->frequencyEditor()->isVisible());
    }

    void powerDriveServices() {
        ServicePanel *panel = main().servicePanel();
        panel->setEnabled(true); // as it works when the panel is shown
        radio_->memory().replace(RadioImage::kPowerDriveAddress, 3, QByteArray("\xFF\x00\x0A", 3));
        QTest::mouseClick(panel->button(ServiceAction::ReadPowerDrive), Qt::LeftButton);
        QCOMPARE(panel->spin(Drive::High)->value(), 255);
        QCOMPARE(main().settings().drive(Drive::Low1), 0);
        QCOMPARE(panel->spin(Drive::Low2)->value(), 10);
        QVERIFY(panel->button(ServiceAction::ReadPowerDrive)->isEnabled());
        QVERIFY(!link_->isOpen());

        QTest::mouseClick(panel->button(ServiceAction::DefaultPowerDrive), Qt::LeftButton);
        QCOMPARE(main().settings().drives(), defaultDriveValues());
        QCOMPARE(radio_->memory().mid(RadioImage::kPowerDriveAddress, 3),
                 QByteArray("\xFF\x00\x0A", 3)); // the defaults button does not write

        QTest::mouseClick(panel->button(ServiceAction::WritePowerDrive), Qt::LeftButton);
        QCOMPARE(radio_->memory().mid(RadioImage::kPowerDriveAddress, 8),
                 QByteArray::fromHex("4F2D2DFFFFFFFFFF"));

        // Only the running operation's own button is held.
        QList<bool> enabled;
        onSend_ = [&] {
            for (int a = 0; a < kServiceActionCount; ++a)
                enabled << panel->button(ServiceAction(a))->isEnabled();
        };
        QTest::mouseClick(panel->button(ServiceAction::StartAging), Qt::LeftButton);
        onSend_ = nullptr;
        QCOMPARE(enabled.mid(0, kServiceActionCount), (QList<bool>{false, true, true, true}));
        QVERIFY(radio_->agingStarted());
        QVERIFY(panel->button(ServiceAction::StartAging)->isEnabled());
        QVERIFY(!windows_->warning.isVisible());
    }

    void serviceFailuresAreShown_data() {
        QTest::addColumn<bool>("probeOk");
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<QString>("expected");
        QTest::newRow("port missing") << false << false << "port";
        QTest::newRow("port fails to open") << true << true << "port";
        QTest::newRow("radio silent") << true << false << "response";
    }
    void serviceFailuresAreShown() {
        QFETCH(bool, probeOk);
        QFETCH(bool, openFails);
        QFETCH(QString, expected);
        probeOk_ = probeOk;
        link_->setOpenFails(openFails);
        radio_->setFault({SimulatedRadio::FaultKind::SilentFrom, 1});
        ServicePanel *panel = main().servicePanel();
        panel->setEnabled(true);
        QTest::mouseClick(panel->button(ServiceAction::WritePowerDrive), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(windows_->warning.message(),
                 expected == "port" ? t().msgPortOpenFailed : t().msgNoResponse);
        // A port failure says which device and why; a silent radio, what the line did and
        // what helps.
        const QStringList details = windows_->warning.details();
        if (expected == "port")
            QCOMPARE(details.value(0),
                     main().shellTexts().port.isDevice.arg("1", main().portDevice(1)));
        else
            QCOMPARE(details, (QStringList{t().line.silent, t().line.silentRemedy}));
        QVERIFY(!main().isEnabled());
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(main().isEnabled());
        QVERIFY(panel->button(ServiceAction::WritePowerDrive)->isEnabled());
    }

private:
    // The windows on the simulated radio; packs from dataDir (none: the built-in texts).
    void start(const QString &dataDir = {}) {
        windows_.reset();
        AppEnvironment env;
        env.dataDir = dataDir;
        env.locale = QLocale(QLocale::Chinese, QLocale::China);
        env.probePort = [this](const QString &device, QString *) {
            probed_ << device;
            return probeOk_;
        };
        env.makeLink = [this](const QString &) -> std::unique_ptr<SerialLink> {
            return std::make_unique<ForwardingLink>(*link_, onSend_);
        };
        env.reportError = [](const QString &message) { QFAIL(qPrintable(message)); };
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    MainWindow &main() { return windows_->main; }
    TransferDialog &transfer() { return windows_->transfer; }
    ChannelTable &table() { return main().table(); }
    const UiTexts &t() { return main().texts(); }
    void fillChannel(int row) {
        table().setText(RxFreqCol, row, QStringLiteral("438.50000"));
        table().fillDefaults(row, t());
    }

    std::unique_ptr<SimulatedRadio> radio_;
    std::unique_ptr<SimulatedLink> link_;
    std::unique_ptr<AppWindows> windows_;
    QStringList probed_;
    bool probeOk_ = true;
    // Runs at every frame the window sends, to look at the window mid-exchange.
    std::function<void()> onSend_;
};

QTEST_MAIN(RadioTest)
#include "radio.moc"
