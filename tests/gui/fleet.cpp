// Programming several radios from the fleet window, against simulated radios on
// pseudo-terminals: the window's worker threads talk to them through real serial ports.
#include "radio/channel_codec.h"
#include "radio/fleet_actions.h"
#include "radio/pty_radio_server.h"
#include "radio/radio_image.h"
#include "shell/app_windows.h"
#include "storage/csv_format.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>

using namespace vrx;

class FleetTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        servers_.clear();
        for (int n = 0; n < 3; ++n) {
            servers_.emplace_back();
            QString error;
            QVERIFY2(servers_.back().start(&error), qPrintable(error));
        }
        AppEnvironment env;
        env.locale = QLocale(QLocale::Chinese, QLocale::China);
        env.dataFolder = dir_.filePath(QStringLiteral("data"));
        env.reportError = [](const QString &message) { QFAIL(qPrintable(message)); };
        windows_ = std::make_unique<AppWindows>(env);
        main().fleetActions().setPortLister([this] {
            QList<SerialPortEntry> ports;
            for (size_t n = 0; n < servers_.size(); ++n) {
                SerialPortEntry entry;
                entry.device = servers_[n].devicePath();
                entry.description = QStringLiteral("USB cable");
                entry.serialNumber = QStringLiteral("SN%1").arg(n + 1);
                ports << entry;
            }
            return ports;
        });
        main().show();
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    void cleanup() {
        windows_.reset();
        servers_.clear();
    }

    void theItemIsAnAddedGroupAtTheEndOfTheEditMenu() {
        const QList<QAction *> items = main().menu(MainMenu::Edit)->actions();
        QVERIFY(items.size() > 8);
        // The specified items keep their places.
        QCOMPARE(items[0], main().action(MainAction::Read));
        QCOMPARE(items[1], main().action(MainAction::Write));
        QCOMPARE(items[6], main().action(MainAction::OtherPage));
        QVERIFY(items[items.size() - 2]->isSeparator());
        QCOMPARE(items.last(), main().fleetActions().menuAction());
        QCOMPARE(items.last()->text(), main().shellTexts().fleet.menuItem);
    }

    void threeRadiosOneStoppingMidWay() {
        table().setText(RxFreqCol, 1, QStringLiteral("438.50000"));
        table().fillDefaults(1, main().texts());
        // The second radio stops answering in the middle of the write.
        servers_[1].radio().setFault({SimulatedRadio::FaultKind::SilentFrom, 1000});

        openByKeyboard();
        QVERIFY(main().fleetActions().window());
        FleetWindow &fleet = *main().fleetActions().window();
        const FleetTexts &t = main().shellTexts().fleet;
        // The three cables, then the COM items' devices that the system does not list.
        QCOMPARE(fleet.table()->rowCount(), 3 + kPortCount);
        QCOMPARE(fleet.table()->item(2, FleetWindow::ColumnSerial)->text(), QStringLiteral("SN3"));
        QVERIFY(fleet.table()
                    ->item(3, FleetWindow::ColumnPort)
                    ->text()
                    .endsWith(QStringLiteral("(COM1)")));
        QVERIFY(fleet.backupBox()->isChecked());
        QVERIFY(fleet.verifyBox()->isChecked());
        QVERIFY(fleet.planSourceButton()->isChecked());

        // Every row checked from the keyboard, the focus staying in the list.
        QCOMPARE(focus(), fleet.table());
        for (int row = 0; row < 3; ++row) {
            if (row > 0)
                press(Qt::Key_Down);
            press(Qt::Key_Space);
            QCOMPARE(fleet.table()->item(row, FleetWindow::ColumnPort)->checkState(), Qt::Checked);
            QCOMPARE(focus(), fleet.table());
        }

        clickAt(fleet, fleet.startButton());
        QVERIFY(fleet.run().isRunning());
        QVERIFY(!fleet.startButton()->isEnabled());
        QVERIFY(fleet.stopButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!fleet.run().isRunning(), 60000);

        const QByteArray record = *encodeChannel(table().row(1), main().texts());
        for (const int n : {0, 2}) {
            QCOMPARE(resultText(fleet, n), t.resultVerified);
            QCOMPARE(servers_[size_t(n)].radio().memory().mid(RadioImage::channelAddress(1),
                                                              RadioImage::kRecordSize),
                     record);
        }
        QVERIFY2(resultText(fleet, 1).startsWith(t.resultFailed.arg(QString())),
                 qPrintable(resultText(fleet, 1)));
        QCOMPARE(fleet.summaryLabel()->text(), t.summary.arg(2).arg(3));
        const QString report = fleet.run().reportPath();
        QCOMPARE(fleet.reportLabel()->text(), t.reportAt.arg(QDir::toNativeSeparators(report)));
        QVERIFY(report.startsWith(dir_.filePath(QStringLiteral("data/fleet-"))));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(splitCsvRecords(QString::fromUtf8(file.readAll())).size(), 4);

        // The radio answers again: only it is run again.
        servers_[1].radio().setFault({});
        servers_[1].radio().resetSession();
        const QDateTime firstEnd = fleet.run().result(0).end;
        QVERIFY(fleet.runFailedButton()->isEnabled());
        clickAt(fleet, fleet.runFailedButton());
        QVERIFY(fleet.run().isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!fleet.run().isRunning(), 60000);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(resultText(fleet, n), t.resultVerified);
        QCOMPARE(fleet.run().result(0).end, firstEnd);
        QVERIFY(!fleet.runFailedButton()->isEnabled());

        clickAt(fleet, fleet.nextBatchButton());
        QCOMPARE(fleet.batchLabel()->text(), t.batch.arg(2));
        QCOMPARE(resultText(fleet, 0), QString());
        QCOMPARE(fleet.table()->item(0, FleetWindow::ColumnPort)->checkState(), Qt::Checked);
    }

    void escapeStopsTheRunAndThenClosesTheWindow() {
        for (PtyRadioServer &server : servers_)
            server.setWireTime(true);
        openByKeyboard();
        QVERIFY(main().fleetActions().window());
        FleetWindow &fleet = *main().fleetActions().window();
        QPointer<FleetWindow> window(&fleet);
        const QDir data(dir_.filePath(QStringLiteral("data")));
        const qsizetype reports = data.entryList({QStringLiteral("fleet-*.csv")}).size();
        press(Qt::Key_Space);
        clickAt(fleet, fleet.startButton());
        QTRY_VERIFY(fleet.run().result(0).progress > 20);
        press(Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
        QVERIFY(!servers_[0].radio().inCloneMode());
        QVERIFY(servers_[0].radio().endReceived());
        // The stopped run has its report too.
        QCOMPARE(data.entryList({QStringLiteral("fleet-*.csv")}).size(), reports + 1);
    }

private:
    MainWindow &main() { return windows_->main; }
    ChannelTable &table() { return main().table(); }
    static QWidget *focus() { return QApplication::focusWidget(); }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(focus());
        QTest::keyClick(focus(), key, modifiers);
    }
    // A click where a user would click: at the widget's centre, through its window.
    static void clickAt(QWidget &window, QWidget *target) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          target->mapTo(&window, target->rect().center()));
    }
    static QString resultText(FleetWindow &fleet, int row) {
        return fleet.table()->item(row, FleetWindow::ColumnResult)->text();
    }

    // Edit, then the item's mnemonic; the window that came up, active.
    void openByKeyboard() {
        QTRY_VERIFY(focus());
        press(Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_M);
        FleetWindow *fleet = main().fleetActions().window();
        QVERIFY(fleet);
        QVERIFY(QTest::qWaitForWindowExposed(fleet));
        fleet->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), fleet);
    }

    QTemporaryDir dir_;
    std::deque<PtyRadioServer> servers_;
    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(FleetTest)
#include "fleet.moc"
