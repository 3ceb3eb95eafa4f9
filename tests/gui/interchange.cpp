// CSV import, export and paste, and the channel list, through the window's File menu and
// the grid, as a user reaches them.
#include "dialogs/notes_dialog.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/edit_actions.h"
#include "files/interchange_actions.h"
#include "shell/app_windows.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrx;

namespace {

const QString kEveryCase = QStringLiteral(VRX_FIXTURES_DIR "/csv/every_case.csv");

QString pasteText(const QStringList &frequencies) {
    QString text = QStringLiteral("Location,Frequency,Mode,Power\r\n");
    for (int i = 0; i < frequencies.size(); ++i)
        text += QStringLiteral("%1,%2,NFM,Low\r\n").arg(i + 1).arg(frequencies[i]);
    return text;
}

} // namespace

class InterchangeTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        answers_.clear();
        proposals_.clear();
        titles_.clear();
        errors_.clear();
    }
    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void fileMenuEndsWithTheGroupInTheLanguage() {
        start();
        const QList<QAction *> items = main().menu(MainMenu::File)->actions();
        // After Exit and the backups group; Save As and the recent files follow.
        QCOMPARE(items.size(), 16);
        QCOMPARE(items[4], main().action(MainAction::Exit));
        QVERIFY(items[8]->isSeparator());
        const QStringList english{"&Import…", "&Export…", "&Print…", "Export P&DF…"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(items[9 + i], actions().action(InterchangeAction(i)));
            QCOMPARE(items[9 + i]->text(), english[i]);
        }
        main().useLanguage(Language::Chinese);
        QCOMPARE(actions().action(InterchangeAction::Import)->text(), QStringLiteral("导入(&I)…"));
    }

    void fileMenuAccessKeysStayDistinctInEitherLanguage() {
        start();
        for (Language language : {Language::English, Language::Chinese}) {
            main().useLanguage(language);
            QStringList keys;
            for (QAction *item : main().menu(MainMenu::File)->actions()) {
                if (item->isSeparator())
                    continue;
                const qsizetype amp = item->text().indexOf('&');
                QVERIFY2(amp >= 0, qPrintable(item->text()));
                const QString key = item->text().mid(amp + 1, 1).toUpper();
                QVERIFY2(!keys.contains(key), qPrintable(item->text()));
                keys << key;
            }
        }
    }

    void importReplacesTheChannelsKeepsTheSettingsAndListsTheNotes() {
        start();
        main().settings().setIndex(Option::Squelch, 7);
        main().settings().setDrive(Drive::High, 200);
        main().bandPlan().setList(BandList::Band1Rx, {"400-470MHz"}, 0);
        fillChannel(150, "440.00000");

        answers_ << kEveryCase;
        chooseFromFileMenu(InterchangeAction::Import);

        QVERIFY(errors_.isEmpty());
        QCOMPARE(titles_, QStringList{"Import…"});
        QCOMPARE(proposals_, QStringList{dir_->path()});
        QCOMPARE(table().row(8), (ChannelRow{"438.50000", "D754I", "438.50000", "D754N", "High",
                                             "Wide", "ON", "OFF"}));
        QCOMPARE(table().text(RxFreqCol, 150), QString()); // not in the file: emptied
        QCOMPARE(table().text(RxFreqCol, 20), QString());  // skipped row
        QCOMPARE(main().settings().index(Option::Squelch), 7);
        QCOMPARE(main().settings().drive(Drive::High), 200);
        QCOMPARE(main().bandPlan().displayedText(BandList::Band1Rx), QStringLiteral("400-470MHz"));

        NotesDialog *notes = actions().notesDialog();
        QVERIFY(notes && notes->isVisible());
        // The file's 21 notes and the three rows outside the plan's band, which are kept.
        QCOMPARE(notes->notes().size(), 24);
        QVERIFY(notes->notes().contains(
            "Line 21, Location 20: mode \"AM\" is not FM or NFM; row skipped"));
        QVERIFY(notes->notes().contains("Line 34, Location 33: frequency 100.00000 lies outside "
                                        "the band 400-470MHz; row kept"));
        QCOMPARE(notes->windowTitle(), QStringLiteral("Notes on the channels"));
        QVERIFY(notes->summary().startsWith("41 channels were imported."));
        // The OK button has the focus, so Enter closes the notes.
        QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == notes);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!actions().notesDialog());

        // The next import starts at the file chosen last.
        answers_ << QString();
        chooseFromFileMenu(InterchangeAction::Import);
        QCOMPARE(proposals_.last(), kEveryCase);
    }

    void importAndCsvPasteAreOneUndoStepEach() {
        start();
        fillChannel(150, "440.00000");
        clickCell(ScanCol, 10);
        QGuiApplication::clipboard()->setText(pasteText({"438.5", "439.5"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 11), QStringLiteral("439.50000"));
        QAction *undo = main().editActions().action(EditCommand::Undo);
        QCOMPARE(undo->text(), QStringLiteral("Undo paste"));

        answers_ << kEveryCase;
        chooseFromFileMenu(InterchangeAction::Import);
        QCOMPARE(undo->text(), QStringLiteral("Undo import"));
        QTRY_VERIFY(QApplication::focusWidget() &&
                    QApplication::focusWidget()->window() == actions().notesDialog());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!actions().notesDialog());
        main().activateWindow();
        QTRY_VERIFY(QApplication::focusWidget() &&
                    QApplication::focusWidget()->window() == &main());

        // The import goes back whole, then the paste.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 8), QString());
        QCOMPARE(table().text(RxFreqCol, 150), QStringLiteral("440.00000"));
        QCOMPARE(table().text(RxFreqCol, 11), QStringLiteral("439.50000"));
        QCOMPARE(undo->text(), QStringLiteral("Undo paste"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 11), QString());
        QCOMPARE(table().text(RxFreqCol, 150), QStringLiteral("440.00000"));
    }

    void importOfAFileThatIsNoChannelListChangesNothing() {
        start();
        fillChannel(3, "440.00000");
        const ChannelRow before = table().row(3);
        QFile file(path("names.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Name,Frequency\nA,438.5\n");
        file.close();
        answers_ << path("names.csv");
        chooseFromFileMenu(InterchangeAction::Import);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_[0].contains("not a channel list"));
        QCOMPARE(table().row(3), before);
        QVERIFY(!actions().notesDialog());
    }

    void exportWritesTheFilledChannelsWithTheHeader() {
        start();
        fillChannel(2, "438.50000");
        fillChannel(9, "145.00000");
        table().setText(TxFreqCol, 9, "145.60000");
        fillChannel(12, "440.00000");
        table().setText(TxToneCol, 12, "D999N"); // from a hand-edited file: no DCS code
        answers_ << path("list");                // typed without an extension
        chooseFromFileMenu(InterchangeAction::Export);
        QVERIFY(errors_.isEmpty());
        NotesDialog *notes = actions().notesDialog();
        QVERIFY(notes && notes->isVisible());
        QCOMPARE(notes->summary(),
                 QStringLiteral("2 channels were exported. These were left out:"));
        QCOMPARE(notes->notes(), QStringList{"Channel 012: TxTone \"D999N\" cannot be written "
                                             "as CSV; channel left out"});
        notes->close();
        QFile file(path("list.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4); // header, two channels, the empty rest after the last LF
        QVERIFY(lines[0].startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
        QVERIFY(lines[1].startsWith("2,,438.500000,,0.000000,"));
        QVERIFY(lines[2].startsWith("9,,145.000000,+,0.600000,"));
        answers_ << QString();
        chooseFromFileMenu(InterchangeAction::Export);
        QCOMPARE(proposals_.last(), path("list.csv"));
    }

    void pastedCsvRowsFillChannelsFromTheCurrentRow() {
        start();
        clickCell(ScanCol, 10); // a toggle: the grid keeps the focus
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(grid()));
        QGuiApplication::clipboard()->setText(pasteText({"438.5", "439.5"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table().row(10), (ChannelRow{"438.50000", "OFF", "438.50000", "OFF", "Low",
                                              "Narrow", "ON", "OFF"}));
        QCOMPARE(table().text(RxFreqCol, 11), QStringLiteral("439.50000"));
        QCOMPARE(table().text(RxFreqCol, 12), QString());
        QVERIFY(!actions().notesDialog());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(grid()));
    }

    void pastePastTheLastChannelKeepsWhatFitsAndNotesTheRest() {
        start();
        clickCell(ScanCol, 198);
        QGuiApplication::clipboard()->setText(pasteText({"438.5", "439.5", "440.5"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 198), QStringLiteral("438.50000"));
        QCOMPARE(table().text(RxFreqCol, 199), QStringLiteral("439.50000"));
        NotesDialog *notes = actions().notesDialog();
        QVERIFY(notes && notes->isVisible());
        QCOMPARE(notes->notes(),
                 QStringList{"Line 4, Location 3: beyond channel 199; row left out"});
    }

    void pasteOfOtherTextIsLeftToTheRowPaste() {
        start();
        clickCell(ScanCol, 5);
        QGuiApplication::clipboard()->setText("438.50000\tOFF\t439.50000\n");
        QVERIFY(!actions().pasteCsv(QGuiApplication::clipboard()->text()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        // Tab-separated rows, not CSV: the remaining fields get a new channel's defaults.
        QCOMPARE(table().row(5),
                 (ChannelRow{"438.50000", "OFF", "439.50000", "OFF", "High", "Wide", "ON", "OFF"}));
        QVERIFY(!actions().notesDialog());
    }

    void exportPdfWritesTheListAndPrintShowsAPreview() {
        start();
        fillChannel(1, "438.50000");
        answers_ << path("list");
        chooseFromFileMenu(InterchangeAction::ExportPdf);
        QVERIFY(errors_.isEmpty());
        QFile pdf(path("list.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));

        chooseFromFileMenu(InterchangeAction::Print);
        QPrintPreviewDialog *preview = main().findChild<QPrintPreviewDialog *>();
        QVERIFY(preview);
        QTRY_VERIFY(preview->isVisible());
        preview->close();
        QTRY_VERIFY(!main().findChild<QPrintPreviewDialog *>());
    }

private:
    void start() {
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath(); // the staged packs
        env.documentsDir = dir_->path();
        env.reportError = [this](const QString &m) { errors_ << m; };
        windows_ = std::make_unique<AppWindows>(env);
        actions().chooseFile = [this](FileDialogKind, const QString &proposed, const QString &title,
                                      const QString &) {
            proposals_ << proposed;
            titles_ << title;
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        };
        main().useLanguage(Language::English);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    // Opens the File menu and clicks the item, as the mouse would.
    void chooseFromFileMenu(InterchangeAction id) {
        QMenu *file = main().menu(MainMenu::File);
        QMenuBar *bar = main().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(file->menuAction()).center());
        QTRY_VERIFY(file->isVisible());
        QAction *item = actions().action(id);
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(item).center());
        QTRY_VERIFY(!file->isVisible());
    }
    void clickCell(int col, int row) {
        grid()->scrollTo(grid()->channelModel()->indexOf(col, row));
        const QModelIndex index = grid()->channelModel()->indexOf(col, row);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
        QCOMPARE(grid()->editController().currentRow(), row);
    }
    void fillChannel(int row, const char *frequency) {
        table().setText(RxFreqCol, row, QString::fromLatin1(frequency));
        table().fillDefaults(row, main().texts());
    }
    MainWindow &main() { return windows_->main; }
    InterchangeActions &actions() { return main().interchangeActions(); }
    ChannelTable &table() { return main().table(); }
    ChannelGrid *grid() { return main().grid(); }
    QString path(const QString &name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppWindows> windows_;
    QStringList answers_;
    QStringList proposals_;
    QStringList titles_;
    QStringList errors_;
};

QTEST_MAIN(InterchangeTest)
#include "interchange.moc"
