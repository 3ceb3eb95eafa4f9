// Typing and picking do what the keys say, the marks and messages of the grid, and the
// backups window. Keys go to the focused widget and clicks through the window.
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/edit_actions.h"
#include "files/backups_window.h"
#include "files/safety_actions.h"
#include "shell/app_windows.h"
#include "shell/skins.h"
#include "storage/app_settings.h"
#include "storage/backups.h"
#include "storage/channel_file.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrx;

class DeskEditingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(data_.isValid());
        QDir(data_.path()).removeRecursively();
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath(); // the staged packs
        env.dataFolder = data_.path();
        env.reportError = [this](const QString &m) { errors_ << m; };
        windows_ = std::make_unique<AppWindows>(env);
        main().useLanguage(Language::English);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        grid()->setFocus();
        errors_.clear();
    }
    void cleanup() { windows_.reset(); }

    void escapeInTheEditorTakesTheTypingBack() {
        fill(3, "438.50000");
        const int steps = edit().history().undoCount();
        clickCell(RxFreqCol, 3);
        for (Qt::Key k : {Qt::Key_4, Qt::Key_4, Qt::Key_6})
            key(k);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()->frequencyEditor()));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("446"));

        key(Qt::Key_Escape);
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("438.50000"));
        QCOMPARE(grid()->frequencyEditor()->text(), QStringLiteral("438.50000"));
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        QVERIFY(main().isVisible()); // Escape closed nothing
        key(Qt::Key_Down);
        QCOMPARE(grid()->currentChannel(), 4);
        QCOMPARE(edit().history().undoCount(), steps);
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("438.50000"));
    }

    void aValueMovedToALimitIsSaidInTheStatusLine() {
        clickCell(RxFreqCol, 5);
        key(Qt::Key_9);
        key(Qt::Key_Return);
        QCOMPARE(table().text(RxFreqCol, 5), QStringLiteral("100.00000"));
        QCOMPARE(main().statusBar()->currentMessage(),
                 QStringLiteral("9 → 100.00000: below the lowest frequency"));
    }

    void passingThroughAFileTextChangesNothing() {
        table().setRow(2, {"438.5", "OFF", "438.5", "OFF", "Low", "Narrow", "OFF", "ON"});
        settle();
        const ChannelRow before = table().row(2);
        const int steps = edit().history().undoCount();
        clickCell(RxFreqCol, 2);
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        key(Qt::Key_Down);
        QCOMPARE(table().row(2), before);
        QCOMPARE(edit().history().undoCount(), steps);
    }

    void downAfterAToneChosenWithTheMouseMovesToTheNextChannel() {
        fill(6, "438.50000");
        fill(7, "439.00000");
        clickCell(RxToneCol, 6);
        QComboBox *picker = grid()->tonePicker();
        QVERIFY(picker->isVisible());
        clickWidget(picker); // drops the list down
        QAbstractItemView *list = picker->view();
        QTRY_VERIFY(list->isVisible());
        // A release too soon after the opening press belongs to that press.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QModelIndex item = list->model()->index(3, 0);
        list->scrollTo(item);
        QWidget *popup = list->window();
        QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {},
                          list->viewport()->mapTo(popup, list->visualRect(item).center()));
        settle();
        const QString chosen = picker->itemText(3);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(table().text(RxToneCol, 6), chosen);

        key(Qt::Key_Down);
        QCOMPARE(table().text(RxToneCol, 6), chosen);
        QCOMPARE(grid()->currentChannel(), 7);
        QCOMPARE(grid()->editController().currentRow(), 7);
        QCOMPARE(table().text(RxToneCol, 7), QStringLiteral("OFF"));
    }

    void frequenciesOutsideTheBandsAreMarkedInEachSkin() {
        main().bandPlan().setList(BandList::Band1Rx, {"400-470MHz"}, 0);
        fill(3, "438.50000");
        fill(4, "480.00000");
        const QModelIndex inside = grid()->channelModel()->indexOf(RxFreqCol, 3);
        const QModelIndex outside = grid()->channelModel()->indexOf(RxFreqCol, 4);
        QCOMPARE(outside.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Outside the selected band 400-470MHz"));
        QVERIFY(inside.data(Qt::ToolTipRole).isNull());
        QVERIFY(inside.data(Qt::BackgroundRole).isNull());
        QList<QColor> colours;
        for (int skin = 1; skin <= kSkinCount; ++skin) {
            main().chooseSkin(skin);
            colours << outside.data(Qt::BackgroundRole).value<QBrush>().color();
            QCOMPARE(colours.last(), outOfBandColour(skin));
        }
        QCOMPARE(QSet<QRgb>({colours[0].rgb(), colours[1].rgb(), colours[2].rgb()}).size(), 3);
        QCOMPARE(table().text(RxFreqCol, 4), QStringLiteral("480.00000"));
        // A band that takes the frequency in lifts the mark.
        main().bandPlan().setList(BandList::Band2Rx, {"470-520MHz"}, 0);
        QVERIFY(outside.data(Qt::BackgroundRole).isNull());
    }

    void theBackupsWindowListsOpensAndCompares() {
        const DataFolder folder(data_.path());
        ChannelPlan older;
        older.channels[0] = {"401.00000", "OFF", "401.00000", "OFF", "High", "Wide", "ON", "OFF"};
        ChannelPlan newer = older;
        newer.channels[1] = older.channels[0];
        const QDateTime when(QDate(2026, 3, 1), QTime(9, 30));
        QVERIFY(saveBackup(folder, BackupKind::Read, older, when).ok());
        QVERIFY(saveBackup(folder, BackupKind::BeforeWrite, newer, when.addSecs(60)).ok());

        main().safetyActions().backupsAction()->trigger();
        BackupsWindow *window = main().safetyActions().backupsWindow();
        QVERIFY(window && window->isVisible());
        QTableWidget *list = window->table();
        QTRY_COMPARE(focused(), static_cast<QWidget *>(list));
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Before a write"));
        QCOMPARE(list->item(0, 1)->text(), QStringLiteral("2026-03-01 09:31:00"));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("2"));
        QCOMPARE(list->item(1, 0)->text(), QStringLiteral("Read from the radio"));

        // Compare: the plan comparison, the window stays.
        QTest::keyClick(focused(), Qt::Key_Down);
        clickWidget(window->compareButton());
        auto *diff = main().findChild<QDialog *>(QStringLiteral("planDiff"));
        QVERIFY(diff && diff->isVisible());
        diff->close();

        // Open makes the selected backup the plan, one undo step.
        // The newer backup, chosen with the mouse, then Open.
        QTest::mouseClick(
            window->windowHandle(), Qt::LeftButton, {},
            list->viewport()->mapTo(window, list->visualItemRect(list->item(0, 0)).center()));
        QCOMPARE(list->currentRow(), 0);
        clickWidget(window->openButton());
        QVERIFY(!window->isVisible());
        QCOMPARE(table().row(2), newer.channels[1]);
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo open file"));
        edit().action(EditCommand::Undo)->trigger();
        QVERIFY(table().isEmptyChannel(2));
        QVERIFY(errors_.isEmpty());
    }

    void showFolderSaysWhereTheBackupsAreWhenTheDesktopCannot() {
        main().safetyActions().openUrl = [](const QUrl &) { return false; };
        main().safetyActions().backupsAction()->trigger();
        BackupsWindow *window = main().safetyActions().backupsWindow();
        QCOMPARE(window->table()->rowCount(), 0);
        QVERIFY(!window->openButton()->isEnabled());
        clickWidget(window->showFolderButton());
        const QString folder = QDir::toNativeSeparators(DataFolder(data_.path()).backupsPath());
        QCOMPARE(errors_,
                 QStringList{"The desktop cannot show folders here. The backups are in " + folder});
    }

    void aChosenLanguageAndSkinAreKeptAtOnceAndTheLanguageWinsAtTheNextStart() {
        windows_.reset();
        QTemporaryDir config;
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath();
        env.settingsPath = config.filePath(kAppSettingsFileName);
        env.locale = QLocale(QLocale::Chinese, QLocale::China); // no choice yet: Chinese
        env.reportError = [this](const QString &m) { errors_ << m; };
        {
            AppWindows first(env);
            QVERIFY(first.main.action(MainAction::Chinese)->isChecked());
            first.main.action(MainAction::English)->trigger();
            first.main.skinAction(2)->trigger();
            // Written at once, not only at the end of the run.
            const AppSettings kept = readAppSettings(env.settingsPath);
            QCOMPARE(kept.language, QStringLiteral("eng"));
            QCOMPARE(kept.skin, 2);
        }
        AppWindows second(env);
        QVERIFY(second.main.action(MainAction::English)->isChecked());
        QCOMPARE(second.main.action(MainAction::Open)->text(), QStringLiteral("&Open"));
        QCOMPARE(second.main.skin(), 2);
        QVERIFY(errors_.isEmpty());
    }

