// Channel files through the window's open and save actions, and myini.ini at start and exit.
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/options_page.h"
#include "files/file_actions.h"
#include "radio/service_panel.h"
#include "shell/app_windows.h"
#include "storage/app_settings.h"
#include "storage/channel_file.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace vrx;

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        answers_.clear();
        proposals_.clear();
        kinds_.clear();
        errors_.clear();
    }
    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void savedPlanOpensAsItWas() {
        start();
        fillChannel(1, "438.50000");
        fillChannel(199, "400.00625");
        table().setText(RxToneCol, 1, QStringLiteral("D023N"));
        settings().setIndex(Option::Squelch, 7);
        settings().setIndex(Option::SpreadFreq, 1);
        settings().setIndex(Option::Band, 1);
        settings().setDrive(Drive::High, 200);
        main().bandPlan().setList(BandList::Band1Rx, {"400-470MHz", "136-174MHz"}, 1);
        const ChannelRow first = table().row(1);

        answers_ << path("plan"); // typed without an extension
        main().saveFile();
        QVERIFY(QFile::exists(path("plan.vrx")));

        main().requestNewPlan();
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(table().row(1) == ChannelRow{});
        main().bandPlan().select(BandList::Band1Rx, 0);

        answers_ << path("plan.vrx");
        main().openFile();
        QVERIFY(errors_.isEmpty());
        QCOMPARE(table().row(1), first);
        QCOMPARE(table().text(RxFreqCol, 199), QStringLiteral("400.00625"));
        QCOMPARE(settings().index(Option::Squelch), 7);
        QCOMPARE(settings().index(Option::Band), 1);
        QCOMPARE(settings().drive(Drive::High), 200);
        QCOMPARE(main().caption(), QStringLiteral("VRX-428    [136-174MHz]"));
        QCOMPARE(main().optionsPage()->combo(Option::Squelch)->currentIndex(), 7);
    }

    // The example plan of the file format (defaults, band "400-470MHz", one channel) saved
    // with the Chinese pack loaded gives the example file byte for byte.
    void chineseSaveOfTheExamplePlanIsTheExampleFile() {
        start({}, QCoreApplication::applicationDirPath());
        main().useLanguage(Language::Chinese);
        main().bandPlan().setList(BandList::Band1Rx, {"400-470MHz"}, 0);
        fillChannel(1, "438.50000");
        table().setText(RxToneCol, 1, QStringLiteral("67.0"));
        table().setText(TxToneCol, 1, QStringLiteral("D023N"));

        answers_ << path("example.vrx");
        main().saveFile();
        QVERIFY(errors_.isEmpty());
        QFile expected(QStringLiteral(VRX_FIXTURES_DIR "/channel_files/example_chinese.vrx"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QFile saved(path("example.vrx"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QByteArray> want = expected.readAll().split('\n');
        const QList<QByteArray> got = saved.readAll().split('\n');
        for (int i = 0; i < std::min(want.size(), got.size()); ++i)
            QVERIFY2(got[i] == want[i], qPrintable(QStringLiteral("line %1").arg(i + 1)));
        QCOMPARE(got.size(), want.size());
    }

    void dialogsStartInTheProgramFolderThenTheLastFile() {
        start();
        answers_ << QString() << path("a.vrx") << QString();
        main().openFile(); // cancelled
        main().saveFile();
        // The plan has its file now; only Save As asks again.
        main().fileActions().saveFileAs();
        QCOMPARE(proposals_, (QStringList{dir_->path(), dir_->path(), path("a.vrx")}));
        QCOMPARE(kinds_, (QList<FileDialogKind>{FileDialogKind::Open, FileDialogKind::Save,
                                                FileDialogKind::Save}));
        answers_ << path("a.vrx") << QString();
        main().openFile();
        main().openFile();
        QCOMPARE(proposals_.last(), path("a.vrx"));
    }

    void saveKeepsAnotherExtensionAndCancelWritesNothing() {
        start();
        answers_ << path("plan.txt") << QString();
        main().saveFile();
        main().saveFile();
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"plan.txt"});
        QCOMPARE(readLines(path("plan.txt")).size(), kChannelFileLineCount);
    }

    void saveCommitsThePendingEdit() {
        start();
        click(RxFreqCol, 2);
        QTest::keyClick(grid(), Qt::Key_4);
        QTest::keyClicks(grid()->frequencyEditor(), QStringLiteral("38.5"));
        answers_ << path("pending.vrx");
        main().saveFile();
        QVERIFY(!grid()->frequencyEditor()->isVisible());
        const QByteArray line = readLines(path("pending.vrx")).value(30);
        // Normalised and completed with the defaults: "禁用" (GBK) and the same TxFreq.
        QVERIFY2(line.startsWith("CH002 | 438.50000 | \xbd\xfb\xd3\xc3 | 438.50000 | "),
                 line.constData());
    }

    void openingTranslatesValueWordsAndHidesTheEditors() {
        start();
        ChannelPlan plan;
        plan.bandText = QStringLiteral("400-470MHz");
        plan.channels[0] = {"438.50000", "OFF", "438.50000", "67.0", "High", "Narrow", "ON", "OFF"};
        QVERIFY(saveChannelFile(path("english.vrx"), plan));
        fillChannel(1, "440.00000");
        click(RxFreqCol, 1);
        QVERIFY(grid()->frequencyEditor()->isVisible());

        answers_ << path("english.vrx");
        main().openFile();
        const UiTexts &t = main().texts();
        QCOMPARE(table().row(1), (ChannelRow{"438.50000", t.offText, "438.50000", "67.0",
                                             t.highText, t.narrowText, t.onText, t.offText}));
        QVERIFY(!grid()->frequencyEditor()->isVisible());
        // The new band text was appended to the band-1 receive list and selected.
        QCOMPARE(main().bandPlan().displayedText(BandList::Band1Rx), QStringLiteral("400-470MHz"));
    }

    void badFileIsReportedAndChangesNothing_data() {
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("malformed")
            << false << QByteArray("KR-428 MEMORY CHANNEL\r\n\r\n\r\nBAND 400-470MHz\r\nAPO x\r\n")
            << QStringLiteral("line 6");
        // Opening a fifo would wait for a writer, with the window frozen.
        QTest::newRow("fifo") << true << QByteArray() << QStringLiteral("not a regular file");
        // A plan cut short or with a damaged frequency would open with channels lost or
        // showing text no radio takes.
        ChannelPlan plan;
        plan.channels[99] = {"438.50000", "67.0", "438.50000", "OFF", "High", "Wide", "ON", "OFF"};
        QList<QByteArray> lines = writeChannelFile(plan).split('\n');
        QTest::newRow("cut") << false << lines.mid(0, 102).join('\n') + '\n'
                             << QStringLiteral("line 103");
        lines[128].replace("438.50000", "4x0.12500");
        QTest::newRow("frequency")
            << false << lines.join('\n') << QStringLiteral("line 129: RxFreq \"4x0.12500\"");
    }
    void badFileIsReportedAndChangesNothing() {
        QFETCH(bool, fifo);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        start();
        fillChannel(3, "438.50000");
        if (fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(path("bad.vrx")).constData(), 0600), 0);
        } else {
            QFile bad(path("bad.vrx"));
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write(content);
        }
        answers_ << path("bad.vrx");
        main().action(MainAction::Open)->trigger();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("bad.vrx")));
        QVERIFY2(errors_.first().contains(reason), qPrintable(errors_.first()));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("438.50000"));
        QVERIFY(table().isEmptyChannel(100));
        QCOMPARE(main().caption(), QStringLiteral("VRX-5800"));
    }

    void controlCharactersShowAsTheReplacementGlyph() {
        start();
        ChannelPlan plan;
        plan.bandText = QStringLiteral("\x1b]0;x\x07");
        QVERIFY(saveChannelFile(path("crafted.vrx"), plan).ok());
        answers_ << path("crafted.vrx");
        main().openFile();
        QVERIFY(errors_.isEmpty());
        // A file can no longer put such text into a cell; a cell that holds it still shows
        // it safely.
        table().setRow(1,
                       {QStringLiteral("438.50000"), QStringLiteral("\x1b[2J"),
                        QStringLiteral("438.50000"), QStringLiteral("67.0"), QStringLiteral("High"),
                        QStringLiteral("Wide"), QStringLiteral("ON"), QStringLiteral("OFF")});
        // The cell keeps its text (a save writes it back as it came); only the view differs.
        QCOMPARE(table().text(RxToneCol, 1), QStringLiteral("\x1b[2J"));
        const QModelIndex cell = grid()->channelModel()->indexOf(RxToneCol, 1);
        QCOMPARE(cell.data(Qt::DisplayRole).toString(), QStringLiteral("\ufffd[2J"));
        QVERIFY(!main().windowTitle().contains(QChar(0x1b)));
        QVERIFY(main().windowTitle().contains(QChar::ReplacementCharacter));
    }

    void settingsFileIsAppliedAtStartAndWrittenAtExit() {
        QFile ini(path("myini.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[open]\r\ncom=3\r\nskin=2\r\n[list1_rx]\r\nlistnow=1\r\nlistcount=2\r\n"
                  "combo0=400-470MHz\r\ncombo1=136-174MHz\r\n[ports]\r\nCOM1=/dev/ttyS9\r\n");
        ini.close();
        start(path("myini.ini"));
        QCOMPARE(main().currentPort(), 3);
        QVERIFY(main().portRadio(3)->isChecked());
        QVERIFY(main().portAction(3)->isChecked());
        QCOMPARE(main().skin(), 2);
        QCOMPARE(main().servicePanel()->bandCombo(BandList::Band1Rx)->currentText(),
                 QStringLiteral("136-174MHz"));
        QCOMPARE(main().portDevice(1), QStringLiteral("/dev/ttyS9"));
        QCOMPARE(main().portRadio(1)->toolTip(), QStringLiteral("/dev/ttyS9"));

        main().portAction(4)->trigger();
        main().chooseSkin(3);
        main().bandPlan().selectOrAppend(BandList::Band1Rx, QStringLiteral("350-390MHz"));
        // A device mapped for this run only (the demo radio) is not stored.
        main().setPortDevices({"/dev/pts/7", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"});
        windows_.reset();

        const AppSettings saved = readAppSettings(path("myini.ini"));
        QCOMPARE(saved.port, 4);
        QCOMPARE(saved.skin, 3);
        QCOMPARE(saved.bands[0].entries, (QStringList{"400-470MHz", "136-174MHz", "350-390MHz"}));
        QCOMPARE(saved.bands[0].selected, 2);
        QCOMPARE(saved.portDevices[0], QStringLiteral("/dev/ttyS9"));
        QVERIFY(errors_.isEmpty());
    }

    void unwritableSettingsAreReportedOnce() {
        // A settings path below a regular file can never be written.
        QFile blocker(path("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        start(path("file/myini.ini"));
        QCOMPARE(main().currentPort(), 1);
        windows_.reset();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("myini.ini")));
    }

    void oversizedSettingsAreReportedOnceAndKept() {
        QByteArray large = "[open]\r\ncom=3\r\n;";
        large += QByteArray(kMaxAppSettingsBytes, 'x');
        QFile ini(path("myini.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(large);
        ini.close();
        start(path("myini.ini"));
        QCOMPARE(main().currentPort(), 1);
        QTRY_COMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("myini.ini")));
        main().portAction(4)->trigger();
        windows_.reset();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll() == large);
    }

private:
    void start(const QString &settingsPath = {}, const QString &dataDir = {}) {
        AppEnvironment env;
        env.settingsPath = settingsPath;
        env.dataDir = dataDir;
        env.documentsDir = dir_->path();
        env.chooseFile = [this](FileDialogKind kind, const QString &proposed) {
            kinds_ << kind;
            proposals_ << proposed;
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        };
        env.reportError = [this](const QString &m) { errors_ << m; };
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    MainWindow &main() { return windows_->main; }
    ChannelTable &table() { return main().table(); }
    RadioSettings &settings() { return main().settings(); }
    ChannelGrid *grid() { return main().grid(); }
    QString path(const QString &name) const { return dir_->filePath(name); }
    void fillChannel(int row, const char *frequency) {
        table().setText(RxFreqCol, row, QString::fromLatin1(frequency));
        table().fillDefaults(row, main().texts());
    }
    void click(int col, int row) {
        const QModelIndex index = grid()->channelModel()->indexOf(col, row);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
    }
    static QList<QByteArray> readLines(const QString &file) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> lines = f.readAll().split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppWindows> windows_;
    QStringList answers_;
    QStringList proposals_;
    QList<FileDialogKind> kinds_;
    QStringList errors_;
};

QTEST_MAIN(FilesTest)
#include "files.moc"
