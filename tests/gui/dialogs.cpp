// The three dialogs: they block the main window while up, and the warning dialog's OK
// carries out the confirmed new plan or clearing.
#include "edit/channel_grid.h"
#include "edit/options_page.h"
#include "radio/service_panel.h"
#include "shell/app_windows.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace vrx;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(int *count) : count_(count) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++*count_;
        return false;
    }

private:
    int *count_;
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        windows_ = std::make_unique<AppWindows>();
        windows_->main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows_->main));
    }
    void cleanup() { windows_.reset(); }

    void dialogsBlockTheMainWindowUntilClosed_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("closeBy");
        for (const char *dialog : {"about", "warning", "transfer"})
            for (const char *how : {"button", "escape", "close"})
                QTest::newRow(qPrintable(QStringLiteral("%1 by %2").arg(dialog, how)))
                    << dialog << how;
    }
    void dialogsBlockTheMainWindowUntilClosed() {
        QFETCH(QString, dialog);
        QFETCH(QString, closeBy);
        AppWindows &ws = *windows_;
        BlockingDialog *shown = nullptr;
        QPushButton *button = nullptr;
        if (dialog == "about") {
            ws.main.showAbout();
            shown = &ws.about;
            button = ws.about.okButton();
        } else if (dialog == "warning") {
            ws.warning.showMessage("t", "m", DialogMode::Notice);
            shown = &ws.warning;
            button = ws.warning.okButton();
        } else {
            ws.transfer.prepare(TransferKind::Read, "read");
            ws.transfer.showBlocking();
            shown = &ws.transfer;
            button = ws.transfer.closeButton();
        }
        QVERIFY(shown->isVisible());
        QVERIFY(!shown->isModal());
        QVERIFY(!ws.main.isEnabled());

        if (closeBy == "button")
            QTest::mouseClick(button, Qt::LeftButton);
        else if (closeBy == "escape")
            QTest::keyClick(shown, Qt::Key_Escape);
        else
            shown->close();
        QVERIFY(!shown->isVisible());
        QVERIFY(ws.main.isEnabled());
    }

    void newPlanAsksFirst() {
        AppWindows &ws = *windows_;
        ws.main.action(MainAction::New)->trigger();
        QVERIFY(ws.warning.isVisible());
        QVERIFY(!ws.main.isEnabled());
        QCOMPARE(ws.warning.mode(), DialogMode::NewPlan);
        QCOMPARE(ws.warning.windowTitle(), ws.main.texts().msgConfirmTitle);
        QCOMPARE(ws.warning.message(), ws.main.texts().msgConfirmNew);
        QCOMPARE(ws.warning.okButton()->text(), QStringLiteral("确定"));
        QCOMPARE(ws.warning.cancelButton()->text(), QStringLiteral("取消"));
    }

    void clearButtonAsksFirst() {
        AppWindows &ws = *windows_;
        QTest::mouseClick(ws.main.channelButton(ChannelButton::Clear), Qt::LeftButton);
        QVERIFY(ws.warning.isVisible());
        QCOMPARE(ws.warning.mode(), DialogMode::ClearChannels);
        QCOMPARE(ws.warning.message(), ws.main.texts().msgConfirmClear);
    }

    void acceptingABandEntryAsksForANewPlan() {
        AppWindows &ws = *windows_;
        ws.main.bandPlan().setList(BandList::Band2Tx, {"400-470MHz", "136-174MHz"}, 0);
        QComboBox *combo = ws.main.servicePanel()->bandCombo(BandList::Band2Tx);
        emit combo->activated(0); // the entry that is already selected counts too
        QVERIFY(ws.warning.isVisible());
        QCOMPARE(ws.warning.mode(), DialogMode::NewPlan);
    }

    // The answer to each confirmation, on a plan with channels and changed settings.
    void answers_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("channelsCleared");
        QTest::addColumn<bool>("settingsReset");
        QTest::newRow("new plan, OK") << int(DialogMode::NewPlan) << "ok" << true << true;
        QTest::newRow("new plan, Cancel") << int(DialogMode::NewPlan) << "cancel" << false << false;
        QTest::newRow("new plan, caption close")
            << int(DialogMode::NewPlan) << "close" << false << false;
        QTest::newRow("clear, OK") << int(DialogMode::ClearChannels) << "ok" << true << false;
        QTest::newRow("clear, Cancel")
            << int(DialogMode::ClearChannels) << "cancel" << false << false;
        QTest::newRow("notice, OK") << int(DialogMode::Notice) << "ok" << false << false;
    }
    void answers() {
        QFETCH(int, mode);
        QFETCH(QString, answer);
        QFETCH(bool, channelsCleared);
        QFETCH(bool, settingsReset);
        AppWindows &ws = *windows_;
        MainWindow &w = ws.main;
        fillPlan(w);
        w.grid()->selectCell(PowerCol, 150);

        ws.warning.showMessage("title", "question", DialogMode(mode));
        if (answer == "ok")
            QTest::mouseClick(ws.warning.okButton(), Qt::LeftButton);
        else if (answer == "cancel")
            QTest::mouseClick(ws.warning.cancelButton(), Qt::LeftButton);
        else
            ws.warning.close();

        QVERIFY(!ws.warning.isVisible());
        QVERIFY(w.isEnabled());
        QCOMPARE(w.table().text(RxFreqCol, 1).isEmpty(), channelsCleared);
        QCOMPARE(w.table().text(BusyLockCol, 199).isEmpty(), channelsCleared);
        QCOMPARE(w.table().text(NumberCol, 199), QStringLiteral("199"));
        QCOMPARE(w.table().header(RxFreqCol), QStringLiteral("接收频率"));
        const bool reset = w.settings().indexes() == defaultOptionIndexes() &&
                           w.settings().drives() == defaultDriveValues();
        QCOMPARE(reset, settingsReset);
        if (channelsCleared) {
            QCOMPARE(w.grid()->currentColumn(), int(RxFreqCol));
            QCOMPARE(w.grid()->currentChannel(), 1);
        } else {
            QCOMPARE(w.grid()->currentChannel(), 150);
        }
        // The mode is used up by OK; Cancel leaves it for the caller to set again.
        if (answer == "ok")
            QCOMPARE(ws.warning.mode(), DialogMode::Notice);
    }

    void newPlanResetsHiddenOptionsAndShownLists() {
        AppWindows &ws = *windows_;
        MainWindow &w = ws.main;
        fillPlan(w);
        QCOMPARE(w.optionsPage()->combo(Option::Squelch)->currentIndex(), 7);
        w.requestNewPlan();
        QTest::mouseClick(ws.warning.okButton(), Qt::LeftButton);
        QCOMPARE(w.settings().index(Option::Ring), 1);
        QCOMPARE(w.settings().index(Option::BroadBand), 1);
        QCOMPARE(w.settings().drive(Drive::Low1), 45);
        QCOMPARE(w.optionsPage()->combo(Option::Squelch)->currentIndex(), 2);
        QCOMPARE(w.optionsPage()->combo(Option::Band)->currentIndex(), 0);
        QVERIFY(!w.optionsPage()->combo(Option::Band)->isEnabled());
        QCOMPARE(w.servicePanel()->spin(Drive::High)->value(), 79);
    }

    void transferDialogRefusesToCloseOrMoveWhileRunning() {
        AppWindows &ws = *windows_;
        ws.transfer.prepare(TransferKind::Write, "write");
        ws.transfer.showBlocking();
        QCOMPARE(ws.transfer.windowTitle(), QStringLiteral("write"));
        QCOMPARE(ws.transfer.startButton()->text(), QStringLiteral("write"));
        QCOMPARE(ws.transfer.gauge()->maximum(), TransferDialog::kWriteSteps);
        QCOMPARE(ws.transfer.gauge()->value(), 0);
        QCOMPARE(ws.transfer.statusLabel()->text(), QStringLiteral("赞博电子有限公司"));

        ws.transfer.setRunning(true);
        QVERIFY(!ws.transfer.startButton()->isEnabled());
        const QPoint at = ws.transfer.pos();
        ws.transfer.move(at + QPoint(40, 30));
        QCOMPARE(ws.transfer.pos(), at);
        QTest::mouseClick(ws.transfer.closeButton(), Qt::LeftButton);
        QVERIFY(!ws.transfer.close());
        QVERIFY(ws.transfer.isVisible());
        QVERIFY(!ws.main.isEnabled());

        ws.transfer.setRunning(false);
        QVERIFY(ws.transfer.startButton()->isEnabled());
        ws.transfer.move(at + QPoint(40, 30));
        QCOMPARE(ws.transfer.pos(), at + QPoint(40, 30));
        QVERIFY(ws.transfer.close());
        QVERIFY(ws.main.isEnabled());
    }

    void transferGaugeShowsOverflowAsFull() {
        TransferDialog &t = windows_->transfer;
        t.prepare(TransferKind::Read, "read");
        QCOMPARE(t.gauge()->maximum(), TransferDialog::kReadSteps);
        t.setProgress(100);
        QCOMPARE(t.progress(), 100);
        t.setProgress(205); // set before the end command, past the maximum
        QCOMPARE(t.progress(), TransferDialog::kReadSteps);
        t.prepare(TransferKind::Read, "read");
        QCOMPARE(t.progress(), 0);
    }

    // A step of the transfer does not wait for the gauge to be drawn: it is drawn from the
    // event loop, once for several quick steps, and at once when the run stops.
    void transferGaugeIsDrawnLaterNotAtEachStep() {
        TransferDialog &t = windows_->transfer;
        t.prepare(TransferKind::Write, "write");
        t.showBlocking();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        t.setRunning(true);
        int paints = 0;
        PaintCounter counter(&paints);
        t.gauge()->installEventFilter(&counter);
        for (int step = 1; step <= 50; ++step)
            t.setProgress(step);
        QCOMPARE(paints, 0);
        QCOMPARE(t.progress(), 50);
        QTRY_COMPARE(t.gauge()->value(), 50);
        t.setProgress(120);
        t.setRunning(false);
        QCOMPARE(t.gauge()->value(), 120);
        t.gauge()->removeEventFilter(&counter);
        QVERIFY(t.close());
    }

    void startButtonRequestsTheTransfer() {
        TransferDialog &t = windows_->transfer;
        t.prepare(TransferKind::Read, "read");
        t.showBlocking();
        QSignalSpy started(&t, &TransferDialog::startRequested);
        QTest::mouseClick(t.startButton(), Qt::LeftButton);
        QCOMPARE(started.count(), 1);
    }

    void failureOverTheTransferDialog() {
        AppWindows &ws = *windows_;
        ws.transfer.prepare(TransferKind::Read, "read");
        ws.transfer.showBlocking();
        QVERIFY(ws.transfer.isKeptOnTop());

        ws.warning.showMessage("failure", "no response", DialogMode::Notice);
        QVERIFY(!ws.transfer.isKeptOnTop());
        QVERIFY(ws.transfer.isVisible());
        QVERIFY(ws.warning.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        QTest::mouseClick(ws.warning.okButton(), Qt::LeftButton);
        QVERIFY(ws.transfer.isKeptOnTop());
        QVERIFY(ws.transfer.isVisible());
        // Closing the notice frees the main window; the transfer dialog stays up.
        QVERIFY(ws.main.isEnabled());

        // The other order: a notice still up keeps the main window blocked when the
        // transfer dialog under it closes.
        ws.warning.showMessage("failure", "no response", DialogMode::Notice);
        QVERIFY(ws.transfer.close());
        QVERIFY(!ws.main.isEnabled());
        ws.warning.close();
        QVERIFY(ws.main.isEnabled());
    }

    void aboutDialogShowsItsTexts() {
        AboutDialog &a = windows_->about;
        QCOMPARE(a.windowTitle(), QStringLiteral("关于..."));
        QCOMPARE(a.productLabel()->text(), QStringLiteral("VRX5800对讲机编程软件 "));
        QCOMPARE(a.versionLabel()->text(), QStringLiteral("版本：5800-1.001 "));
        QCOMPARE(a.companyLabel()->text(), QStringLiteral("赞博电子有限公司"));
        QVERIFY(!a.rightsLabel()->text().isEmpty());
        QCOMPARE(a.okButton()->text(), QStringLiteral("Ok"));
        QCOMPARE(a.size(), QSize(402, 242));
    }

private:
    static void fillPlan(MainWindow &w) {
        for (int row : {1, 7, 199}) {
            w.table().setText(RxFreqCol, row, QStringLiteral("438.50000"));
            w.table().fillDefaults(row, w.texts());
        }
        w.settings().setIndex(Option::Squelch, 7);
        w.settings().setIndex(Option::Ring, 0);
        w.settings().setIndex(Option::SpreadFreq, 1);
        w.settings().setIndex(Option::Band, 1);
        w.settings().setDrive(Drive::High, 200);
        w.settings().setDrive(Drive::Low1, 3);
    }

    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(DialogsTest)
#include "dialogs.moc"