private:
    MainWindow &main() { return windows_->main; }
    EditActions &edit() { return main().editActions(); }
    ChannelGrid *grid() { return main().grid(); }
    ChannelTable &table() { return main().table(); }
    static QWidget *focused() { return QApplication::focusWidget(); }

    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(focused());
        QTest::keyPress(focused(), k, modifiers);
        QVERIFY(focused());
        QTest::keyRelease(focused(), k, modifiers);
        settle();
    }
    static void settle() { QCoreApplication::processEvents(); }
    void clickCell(int col, int row) {
        grid()->scrollTo(grid()->model()->index(row - 1, col));
        const QRect rect = grid()->visualRect(grid()->model()->index(row - 1, col));
        QTest::mouseClick(main().windowHandle(), Qt::LeftButton, {},
                          grid()->viewport()->mapTo(&main(), rect.center()));
        settle();
    }
    static void clickWidget(QWidget *widget) {
        QWidget *window = widget->window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(window, widget->rect().center()));
        settle();
    }
    void fill(int row, const char *freq) {
        const UiTexts &t = main().texts();
        table().setRow(
            row, {freq, t.offText, freq, t.offText, t.highText, t.wideText, t.onText, t.offText});
        settle();
    }

    QTemporaryDir data_;
    std::unique_ptr<AppWindows> windows_;
    QStringList errors_;
};

QTEST_MAIN(DeskEditingTest)
#include "desk_editing.moc"
