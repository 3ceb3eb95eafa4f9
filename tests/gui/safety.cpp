// Backups, verified writes, plan comparison and crash recovery, from the window, against
// the simulated radio, with the data folder in a temporary XDG_DATA_HOME.
#include "dialogs/plan_diff_dialog.h"
#include "files/backups_window.h"
#include "files/recovery.h"
#include "files/safety_actions.h"
#include "radio/channel_codec.h"
#include "radio/radio_actions.h"
#include "radio/radio_image.h"
#include "radio/simulated_link.h"
#include "shell/app_windows.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"
#include "storage/data_folder.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

namespace {

// The simulated radio's link, acting as a user would when the transfer sends frame
// `frame`: on the window's thread, while the exchange waits on its own.
class ActingLink : public SimulatedLink {
public:
    ActingLink(SimulatedRadio &radio, int frame, std::function<void()> act)
        : SimulatedLink(radio), frame_(frame), act_(std::move(act)) {}
    void send(const QByteArray &bytes) override {
        if (++frames_ == frame_ && act_)
            QMetaObject::invokeMethod(qApp, act_, Qt::BlockingQueuedConnection);
        SimulatedLink::send(bytes);
    }

private:
    int frames_ = 0;
    int frame_;
    std::function<void()> act_;
};

} // namespace

class SafetyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        QCoreApplication::setApplicationName(kApplicationName);
    }
    void init() {
        radio_ = std::make_unique<SimulatedRadio>();
        QDir(folder().root()).removeRecursively();
        chosenFile_.clear();
        opened_.clear();
        actAtFrame_ = 0;
        actMidway_ = nullptr;
    }
    void cleanup() {
        windows_.reset();
        radio_.reset();
    }

    void theFileMenuEndsWithTheNewGroup() {
        start();
        const QList<QAction *> items = main().menu(MainMenu::File)->actions();
        QCOMPARE(items.size(), 16); // the interchange and document groups follow this one
        QCOMPARE(items[0], main().action(MainAction::New));
        QCOMPARE(items[2], main().action(MainAction::Save));
        QVERIFY(items[3]->isSeparator());
        QCOMPARE(items[4], main().action(MainAction::Exit));
        QVERIFY(items[5]->isSeparator());
        QCOMPARE(items[6], main().safetyActions().backupsAction());
        QCOMPARE(items[7], main().safetyActions().compareAction());
        QCOMPARE(items[6]->text(), QStringLiteral("备份(&B)…"));

        main().safetyActions().openUrl = [this](const QUrl &url) {
            opened_ << url.toLocalFile();
            return true;
        };
        items[6]->trigger();
        BackupsWindow *backups = main().safetyActions().backupsWindow();
        QVERIFY(backups && backups->isVisible());
        backups->showFolderButton()->click();
        QCOMPARE(opened_, QStringList{folder().backupsPath()});
        QVERIFY(QFileInfo(folder().backupsPath()).isDir());
    }

    void everyReadIsKeptAmongTheBackups() {
        start();
        putChannel(3);
        readFromTheWindow();
        QVERIFY(!windows_->warning.isVisible());
        const QStringList names = backups();
        QCOMPARE(names.size(), 1);
        QVERIFY(names[0].startsWith(QStringLiteral("read-")));
        const ChannelFileLoad load = loadChannelFile(backupPath(names[0]));
        QVERIFY(load.ok());
        QCOMPARE(load.plan->channels[2], table().row(3));
    }

    void aBackupThatCannotBeKeptIsANoticeAndTheReadStands() {
        QVERIFY(QDir().mkpath(home_.path()));
        QFile blocker(folder().root());
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        start();
        putChannel(3);
        readFromTheWindow();
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("438.50000"));
        QVERIFY(windows_->warning.isVisible());
        QVERIFY(
            windows_->warning.message().startsWith(QStringLiteral("读取已完成，但未能保存备份")));
        QFile::remove(folder().root());
    }

    void writeWithBackupAndVerifyShowsEachPhase() {
        start();
        putChannel(3); // what the radio holds before
        fillChannel(1);
        main().action(MainAction::Write)->trigger();
        QVERIFY(transfer().backupCheck()->isVisible());
        QVERIFY(!transfer().backupCheck()->isChecked());
        QVERIFY(!transfer().verifyCheck()->isChecked());
        QTest::mouseClick(transfer().backupCheck(), Qt::LeftButton);
        QTest::mouseClick(transfer().verifyCheck(), Qt::LeftButton);
        QStringList phases;
        // The gauge is drawn from the event loop, so the label is watched as it is set.
        connect(&transfer(), &TransferDialog::phaseShown, this, [&](const QString &text) {
            if (!text.isEmpty() && text == transfer().phaseLabel()->text() &&
                transfer().phaseLabel()->isVisibleTo(&transfer()))
                phases << text;
        });
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY2(!windows_->warning.isVisible(), qPrintable(windows_->warning.message()));
        // The run's end is the last phase shown.
        QCOMPARE(phases,
                 (QStringList{"正在备份电台…", "正在写入…", "正在校验…", "写入并校验完成。"}));
        // Shortened to the window's fixed width, whole in the tool tip.
        const QLabel *status = transfer().statusLabel();
        QCOMPARE(status->toolTip(), main().safetyActions().texts().statusVerified);
        QVERIFY(status->text().endsWith(QChar(0x2026)));
        QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <=
                status->contentsRect().width());
        QCOMPARE(transfer().phaseLabel()->text(), main().safetyActions().texts().phaseVerified);
        QCOMPARE(radio_->handshakeCount(), 3);
        QCOMPARE(radio_->memory().mid(RadioImage::channelAddress(1), RadioImage::kRecordSize),
                 *encodeChannel(table().row(1), t()));
        // The backup holds the radio's plan from before the write.
        const QStringList names = backups();
        QCOMPARE(names.size(), 1);
        QVERIFY(names[0].startsWith(QStringLiteral("before-write-")));
        const ChannelFileLoad before = loadChannelFile(backupPath(names[0]));
        QVERIFY(before.ok());
        QCOMPARE(before.plan->channels[2][0], QStringLiteral("438.50000"));
        QVERIFY(before.plan->channels[0][0].isEmpty());

        // Remembered for myini.ini, and offered again next time.
        QTest::mouseClick(transfer().closeButton(), Qt::LeftButton);
        QVERIFY(main().appSettings().writeBackup);
        QVERIFY(main().appSettings().writeVerify);
        main().action(MainAction::Write)->trigger();
        QVERIFY(transfer().verifyCheck()->isChecked());
        QCOMPARE(transfer().statusLabel()->text(), QStringLiteral("赞博电子有限公司"));
        QVERIFY(transfer().phaseLabel()->isHidden());
    }

    void aBackupFirstThatCannotBeKeptWritesNothing() {
        QVERIFY(QDir().mkpath(home_.path()));
        QFile blocker(folder().root());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        start();
        fillChannel(1);
        const QByteArray memory = radio_->memory();
        main().action(MainAction::Write)->trigger();
        QTest::mouseClick(transfer().backupCheck(), Qt::LeftButton);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        QVERIFY(windows_->warning.message().startsWith(QStringLiteral("未写入任何数据")));
        QCOMPARE(radio_->handshakeCount(), 1); // the backup read only
        QCOMPARE(radio_->memory(), memory);
        QFile::remove(folder().root());
    }

    void anUnreadableLeftoverIsKeptAndReported() {
        QVERIFY(QDir().mkpath(folder().root()));
        QFile file(folder().autosavePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("KR-428 MEMORY CHANNEL\r\n\r\n"); // cut short by the crash
        file.close();
        start();
        main().recovery().start();
        QVERIFY(windows_->warning.isVisible());
        QVERIFY(
            windows_->warning.message().startsWith(QStringLiteral("无法读取上次运行留下的信道表")));
        const QStringList names = backups();
        QCOMPARE(names.size(), 1);
        QCOMPARE(readBytes(backupPath(names[0])), QByteArray("KR-428 MEMORY CHANNEL\r\n\r\n"));
        QVERIFY(main().recovery().autosaver());
    }

    // A read stopped by the user or by the radio leaves the window's plan as it was, keeps
    // the channels it got among the backups and says how far it got.
    void aReadThatDoesNotCompleteLeavesThePlanAlone_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("channelsRead");
        QTest::newRow("cancel button") << "cancel" << 40;
        QTest::newRow("escape") << "escape" << 40;
        QTest::newRow("window close") << "close" << 40;
        QTest::newRow("radio silent at channel 40") << "silent" << 39;
    }
    void aReadThatDoesNotCompleteLeavesThePlanAlone() {
        QFETCH(QString, how);
        QFETCH(int, channelsRead);
        start();
        for (const int n : {3, 39, 41})
            putChannel(n);
        // Frames 1-5 open the read; channel n's take four from 4n + 2.
        if (how == "silent") {
            radio_->setFault({SimulatedRadio::FaultKind::SilentFrom, 4 * 40 + 1});
        } else {
            actAtFrame_ = 4 * 40 + 2;
            actMidway_ = [this, how] {
                if (how == "cancel") {
                    QTest::mouseClick(transfer().closeButton(), Qt::LeftButton);
                } else if (how == "escape") {
                    QWidget *focus = QApplication::focusWidget();
                    QVERIFY(focus && transfer().isAncestorOf(focus));
                    QTest::keyClick(focus, Qt::Key_Escape);
                } else {
                    transfer().close();
                }
                QVERIFY(transfer().isVisible()); // it stops first, then may close
            };
        }
        fillChannel(50);
        main().settings().setIndex(Option::Squelch, 8);
        const auto planBytes = [this](const char *name) {
            const QString path = home_.filePath(QLatin1String(name));
            return saveChannelFile(path, capturePlan(table(), main().settings(), main().bandPlan()))
                       ? readBytes(path)
                       : QByteArray();
        };
        const QByteArray before = planBytes("before.vrx");

        readFromTheWindow();
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(planBytes("after.vrx"), before);
        QVERIFY(radio_->endReceived() || how == "silent");
        QVERIFY(!radio_->inCloneMode() || how == "silent");

        const QStringList names = backups();
        QCOMPARE(names.size(), 1);
        QVERIFY(names[0].startsWith(QStringLiteral("partial-read-")));
        const TransferTexts &texts = main().radioActions().texts();
        // Below the no-response message the dialog lists what the line did and how far the
        // read got as details.
        const QString message =
            (QStringList{windows_->warning.message()} + windows_->warning.details()).join(u'\n');
        QVERIFY2(message.startsWith(how == "silent" ? t().msgNoResponse : texts.msgTransferStopped),
                 qPrintable(message));
        QVERIFY(message.contains(texts.msgReadGotChannels.arg(channelsRead)));
        QVERIFY(message.contains(
            texts.msgPartialReadKept.arg(QDir::toNativeSeparators(backupPath(names[0])))));
        const ChannelFileLoad partial = loadChannelFile(backupPath(names[0]));
        QVERIFY(partial.ok());
        QCOMPARE(partial.plan->channels[2][0], QStringLiteral("438.50000"));
        QCOMPARE(partial.plan->channels[38][0], QStringLiteral("438.50000"));
        QVERIFY(partial.plan->channels[40][0].isEmpty()); // not reached
        QVERIFY(partial.plan->channels[49][0].isEmpty()); // not the window's
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(transfer().isVisible());
    }

    // A stopped write names the radio's backup and the command that restores it.
    void aStoppedWriteSaysHowToGoBack_data() {
        QTest::addColumn<bool>("backupFirst");
        QTest::newRow("with a backup") << true;
        QTest::newRow("without") << false;
    }
    void aStoppedWriteSaysHowToGoBack() {
        QFETCH(bool, backupFirst);
        // Channel 30's first write: the backup read sends 5 + 4 x 199 + 3 frames first,
        // a write five and then two a channel.
        actAtFrame_ = (backupFirst ? 5 + 4 * kChannelCount + 3 : 0) + 5 + 2 * 29 + 1;
        actMidway_ = [this] { QTest::mouseClick(transfer().closeButton(), Qt::LeftButton); };
        start();
        fillChannel(1);
        main().action(MainAction::Write)->trigger();
        if (backupFirst)
            QTest::mouseClick(transfer().backupCheck(), Qt::LeftButton);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        const TransferTexts &texts = main().radioActions().texts();
        // Below the no-response message the dialog lists what the line did and how far the
        // read got as details.
        const QString message =
            (QStringList{windows_->warning.message()} + windows_->warning.details()).join(u'\n');
        QVERIFY2(message.startsWith(texts.msgTransferStopped), qPrintable(message));
        QVERIFY(message.contains(texts.msgRadioHoldsChannels.arg(30)));
        QVERIFY(radio_->endReceived());
        QVERIFY(!radio_->inCloneMode());
        if (backupFirst) {
            const QStringList names = backups();
            QCOMPARE(names.size(), 1);
            const QString path = QDir::toNativeSeparators(backupPath(names[0]));
            QVERIFY2(message.contains(texts.msgRestoreFromBackup.arg(
                         path, QStringLiteral("vrxctl write --in \"%1\" --port %2")
                                   .arg(path, main().portDevice(main().currentPort())))),
                     qPrintable(message));
        } else {
            QVERIFY(message.contains(texts.msgBackupNextTime));
        }
    }

    void aPlainWriteIsTheOneExchange() {
        start();
        fillChannel(1);
        main().action(MainAction::Write)->trigger();
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(!windows_->warning.isVisible());
        QCOMPARE(radio_->handshakeCount(), 1);
        QVERIFY(transfer().phaseLabel()->isHidden());
        QVERIFY(backups().isEmpty());
    }

    void aVerifyDifferenceOpensTheWarningWithTheList() {
        start();
        fillChannel(1);
        // The first block of channel 1 (the fifth step) is stored with one byte wrong.
        radio_->setFault({SimulatedRadio::FaultKind::CorruptStore, 5});
        main().action(MainAction::Write)->trigger();
        QTest::mouseClick(transfer().verifyCheck(), Qt::LeftButton);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(windows_->warning.message(),
                 QStringLiteral("电台中的数据与写入的不一致：\n\n"
                                "CH001 RxFreq: wrote 438.50000, radio holds 438.50010"));
        QVERIFY(transfer().statusLabel()->text() != main().safetyActions().texts().statusVerified);
    }

    void aVerifyThatCannotReadBackSaysSoAndListsNoDifference() {
        start();
        fillChannel(1);
        // The write takes 404 steps here (no band limits are chosen, so those two are left
        // out); step 800 of the read back, the acknowledgement before the settings block,
        // comes late, so the read back skips that block.
        radio_->setFault({SimulatedRadio::FaultKind::LateReply, 404 + 800});
        main().action(MainAction::Write)->trigger();
        QTest::mouseClick(transfer().verifyCheck(), Qt::LeftButton);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
        QVERIFY2(windows_->warning.isVisible(),
                 qPrintable(QStringLiteral("steps %1, status %2")
                                .arg(radio_->stepCount())
                                .arg(transfer().statusLabel()->text())));
        QCOMPARE(windows_->warning.message(), main().safetyActions().texts().msgVerifyReadFailed);
    }

    void compareWithFileShowsTheDifferencesOrSaysEqual() {
        start();
        fillChannel(5);
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("plan.vrx"));
        ChannelPlan plan = capturePlan(table(), main().settings(), main().bandPlan());
        QVERIFY(saveChannelFile(path, plan));
        chosenFile_ = path;
        main().safetyActions().compareAction()->trigger();
        QVERIFY(windows_->warning.isVisible());
        QCOMPARE(windows_->warning.message(), QStringLiteral("文件中的信道表与当前的相同。"));
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);

        plan.channels[4][RxToneCol - 1] = QStringLiteral("D023N");
        plan.options[indexOf(Option::Squelch)] = 5;
        QVERIFY(saveChannelFile(path, plan));
        main().safetyActions().compareAction()->trigger();
        auto *dialog = main().findChild<PlanDiffDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        QTableWidget *rows = dialog->table();
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->item(0, 0)->text(), QStringLiteral("Squelch"));
        QCOMPARE(rows->item(1, 0)->text(), QStringLiteral("CH005 RxTone"));
        QCOMPARE(rows->item(1, 1)->text(), t().offText);
        QCOMPARE(rows->item(1, 2)->text(), QStringLiteral("D023N"));
        dialog->close();
    }

    void aLeftoverIsRestoredByItsDefaultButton() {
        leaveAutosave();
        start();
        QString focused;
        answerRestoreQuestion(Qt::Key_Return, &focused);
        main().recovery().start();
        QCOMPARE(focused, QStringLiteral("恢复"));
        QCOMPARE(table().text(RxFreqCol, 9), QStringLiteral("438.50000"));
        QCOMPARE(main().caption(), QStringLiteral("VRX-428    [400-470MHz]"));
        QVERIFY(backups().isEmpty());
    }

    void aLeftoverNotRestoredIsKeptAmongTheBackups() {
        const QByteArray bytes = leaveAutosave();
        start();
        answerRestoreQuestion(Qt::Key_Tab, nullptr);
        main().recovery().start();
        QVERIFY(table().isEmptyChannel(9));
        const QStringList names = backups();
        QCOMPARE(names.size(), 1);
        QVERIFY(names[0].startsWith(QStringLiteral("unsaved-")));
        QCOMPARE(readBytes(backupPath(names[0])), bytes);
        QVERIFY(!QFile::exists(folder().autosavePath()));
    }

    void changesAreAutosavedAndACleanEndRemovesThem() {
        start();
        main().recovery().start();
        Autosaver *saver = main().recovery().autosaver();
        QVERIFY(saver);
        QCOMPARE(saver->path(), folder().autosavePath());
        // A second program keeps an autosave of its own.
        AppEnvironment env;
        env.dataFolder = folder().root();
        MainWindow second(env);
        second.recovery().start();
        QCOMPARE(second.recovery().autosaver()->path(), folder().autosavePath(2));

        fillChannel(12);
        QVERIFY(saver->isPending());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder().autosavePath()), 2500);
        const ChannelFileLoad load = loadChannelFile(folder().autosavePath());
        QVERIFY(load.ok());
        QCOMPARE(load.plan->channels[11], table().row(12));
        windows_.reset();
        QVERIFY(!QFile::exists(folder().autosavePath()));
    }

