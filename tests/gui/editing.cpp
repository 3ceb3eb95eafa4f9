// The editing commands: undo/redo, channel selection by number, the clipboard, insert and
// delete with shifting, sorting, the find bar and the bulk edits of the context menu.
// Keys go to the focused widget and clicks through the window, as a user's would.
#include "channels/channel_operations.h"
#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "edit/find_bar.h"
#include "i18n/language_switch.h"
#include "shell/app_windows.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace vrx;

class EditingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath(); // the staged packs
        env.reportError = [this](const QString &m) { errors_ << m; };
        env.chooseFile = [](FileDialogKind, const QString &) {
            return QStringLiteral(VRX_FIXTURES_DIR "/channel_files/example_chinese.vrx");
        };
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

    void editMenuKeepsTheSpecifiedItemsFirst() {
        const QList<QAction *> items = main().menu(MainMenu::Edit)->actions();
        const int otherPage = int(items.indexOf(main().action(MainAction::OtherPage)));
        QCOMPARE(otherPage, 6);
        QVERIFY(items.at(otherPage + 1)->isSeparator());
        QCOMPARE(items.at(otherPage + 2), edit().action(EditCommand::Undo));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo"));
        QVERIFY(!edit().action(EditCommand::Undo)->isEnabled());
        QVERIFY(!edit().action(EditCommand::Redo)->isEnabled());
        QCOMPARE(edit().action(EditCommand::Redo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    }

    void typedFrequencyIsOneStepAndTheEditorUndoesItsOwnTypingFirst() {
        clickCell(RxFreqCol, 3);
        key(Qt::Key_4);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()->frequencyEditor()));
        key(Qt::Key_3);
        key(Qt::Key_8);
        key(Qt::Key_Z, Qt::ControlModifier); // the line edit's own undo
        QCOMPARE(focused(), static_cast<QWidget *>(grid()->frequencyEditor()));
        QVERIFY(grid()->frequencyEditor()->text().size() < 3);
        QCOMPARE(table().text(RxFreqCol, 3), grid()->frequencyEditor()->text());
        QVERIFY(!edit().history().canUndo());
        key(Qt::Key_3);
        key(Qt::Key_8);
        key(Qt::Key_Period);
        key(Qt::Key_5);
        key(Qt::Key_Return);
        QCOMPARE(table().text(TxFreqCol, 3), QStringLiteral("438.50000"));
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        settle();
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo cell edit"));

        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(3));
        QVERIFY(table().text(TxFreqCol, 3).isEmpty()); // the defaults went with it
        QVERIFY(!grid()->frequencyEditor()->isVisible());
        QCOMPARE(edit().action(EditCommand::Redo)->text(), QStringLiteral("Redo cell edit"));
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("438.50000"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(table().text(RxToneCol, 3), main().texts().offText);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
    }

    void togglesAndChannelButtonsAreStepsAndALanguageSwitchIsNone() {
        fill(4, "438.50000");
        clickCell(PowerCol, 4);
        settle();
        QCOMPARE(table().text(PowerCol, 4), QStringLiteral("Low"));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo switch"));
        clickWidget(main().channelButton(ChannelButton::MoveDown));
        QCOMPARE(table().text(PowerCol, 5), QStringLiteral("Low"));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo move down"));
        const int steps = edit().history().undoCount();

        main().useLanguage(Language::Chinese);
        settle();
        QCOMPARE(edit().history().undoCount(), steps);
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("撤销信道下移"));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(PowerCol, 4),
                 QStringLiteral("高功率")); // old steps come back in the new language
    }

    void numberClicksSelectChannelsAndTheGridKeysStillWork() {
        clickCell(RxFreqCol, 2);
        clickCell(NumberCol, 5);
        clickCell(NumberCol, 8, Qt::ShiftModifier);
        clickCell(NumberCol, 6, Qt::ControlModifier);
        QCOMPARE(edit().selection().rows(), (QList<int>{5, 7, 8}));
        // Only the number column shows it; the cells keep their colours.
        const QImage shot = grid()->viewport()->grab().toImage();
        auto colourAt = [&](int col, int row) {
            const QRect cell = grid()->visualRect(grid()->model()->index(row - 1, col));
            return QColor(shot.pixel(cell.topLeft() + QPoint(3, 3)));
        };
        QCOMPARE(colourAt(NumberCol, 5), QColor(51, 102, 204));
        QCOMPARE(colourAt(NumberCol, 6), QColor(192, 192, 192));
        QCOMPARE(colourAt(RxFreqCol, 5), QColor(227, 227, 227));
        QCOMPARE(colourAt(RxFreqCol, 7), QColor(Qt::white));
        QCOMPARE(grid()->editController().currentRow(), 2); // the current cell stays
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit().selection().size(), 199);

        // Arrows, Page Down, Ctrl+End and Home move the cell; digits start a value; Delete
        // empties the channel.
        key(Qt::Key_Down);
        QCOMPARE(grid()->currentChannel(), 3);
        key(Qt::Key_PageDown);
        QVERIFY(grid()->currentChannel() > 3);
        key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid()->currentChannel(), 199);
        key(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid()->currentChannel(), 1);
        key(Qt::Key_4);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()->frequencyEditor()));
        key(Qt::Key_3);
        key(Qt::Key_0);
        key(Qt::Key_Return);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("430.00000"));
        key(Qt::Key_Delete);
        QVERIFY(table().isEmptyChannel(1));
        settle();
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo delete channel"));

        clickCell(RxToneCol, 9); // a plain click on a cell ends the selection
        QVERIFY(edit().selection().isEmpty());
    }

    void selectedChannelsMoveByDraggingTheirNumbers() {
        for (int row = 1; row <= 4; ++row)
            fill(row, QByteArray::number(400 + row).append(".00000").constData());
        clickCell(NumberCol, 1);
        clickCell(NumberCol, 2, Qt::ShiftModifier);
        const QPoint from = numberPoint(1);
        QTest::mousePress(main().windowHandle(), Qt::LeftButton, {}, from);
        QTest::mouseMove(main().windowHandle(), numberPoint(2));
        QTest::mouseMove(main().windowHandle(), numberPoint(3));
        QTest::mouseRelease(main().windowHandle(), Qt::LeftButton, {}, numberPoint(3));
        settle();
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("403.00000"));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("401.00000"));
        QCOMPARE(table().text(RxFreqCol, 4), QStringLiteral("402.00000"));
        QCOMPARE(edit().selection().rows(), (QList<int>{3, 4}));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo move channels"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("401.00000"));
        // The highlight follows the channels back and forth.
        QCOMPARE(edit().selection().rows(), (QList<int>{1, 2}));
        key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(edit().selection().rows(), (QList<int>{3, 4}));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit().selection().rows(), (QList<int>{1, 2}));
        // A click on a selected number without a drag selects that one alone.
        clickCell(NumberCol, 1);
        clickCell(NumberCol, 3, Qt::ShiftModifier);
        clickCell(NumberCol, 2);
        QCOMPARE(edit().selection().rows(), QList<int>{2});
        QCOMPARE(table().text(RxFreqCol, 2), QStringLiteral("402.00000"));
    }

    void copyAndPasteGoThroughTheClipboard() {
        fill(1, "401.00000");
        fill(2, "402.00000");
        table().setText(TxToneCol, 2, QStringLiteral("D023N"));
        clickCell(NumberCol, 1);
        clickCell(NumberCol, 2, Qt::ShiftModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().count('\n'), 2);
        QVERIFY(QApplication::clipboard()->text().startsWith("401.00000\tOFF\t401.00000\tOFF\t"));

        clickCell(RxFreqCol, 10);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(table().row(10), table().row(1));
        QCOMPARE(table().row(11), table().row(2));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo paste"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(10) && table().isEmptyChannel(11));

        // A spreadsheet's text, one bad line: nothing changes and the message names it.
        QApplication::clipboard()->setText("438.5\t67\n439\tD999N\n");
        key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(10));
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_[0].contains("line 2") && errors_[0].contains("QT/DQT") &&
                errors_[0].contains("D999N"));

        // Past channel 199: refused.
        QApplication::clipboard()->setText("438.5\n439\n");
        clickCell(RxFreqCol, 199);
        key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(199));
        QCOMPARE(errors_.size(), 2);
        QVERIFY(errors_[1].contains("199"));

        // Cut without a selection takes the current channel.
        clickCell(RxFreqCol, 2);
        key(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(2));
        QVERIFY(QApplication::clipboard()->text().startsWith("402.00000\t"));
    }

    void pasteTakesOnlyWhatACellCanHold() {
        // Tones no picker offers: the whole paste is refused, naming the line and field.
        clickCell(RxFreqCol, 10);
        for (const char *tone : {"300", "999.9", "05", "00"}) {
            QApplication::clipboard()->setText(QStringLiteral("438.5\t67\n439\t%1\n").arg(tone));
            key(Qt::Key_V, Qt::ControlModifier);
            QVERIFY(table().isEmptyChannel(10) && table().isEmptyChannel(11));
            QVERIFY2(errors_.last().contains("line 2") && errors_.last().contains("QT/DQT") &&
                         errors_.last().contains(QString::fromLatin1(tone)),
                     qPrintable(errors_.last()));
        }
        QCOMPARE(errors_.size(), 4);

        // More than 1 MiB of text is refused at once, with a message.
        QString huge = QStringLiteral("438.5\n");
        huge = huge.repeated((1 << 20) / huge.size() + 1);
        QApplication::clipboard()->setText(huge);
        QElapsedTimer clock;
        clock.start();
        key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(table().isEmptyChannel(10));
        QCOMPARE(errors_.size(), 5);
        QVERIFY2(errors_.last().contains("larger than 1 MiB"), qPrintable(errors_.last()));
        QCOMPARE(QApplication::focusWidget()->window(), &main());
    }

    void insertAndDeleteShiftTheChannels() {
        fill(1, "401.00000");
        fill(2, "402.00000");
        fill(3, "403.00000");
        clickCell(RxToneCol, 2);
        key(Qt::Key_Insert);
        QVERIFY(table().isEmptyChannel(2));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("402.00000"));
        QCOMPARE(table().text(RxFreqCol, 4), QStringLiteral("403.00000"));
        clickCell(NumberCol, 1);
        clickCell(NumberCol, 2, Qt::ShiftModifier);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("402.00000"));
        QCOMPARE(table().text(RxFreqCol, 2), QStringLiteral("403.00000"));
        QVERIFY(table().isEmptyChannel(3));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("401.00000"));

        fill(199, "499.00000");
        key(Qt::Key_Insert);
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(table().text(RxFreqCol, 199), QStringLiteral("499.00000"));
    }

    void sortFromTheMenuAndFindFromTheBar() {
        fill(1, "439.00000");
        fill(2, "438.50000");
        table().setText(TxToneCol, 2, QStringLiteral("D023N"));
        edit().action(EditCommand::Sort)->trigger();
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("438.50000"));

        key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(edit().findBar()->isVisible());
        QCOMPARE(focused(), static_cast<QWidget *>(edit().findBar()->field()));
        QTest::keyClicks(focused(), QStringLiteral("439"));
        key(Qt::Key_Return);
        QCOMPARE(grid()->currentChannel(), 2);
        QCOMPARE(grid()->currentColumn(), int(RxFreqCol));
        key(Qt::Key_F3);
        QCOMPARE(grid()->currentColumn(), int(TxFreqCol));
        QCOMPARE(focused(), static_cast<QWidget *>(edit().findBar()->field()));
        edit().findBar()->field()->clear();
        QTest::keyClicks(focused(), QStringLiteral("d023"));
        key(Qt::Key_Return);
        QCOMPARE(grid()->currentChannel(), 1);
        QCOMPARE(grid()->currentColumn(), int(TxToneCol));
        QTest::keyClicks(focused(), QStringLiteral("x"));
        key(Qt::Key_F3);
        QCOMPARE(edit().findBar()->status()->text(), QStringLiteral("Not found"));
        key(Qt::Key_Escape);
        QVERIFY(!edit().findBar()->isVisible());
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
    }

    void bulkEditsFromTheContextMenuAreOneStepEach() {
        fill(1, "401.00000");
        fill(3, "403.00000");
        clickCell(NumberCol, 1);
        clickCell(NumberCol, 3, Qt::ShiftModifier);
        clickCell(PowerCol, 2, {}, Qt::RightButton);
        QMenu *menu = edit().contextMenu();
        QVERIFY(menu && menu->isVisible());
        QAction *low = findItem(menu, {"Edit selected channels", "Power", "Low"});
        QVERIFY(low);
        low->trigger();
        QCOMPARE(table().text(PowerCol, 1), QStringLiteral("Low"));
        QCOMPARE(table().text(PowerCol, 3), QStringLiteral("Low"));
        QCOMPARE(table().row(2), ChannelRow{}); // empty channels are left alone
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo bulk edit"));

        edit().chooseTone = [](const QString &, const QString &, const QStringList &tones) {
            return std::optional<QString>(tones.at(3));
        };
        findItem(menu, {"Edit selected channels", "Receive and transmit tone..."})->trigger();
        QCOMPARE(table().text(RxToneCol, 3), QStringLiteral("71.9"));
        QCOMPARE(table().text(TxToneCol, 1), QStringLiteral("71.9"));

        edit().askOffset = [](const QString &, const QString &) {
            return std::optional<QString>("147.5");
        };
        findItem(menu, {"Edit selected channels", "Shift frequencies..."})->trigger();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_[0].contains("003")); // 403 + 147.5 leaves the band, 401 would not
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("401.00000"));

        // The menu takes the keys until Escape closes it; then the grid has them again.
        QCOMPARE(keyTarget(), static_cast<QWidget *>(menu));
        key(Qt::Key_Escape);
        QVERIFY(!edit().contextMenu());
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(PowerCol, 3), QStringLiteral("High"));
        QCOMPARE(table().text(TxToneCol, 1), QStringLiteral("OFF"));
    }

    void aChosenToneIsOneStepOnceThePickerIsLeft() {
        fill(4, "438.50000");
        clickCell(RxToneCol, 4);
        QComboBox *picker = grid()->tonePicker();
        QVERIFY(picker->isVisible());
        // A click on the picker would open its list, which takes the window's activation on
        // the offscreen platform and so closes the picker again; the focus a click gives is
        // given directly, and the arrow keys choose as they do on the closed picker.
        picker->setFocus(Qt::MouseFocusReason);
        key(Qt::Key_Down);
        QCOMPARE(table().text(RxToneCol, 4), QStringLiteral("67.0"));
        QCOMPARE(focused(), static_cast<QWidget *>(picker));
        key(Qt::Key_Down);
        QCOMPARE(table().text(RxToneCol, 4), QStringLiteral("69.3"));
        const int steps = edit().history().undoCount();
        clickCell(TxToneCol, 8); // leaves the picker
        QCOMPARE(edit().history().undoCount(), steps + 1);
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo tone choice"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxToneCol, 4), QStringLiteral("OFF"));
    }

    void aHeldAutomaticFillingIsOneStep() {
        fill(5, "438.50000");
        clickCell(RxFreqCol, 5);
        main().channelOperations().setAutoFillIntervals(5, 5);
        QPushButton *autoFill = main().channelButton(ChannelButton::AutoFill);
        const QPoint at = autoFill->mapTo(&main(), autoFill->rect().center());
        const int steps = edit().history().undoCount();
        QTest::mousePress(main().windowHandle(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!table().isEmptyChannel(9));
        QTest::mouseRelease(main().windowHandle(), Qt::LeftButton, {}, at);
        settle();
        QCOMPARE(edit().history().undoCount(), steps + 1);
        QCOMPARE(edit().action(EditCommand::Undo)->text(),
                 QStringLiteral("Undo automatic filling"));
        clickCell(RxFreqCol, 1);
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(table().isEmptyChannel(6));
        QVERIFY(table().isEmptyChannel(9));
        QCOMPARE(table().text(RxFreqCol, 5), QStringLiteral("438.50000"));
    }

    void undoOfAnOpenedFileBringsThePlanBefore() {
        fill(7, "407.00000");
        main().settings().setIndex(Option::Squelch, 8);
        main().action(MainAction::Open)->trigger();
        QVERIFY(errors_.isEmpty());
        QVERIFY(table().text(RxFreqCol, 7) != QStringLiteral("407.00000"));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo open file"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 7), QStringLiteral("407.00000"));
        QCOMPARE(main().settings().index(Option::Squelch), 8);
        key(Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(table().text(RxFreqCol, 7) != QStringLiteral("407.00000"));
    }

    void undoOfANewPlanBringsTheOptionsBack() {
        fill(7, "407.00000");
        main().settings().setIndex(Option::Squelch, 8);
        main().requestNewPlan();
        clickWidget(windows_->warning.okButton());
        QVERIFY(table().isEmptyChannel(7));
        QVERIFY(main().settings().index(Option::Squelch) != 8);
        // Back in the main window, a click on the grid gives it the keys (a tone cell of an
        // empty channel opens no editor).
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        clickCell(RxToneCol, 1);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(main().settings().index(Option::Squelch), 8);
        QCOMPARE(table().text(RxFreqCol, 7), QStringLiteral("407.00000"));
    }

private:
    MainWindow &main() { return windows_->main; }
    EditActions &edit() { return main().editActions(); }
    ChannelGrid *grid() { return main().grid(); }
    ChannelTable &table() { return main().table(); }
    static QWidget *focused() { return QApplication::focusWidget(); }

    // Where the keyboard's events go: an open popup menu, else the focused widget.
    static QWidget *keyTarget() {
        QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup : focused();
    }
    // Press and release each go where the keyboard's would at that moment (a digit typed on
    // the grid moves the focus into the editor before its release), and the event loop runs
    // between keys as it does for a typing user.
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(keyTarget());
        QTest::keyPress(keyTarget(), k, modifiers);
        QVERIFY(keyTarget());
        QTest::keyRelease(keyTarget(), k, modifiers);
        settle();
    }
    // Lets the deferred recording of cell edits run.
    static void settle() { QCoreApplication::processEvents(); }

    // A click at the centre of a cell, delivered to the window so that Qt picks the widget.
    void clickCell(int col, int row, Qt::KeyboardModifiers modifiers = {},
                   Qt::MouseButton button = Qt::LeftButton) {
        grid()->scrollTo(grid()->model()->index(row - 1, col));
        const QRect rect = grid()->visualRect(grid()->model()->index(row - 1, col));
        const QPoint at = grid()->viewport()->mapTo(&main(), rect.center());
        QTest::mouseClick(main().windowHandle(), button, modifiers, at);
        settle();
    }
    static void clickWidget(QWidget *widget) {
        QWidget *window = widget->window();
        const QPoint at = widget->mapTo(window, widget->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        settle();
    }
    QPoint numberPoint(int row) {
        const QRect rect = grid()->visualRect(grid()->model()->index(row - 1, NumberCol));
        return grid()->viewport()->mapTo(&main(), rect.center());
    }
    void fill(int row, const char *freq) {
        const UiTexts &t = main().texts();
        table().setRow(
            row, {freq, t.offText, freq, t.offText, t.highText, t.wideText, t.onText, t.offText});
        settle();
    }
    // The item reached by following captions through submenus.
    static QAction *findItem(QMenu *menu, const QStringList &path) {
        QAction *found = nullptr;
        for (const QString &caption : path) {
            found = nullptr;
            for (QAction *item : menu ? menu->actions() : QList<QAction *>()) {
                // Access keys are marked in the captions as a menu opens.
                if (QString(item->text()).remove(QLatin1Char('&')) == caption)
                    found = item;
            }
            if (!found)
                return nullptr;
            menu = found->menu();
        }
        return found;
    }

    std::unique_ptr<AppWindows> windows_;
    QStringList errors_;
};

QTEST_MAIN(EditingTest)
#include "editing.moc"
