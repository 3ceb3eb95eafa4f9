// Editing channels in the grid through the floating editors, and the channel buttons.
#include "channels/channel_operations.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "shell/app_windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vrx;

class CellEditingTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        AppEnvironment env;
        env.reportError = [this](const QString &m) { errors_ << m; };
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        grid()->setFocus();
        errors_.clear();
    }
    void cleanup() { windows_.reset(); }

    void typedFrequencyIsNormalisedAndCompleted() {
        click(RxFreqCol, 3);
        QVERIFY(editor()->isVisible());
        QVERIFY(editor()->text().isEmpty());
        QVERIFY(grid()->hasFocus()); // opening the editor leaves the focus on the grid

        QTest::keyClick(grid(), Qt::Key_4); // the first digit moves into the editor
        QVERIFY(editor()->hasFocus());
        QTest::keyClicks(editor(), QStringLiteral("00"));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("400")); // shown while typing
        QTest::keyClick(editor(), Qt::Key_Return);

        const UiTexts &t = main().texts();
        QCOMPARE(table().row(3), (ChannelRow{"400.00000", t.offText, "400.00000", t.offText,
                                             t.highText, t.wideText, t.onText, t.offText}));
        QVERIFY(editor()->isVisible());
        QCOMPARE(editor()->text(), QStringLiteral("400.00000"));
        QCOMPARE(editor()->pos(), grid()->cellRect(RxFreqCol, 3).topLeft() + QPoint(2, 2));
        QVERIFY(grid()->hasFocus());
    }

    void editorRefusesWhatIsNoFrequency() {
        click(RxFreqCol, 1);
        QTest::keyClick(grid(), Qt::Key_1);
        QTest::keyClicks(editor(), QStringLiteral(".a-4x3.5.06789"));
        // "." only after three characters and only once; letters never; at most 9 characters.
        QCOMPARE(editor()->text(), QStringLiteral("143.50678"));
    }

    // What a click on each column opens, on an empty and on a complete channel.
    void clickOpensTheColumnsEditor_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("opens");
        const QString none, edit = "editor", pick = "picker";
        const QStringList onEmpty = {edit, none, none, none, none, none, none, none};
        const QStringList onComplete = {edit, pick, edit, pick, none, none, none, none};
        for (int col = RxFreqCol; col <= BusyLockCol; ++col) {
            QTest::addRow("empty, column %d", col) << col << false << onEmpty[col - 1];
            QTest::addRow("complete, column %d", col) << col << true << onComplete[col - 1];
        }
    }
    void clickOpensTheColumnsEditor() {
        QFETCH(int, col);
        QFETCH(bool, complete);
        QFETCH(QString, opens);
        const int row = 12;
        if (complete)
            fillChannel(row, QStringLiteral("438.50000"));
        click(col, row);
        QCOMPARE(editor()->isVisible(), opens == "editor");
        QCOMPARE(picker()->isVisible(), opens == "picker");
        const QRect cell = grid()->cellRect(col, row);
        if (opens == "editor") {
            QCOMPARE(editor()->geometry(), QRect(cell.topLeft() + QPoint(2, 2), QSize(66, 18)));
            QCOMPARE(editor()->text(), table().text(col, row));
        }
        if (opens == "picker") {
            QCOMPARE(picker()->geometry(), QRect(cell.topLeft() + QPoint(1, 0), QSize(73, 21)));
            QCOMPARE(picker()->count(), 265);
            QCOMPARE(picker()->currentText(), table().text(col, row));
        }
    }

    void powerTogglesOnClicksNotOnArrows() {
        const UiTexts &t = main().texts();
        fillChannel(4, QStringLiteral("438.50000"));
        click(PowerCol, 4);
        QCOMPARE(table().text(PowerCol, 4), t.lowText);
        click(PowerCol, 4); // the cell already current switches again
        QCOMPARE(table().text(PowerCol, 4), t.highText);

        click(TxToneCol, 4);
        QTest::keyClick(grid(), Qt::Key_Right);
        QCOMPARE(grid()->currentColumn(), int(PowerCol));
        QCOMPARE(table().text(PowerCol, 4), t.highText);
        // Page keys carry no such protection: moving onto the cell switches it.
        click(PowerCol, 3);
        QTest::keyClick(grid(), Qt::Key_PageDown);
        QVERIFY(grid()->currentChannel() > 4);
    }

    void doubleClickSwitchesOnce() {
        const UiTexts &t = main().texts();
        fillChannel(4, QStringLiteral("438.50000"));
        // What a double click delivers: press, release, then the second press as a double
        // click event and its release.
        const QPoint at = centreOf(ScanCol, 4);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
        // The first click's release switched it; the second press of the double click did not.
        QCOMPARE(table().text(ScanCol, 4), t.offText);
    }

    void scrollingHidesTheEditorAndKeepsTheText() {
        click(RxFreqCol, 1);
        QTest::keyClick(grid(), Qt::Key_4);
        QTest::keyClick(editor(), Qt::Key_3);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("43"));
        grid()->verticalScrollBar()->setValue(30);
        QVERIFY(!editor()->isVisible());
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("43"));
    }

    void wheelMovesTheCurrentRow() {
        click(RxFreqCol, 8);
        QWheelEvent down(centreOf(RxFreqCol, 8), grid()->viewport()->mapToGlobal(QPointF()), {},
                         {0, -240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &down);
        QCOMPARE(grid()->currentChannel(), 10);
        QCOMPARE(grid()->editController().currentRow(), 10);
        QVERIFY(editor()->isVisible()); // activated like a click
    }

    void choosingAToneWritesTheCellAtOnce() {
        fillChannel(6, QStringLiteral("438.50000"));
        click(RxToneCol, 6);
        QVERIFY(picker()->isVisible());
        picker()->setFocus();
        QTest::keyClick(picker(), Qt::Key_Down);
        QTest::keyClick(picker(), Qt::Key_Down);
        QCOMPARE(table().text(RxToneCol, 6), QStringLiteral("69.3"));
        QVERIFY(picker()->isVisible());
        // A character key closes the picker without choosing by first letter.
        QTest::keyClick(picker(), Qt::Key_D);
        QVERIFY(!picker()->isVisible());
        QVERIFY(grid()->hasFocus());
        QCOMPARE(table().text(RxToneCol, 6), QStringLiteral("69.3"));
    }

    void toneOffTheListIsKeptUntilAnotherIsChosen() {
        fillChannel(6, QStringLiteral("438.50000"));
        click(RxToneCol, 6);
        picker()->setFocus();
        QTest::keyClick(picker(), Qt::Key_Down); // the picker now stands on 67.0
        table().setText(TxToneCol, 6, QStringLiteral("88.4"));

        click(TxToneCol, 6);
        QVERIFY(picker()->isVisible());
        QCOMPARE(picker()->currentIndex(), -1);
        QVERIFY(picker()->currentText().isEmpty());
        picker()->setFocus();
        click(RxFreqCol, 1); // leaving the picker
        QVERIFY(!picker()->isVisible());
        QCOMPARE(table().text(TxToneCol, 6), QStringLiteral("88.4"));

        click(TxToneCol, 6);
        picker()->setFocus();
        QTest::keyClick(picker(), Qt::Key_Down); // from no selection onto the first item
        QTest::keyClick(picker(), Qt::Key_Down);
        QCOMPARE(table().text(TxToneCol, 6), QStringLiteral("67.0"));
    }

    void deleteKeyEmptiesTheCurrentChannel() {
        fillChannel(9, QStringLiteral("438.50000"));
        click(PowerCol, 9);
        QTest::keyClick(grid(), Qt::Key_Delete);
        QCOMPARE(table().row(9), ChannelRow{});
        QCOMPARE(grid()->currentChannel(), 9);
        QVERIFY(!editor()->isVisible());
    }

    void channelButtonsActOnTheCurrentChannel() {
        fillChannel(10, QStringLiteral("430.00000"));
        click(RxFreqCol, 10);
        QTest::mouseClick(main().channelButton(ChannelButton::MoveDown), Qt::LeftButton);
        QCOMPARE(table().text(RxFreqCol, 11), QStringLiteral("430.00000"));
        QVERIFY(table().text(RxFreqCol, 10).isEmpty());
        QCOMPARE(grid()->currentChannel(), 11);
        QCOMPARE(editor()->text(), QStringLiteral("430.00000"));

        QTest::mouseClick(main().channelButton(ChannelButton::MoveUp), Qt::LeftButton);
        QCOMPARE(table().text(RxFreqCol, 10), QStringLiteral("430.00000"));
        QCOMPARE(grid()->currentChannel(), 10);

        QTest::mouseClick(main().channelButton(ChannelButton::Delete), Qt::LeftButton);
        QVERIFY(table().text(RxFreqCol, 10).isEmpty());
        QVERIFY(!editor()->isVisible());
    }

    void holdingAutoFillFillsConsecutiveChannels() {
        main().settings().setIndex(Option::FreqStep, 3); // 12.5 kHz
        fillChannel(5, QStringLiteral("438.50000"));
        click(RxFreqCol, 5);
        // The press-and-hold rhythm at a fiftieth of its real pace.
        main().channelOperations().setAutoFillIntervals(20, 5);
        QPushButton *autoFill = main().channelButton(ChannelButton::AutoFill);
        QTest::mousePress(autoFill, Qt::LeftButton);
        QCOMPARE(table().text(RxFreqCol, 6), QStringLiteral("438.51250"));
        QTRY_COMPARE_WITH_TIMEOUT(table().text(RxFreqCol, 8), QStringLiteral("438.53750"), 3000);
        QTest::mouseRelease(autoFill, Qt::LeftButton);
        QVERIFY(!main().channelOperations().autoFillArmed());
        const QString last = table().text(RxFreqCol, grid()->currentChannel());
        // Ten repeat intervals later nothing more has been filled.
        QTest::qWait(50);
        QCOMPARE(table().text(RxFreqCol, grid()->currentChannel()), last);
        QCOMPARE(table().text(RxFreqCol, 7), QStringLiteral("438.52500"));
        QCOMPARE(table().text(TxFreqCol, 7), QStringLiteral("438.52500"));
        QCOMPARE(table().text(PowerCol, 7), main().texts().highText);
    }

    void badFrequencyFromAFileIsReported() {
        table().setText(RxFreqCol, 2, QStringLiteral("4x0"));
        table().setText(TxFreqCol, 2, QStringLiteral("4x0"));
        click(TxFreqCol, 2);
        QVERIFY(errors_.isEmpty());
        click(RxFreqCol, 4); // leaving the cell commits it
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QStringLiteral("4x0")));
        QCOMPARE(table().text(TxFreqCol, 2), QStringLiteral("4x0"));
    }

    void confirmedClearHidesTheEditors() {
        fillChannel(1, QStringLiteral("438.50000"));
        click(RxToneCol, 1);
        QVERIFY(picker()->isVisible());
        main().requestClearChannels();
        QTest::mouseClick(windows_->warning.okButton(), Qt::LeftButton);
        QVERIFY(!picker()->isVisible());
        QVERIFY(!editor()->isVisible());
        QCOMPARE(table().row(1), ChannelRow{});
        QCOMPARE(grid()->currentColumn(), int(RxFreqCol));
        QCOMPARE(grid()->currentChannel(), 1);
    }

private:
    MainWindow &main() { return windows_->main; }
    ChannelTable &table() { return main().table(); }
    ChannelGrid *grid() { return main().grid(); }
    QLineEdit *editor() { return grid()->frequencyEditor(); }
    QComboBox *picker() { return grid()->tonePicker(); }

    QPoint centreOf(int col, int row) {
        grid()->scrollTo(grid()->channelModel()->indexOf(col, row));
        return grid()->visualRect(grid()->channelModel()->indexOf(col, row)).center();
    }
    void click(int col, int row) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centreOf(col, row));
    }
    void fillChannel(int row, const QString &frequency) {
        table().setText(RxFreqCol, row, frequency);
        table().fillDefaults(row, main().texts());
    }

    std::unique_ptr<AppWindows> windows_;
    QStringList errors_;
};

QTEST_MAIN(CellEditingTest)
#include "cell_editing.moc"