private:
    DataFolder folder() const { return DataFolder(home_.path() + QStringLiteral("/VRX5800")); }
    QStringList backups() const {
        return QDir(folder().backupsPath()).entryList(QDir::Files, QDir::Name);
    }
    QString backupPath(const QString &name) const {
        return QDir(folder().backupsPath()).filePath(name);
    }
    static QByteArray readBytes(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void start() {
        windows_.reset();
        AppEnvironment env;
        env.dataFolder = DataFolder::standard().root();
        env.locale = QLocale(QLocale::Chinese, QLocale::China);
        env.probePort = [](const QString &, QString *) { return true; };
        env.makeLink = [this](const QString &) -> std::unique_ptr<SerialLink> {
            return std::make_unique<ActingLink>(*radio_, actAtFrame_, actMidway_);
        };
        env.chooseFile = [this](FileDialogKind, const QString &) { return chosenFile_; };
        env.reportError = [](const QString &message) { QFAIL(qPrintable(message)); };
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    void readFromTheWindow() {
        QTest::mouseClick(main().sideButton(MainAction::Read), Qt::LeftButton);
        QTest::mouseClick(transfer().startButton(), Qt::LeftButton);
    }
    // A plan with channel 9, left behind by a run that ended without cleaning up.
    QByteArray leaveAutosave() {
        ChannelPlan plan;
        plan.bandText = QStringLiteral("400-470MHz");
        plan.channels[8] = {"438.50000", "67.0", "438.50000", "OFF",
                            "高功率",    "宽带", "启用",      "禁用"};
        const QByteArray bytes = writeChannelFile(plan);
        [&] {
            QVERIFY(QDir().mkpath(folder().root()));
            QFile file(folder().autosavePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }();
        return bytes;
    }
    // Answers the restore question, when it comes, with `key` sent where the focus is, then
    // (after a Tab) Return for the button the focus moved to.
    void answerRestoreQuestion(Qt::Key key, QString *focused) {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, key, focused] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            // The box takes the focus once it has been activated.
            if (!box || !box->isVisible() || !box->isAncestorOf(QApplication::focusWidget()))
                return;
            poll->deleteLater();
            QWidget *focus = QApplication::focusWidget();
            if (focused)
                if (auto *button = qobject_cast<QPushButton *>(focus))
                    *focused = button->text();
            QTest::keyClick(focus, key);
            if (key == Qt::Key_Tab)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        poll->start(20);
    }
    void putChannel(int n) {
        const ChannelRow row{"438.50000", "67.0",         "438.50000", "D023N",
                             t().lowText, t().narrowText, t().offText, t().onText};
        radio_->memory().replace(RadioImage::channelAddress(n), RadioImage::kRecordSize,
                                 *encodeChannel(row, t()));
    }
    void fillChannel(int row) {
        table().setText(RxFreqCol, row, QStringLiteral("438.50000"));
        table().fillDefaults(row, t());
    }
    MainWindow &main() { return windows_->main; }
    TransferDialog &transfer() { return windows_->transfer; }
    ChannelTable &table() { return main().table(); }
    const UiTexts &t() { return main().texts(); }

    QTemporaryDir home_;
    std::unique_ptr<SimulatedRadio> radio_;
    std::unique_ptr<AppWindows> windows_;
    QString chosenFile_;
    QStringList opened_;
    // What the user does while the transfer sends frame actAtFrame_.
    int actAtFrame_ = 0;
    std::function<void()> actMidway_;
};

QTEST_MAIN(SafetyTest)
#include "safety.moc"
