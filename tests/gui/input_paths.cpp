// The paths by which real input reaches the grid and its floating editors: keys go to
// whatever QApplication::focusWidget() is, mouse and wheel events go through the window
// at the pointer so that Qt picks the receiver, and the focus is checked after each step.
#include "channels/channel_operations.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "i18n/language_pack.h"
#include "shell/app_windows.h"
#include "shell/window_texts.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

class InputPathsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        windows_ = std::make_unique<AppWindows>();
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }
    void cleanup() { windows_.reset(); }

    // 433, a move out of the editor, 434, Enter: both channels hold what was typed, and
    // the keys after the move reach the grid.
    void typingGoesOnAfterAMoveOutOfTheEditor_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key"); // 0: one wheel notch down
        QTest::newRow("Down") << 2 << int(Qt::Key_Down);
        QTest::newRow("Up") << 3 << int(Qt::Key_Up);
        QTest::newRow("PageDown") << 2 << int(Qt::Key_PageDown);
        QTest::newRow("PageUp") << 40 << int(Qt::Key_PageUp);
        QTest::newRow("wheel") << 2 << 0;
    }
    void typingGoesOnAfterAMoveOutOfTheEditor() {
        QFETCH(int, start);
        QFETCH(int, key);
        clickCell(RxFreqCol, start);
        QCOMPARE(focus(), grid());
        type("433");
        QCOMPARE(focus(), editor());
        if (key == 0)
            wheelAt(editor(), editor()->rect().center(), -120);
        else
            press(Qt::Key(key));
        QCOMPARE(focus(), grid());
        const int target = grid()->currentChannel();
        QVERIFY(target != start);
        QVERIFY(editor()->isVisible());
        type("434");
        QCOMPARE(focus(), editor());
        press(Qt::Key_Return);
        QCOMPARE(focus(), grid());
        QCOMPARE(table().text(RxFreqCol, start), QStringLiteral("433.00000"));
        QCOMPARE(table().text(RxFreqCol, target), QStringLiteral("434.00000"));
        QCOMPARE(table().text(TxFreqCol, target), QStringLiteral("434.00000"));
    }

    void wheelOverTheTonePickerMovesTheRow() {
        fillChannel(5);
        fillChannel(6);
        clickCell(RxToneCol, 5);
        QVERIFY(picker()->isVisible());
        const QString tone = table().text(RxToneCol, 5);
        wheelAt(picker(), picker()->rect().center(), -120);
        QCOMPARE(grid()->currentChannel(), 6);
        QCOMPARE(table().text(RxToneCol, 5), tone);
        QCOMPARE(table().text(RxToneCol, 6), tone);
        QVERIFY(picker()->isVisible()); // now over channel 6
        QCOMPARE(focus(), grid());

        // The same with the picker holding the focus (its list opened and closed again).
        clickAt(picker(), picker()->rect().center());
        press(Qt::Key_Escape);
        QCOMPARE(focus(), picker());
        wheelAt(picker(), picker()->rect().center(), 120);
        QCOMPARE(grid()->currentChannel(), 5);
        QCOMPARE(table().text(RxToneCol, 6), tone);
        QCOMPARE(table().text(RxToneCol, 5), tone);
    }

    void firstClickOpensTheListFifteenItemsHigh() {
        fillChannel(6);
        clickCell(RxToneCol, 6);
        QVERIFY(picker()->isVisible());
        clickAt(picker(), picker()->rect().center());
        QTRY_VERIFY(picker()->view()->isVisible());
        QAbstractItemView *list = picker()->view();
        // Items 0 to 14 fill the list from its top to its bottom, the first one current.
        const int height = list->viewport()->height();
        QCOMPARE(list->indexAt(QPoint(1, 1)).row(), 0);
        QCOMPARE(list->indexAt(QPoint(1, height - 1)).row(), 14);
        QCOMPARE(list->visualRect(list->model()->index(14, 0)).bottom(), height - 1);

        QCOMPARE(table().text(RxToneCol, 6), main().texts().offText);
        press(Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QVERIFY(picker()->isVisible());
        QCOMPARE(focus(), picker());
        // Alt+Down in the picker opens its list too; it moves no channel.
        press(Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->isVisible());
        press(Qt::Key_Escape);
        QCOMPARE(table().text(RxFreqCol, 6), QStringLiteral("438.50000"));
        QVERIFY(table().isEmptyChannel(7));
    }

    void leftAndRightInThePickerChangeTheTone() {
        fillChannel(6);
        clickCell(RxToneCol, 6);
        clickAt(picker(), picker()->rect().center());
        press(Qt::Key_Escape);
        QCOMPARE(focus(), picker());
        press(Qt::Key_Right);
        press(Qt::Key_Right);
        QCOMPARE(table().text(RxToneCol, 6), QStringLiteral("69.3"));
        press(Qt::Key_Left);
        QCOMPARE(table().text(RxToneCol, 6), QStringLiteral("67.0"));
        QCOMPARE(grid()->currentColumn(), int(RxToneCol));
        QCOMPARE(focus(), picker());
    }

    // What an input method commits and what is pasted passes the same filter as typed keys;
    // full-width digits and the ideographic full stop count as their ASCII forms.
    void inputMethodAndPasteAreFiltered_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("kept");
        QTest::newRow("ideographic stop") << QStringLiteral("438。5") << false << "438.5";
        QTest::newRow("full-width digits") << QStringLiteral("４３８．１") << false << "438.1";
        QTest::newRow("letters") << QStringLiteral("abc") << false << "";
        QTest::newRow("early stop") << QStringLiteral("4.38") << false << "438";
        QTest::newRow("too long") << QStringLiteral("4381234567") << false << "438123456";
        QTest::newRow("Shift+Insert") << QStringLiteral("4x3,5") << true << "435";
        QTest::newRow("Ctrl+V full-width") << QStringLiteral("４３８。５。") << true << "438.5";
    }
    void inputMethodAndPasteAreFiltered() {
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, kept);
        clickCell(RxFreqCol, 2);
        press(Qt::Key_Return); // into the editor, which is empty
        QCOMPARE(focus(), editor());
        if (paste) {
            QGuiApplication::clipboard()->setText(input);
            if (QString::fromLatin1(QTest::currentDataTag()).startsWith("Ctrl"))
                press(Qt::Key_V, Qt::ControlModifier);
            else
                press(Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            commitText(input);
        }
        QCOMPARE(editor()->text(), kept);
        QCOMPARE(table().text(RxFreqCol, 2), kept);
        QCOMPARE(focus(), editor());
    }

    // An input method committing into the grid: the first digit opens the editor as a
    // typed one does, the rest follows it.
    void inputMethodInTheGridStartsANewValue() {
        fillChannel(3);
        clickCell(RxFreqCol, 3);
        QCOMPARE(focus(), grid());
        commitText(QStringLiteral("４４６"));
        QCOMPARE(focus(), editor());
        QCOMPARE(editor()->text(), QStringLiteral("446"));
        press(Qt::Key_Return);
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("446.00000"));
    }

    void autoFillRunsFromPressToReleaseWithAnyButton() {
        main().settings().setIndex(Option::FreqStep, 5); // 25 kHz
        fillChannel(5);
        clickCell(RxFreqCol, 5);
        main().channelOperations().setAutoFillIntervals(40, 10);
        QPushButton *button = main().channelButton(ChannelButton::AutoFill);
        QWindow *window = main().windowHandle();
        const QPoint on = button->mapTo(&main(), button->rect().center());
        const QPoint off = grid()->mapTo(&main(), grid()->rect().center());

        QTest::mousePress(window, Qt::RightButton, {}, on);
        QVERIFY(main().channelOperations().autoFillArmed());
        QCOMPARE(table().text(RxFreqCol, 6), QStringLiteral("438.52500"));
        QTest::mouseMove(window, off);
        QVERIFY(main().channelOperations().autoFillArmed());
        QTest::mouseMove(window, on);
        // Sliding back starts nothing new: still one channel until the first tick.
        QVERIFY(table().text(RxFreqCol, 7).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(table().text(RxFreqCol, 8), QStringLiteral("438.57500"), 3000);
        QTest::mouseMove(window, off);
        QTest::mouseRelease(window, Qt::RightButton, {}, off);
        QVERIFY(!main().channelOperations().autoFillArmed());
        const int last = grid()->currentChannel();
        QTest::qWait(60);
        QCOMPARE(grid()->currentChannel(), last);
        QVERIFY(table().isEmptyChannel(last + 1));
    }

    void startsOnTheFirstCellReadyToType() {
        QCOMPARE(focus(), grid());
        QCOMPARE(grid()->currentColumn(), int(RxFreqCol));
        QCOMPARE(grid()->currentChannel(), 1);
        QVERIFY(editor()->isVisible());
        type("446");
        press(Qt::Key_Return);
        QCOMPARE(table().text(RxFreqCol, 1), QStringLiteral("446.00000"));
        QCOMPARE(focus(), grid());
    }

    void altUpAndAltDownMoveTheChannel() {
        fillChannel(10);
        clickCell(RxFreqCol, 10);
        press(Qt::Key_Down, Qt::AltModifier);
        QVERIFY(table().isEmptyChannel(10));
        QCOMPARE(table().text(RxFreqCol, 11), QStringLiteral("438.50000"));
        QCOMPARE(grid()->currentChannel(), 11);
        QCOMPARE(focus(), grid());
        type("400"); // typing goes on where the channel went
        QCOMPARE(focus(), editor());
        press(Qt::Key_Up, Qt::AltModifier); // also from inside the editor
        QVERIFY(table().isEmptyChannel(11));
        QCOMPARE(table().text(RxFreqCol, 10), QStringLiteral("400.00000"));
        QCOMPARE(table().text(TxFreqCol, 10), QStringLiteral("438.50000"));

        // The tool tips name the keys, also after a language pack renamed the buttons.
        const QString altUp = QKeySequence(Qt::ALT | Qt::Key_Up).toString(QKeySequence::NativeText);
        const QString altDown =
            QKeySequence(Qt::ALT | Qt::Key_Down).toString(QKeySequence::NativeText);
        QPushButton *up = main().channelButton(ChannelButton::MoveUp);
        QPushButton *down = main().channelButton(ChannelButton::MoveDown);
        QCOMPARE(up->toolTip(), QStringLiteral("信道上移 (%1)").arg(altUp));
        QCOMPARE(down->toolTip(), QStringLiteral("信道下移 (%1)").arg(altDown));
        applyPackToWindows(LanguagePack::fromUtf8("43=Move Up\n44=Move Down\n"), main());
        QCOMPARE(up->toolTip(), QStringLiteral("Move Up (%1)").arg(altUp));
        QCOMPARE(down->toolTip(), QStringLiteral("Move Down (%1)").arg(altDown));
        QCOMPARE(up->text(), QStringLiteral("Move Up"));
    }

    // On a tone cell with its picker showing, these keys open the list from the grid;
    // Alt+Down there moves no channel.
    void toneListOpensFromTheGrid_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F4") << int(Qt::Key_F4) << 0;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
    }
    void toneListOpensFromTheGrid() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        fillChannel(6);
        clickCell(TxToneCol, 6);
        QCOMPARE(focus(), grid());
        press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(picker()->view()->isVisible());
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QTRY_VERIFY(!picker()->view()->isVisible());
        QCOMPARE(table().text(TxToneCol, 6), QStringLiteral("67.0"));
        QCOMPARE(table().text(RxFreqCol, 6), QStringLiteral("438.50000"));
        QVERIFY(table().isEmptyChannel(7));
    }

    // Tab from the grid round the window: each control the focus stops at looks different
    // while it has the focus.
    void everyFocusableControlShowsItsFocus() {
        QStringList unmarked;
        QList<QWidget *> stops;
        press(Qt::Key_Tab); // out of the grid
        for (int i = 0; i < 40 && focus() != grid(); ++i) {
            QWidget *w = focus();
            QVERIFY(w);
            QVERIFY2(!stops.contains(w),
                     qPrintable(w->metaObject()->className() + QStringLiteral(" again")));
            stops << w;
            const QImage focused = w->grab().toImage();
            press(Qt::Key_Tab);
            if (w != editor() && w->grab().toImage() == focused)
                unmarked << QStringLiteral("%1 \"%2\"")
                                .arg(QString::fromLatin1(w->metaObject()->className()),
                                     w->objectName().isEmpty() ? w->toolTip() : w->objectName());
        }
        QCOMPARE(focus(), grid());
        QVERIFY(stops.size() >= 8);
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QStringLiteral(", "))));
    }

    void menuAndWindowSwitchKeepThePicker() {
        fillChannel(4);
        clickCell(TxToneCol, 4);
        QVERIFY(picker()->isVisible());

        QMenuBar *bar = main().menuBar();
        QAction *file = main().menu(MainMenu::File)->menuAction();
        clickAt(bar, bar->actionGeometry(file).center());
        QTRY_VERIFY(main().menu(MainMenu::File)->isVisible());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        if (QApplication::activePopupWidget())
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!main().menu(MainMenu::File)->isVisible());
        if (focus() == bar)
            press(Qt::Key_Escape); // the menu bar lets go of the keyboard
        QCOMPARE(focus(), grid());
        QVERIFY(picker()->isVisible());

        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QVERIFY(picker()->isVisible());
        QCOMPARE(focus(), grid());

        // Another control of the window giving the focus back to the grid still hides it.
        main().channelButton(ChannelButton::MoveUp)->parentWidget()->setFocus();
        grid()->setFocus(Qt::TabFocusReason);
        QVERIFY(!picker()->isVisible());
    }

    // The current cell wears a frame while the grid has the focus; the cell's colours stay.
    void currentCellHasAFocusFrame() {
        clickCell(PowerCol, 20); // an empty channel: no editor shows where the cell is
        QCOMPARE(focus(), grid());
        const QRect cell = grid()->visualRect(grid()->channelModel()->indexOf(PowerCol, 20));
        const QImage focused = grid()->viewport()->grab().toImage();
        QVERIFY(main().sideButton(MainAction::Read)->isEnabled());
        main().sideButton(MainAction::Read)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!grid()->hasFocus());
        const QImage unfocused = grid()->viewport()->grab().toImage();
        const qreal dpr = focused.devicePixelRatio();
        auto at = [dpr](const QImage &image, QPoint p) { return image.pixelColor(p * dpr); };
        const QPoint edge(cell.left() + 1, cell.center().y());
        QVERIFY(at(focused, edge) != at(unfocused, edge));
        QCOMPARE(at(focused, cell.center()), at(unfocused, cell.center()));
        // Another cell, the next one, has no frame.
        const QPoint next(cell.right() + 3, cell.center().y());
        QCOMPARE(at(focused, next), at(unfocused, next));
    }

private:
    MainWindow &main() { return windows_->main; }
    ChannelTable &table() { return main().table(); }
    ChannelGrid *grid() { return main().grid(); }
    QLineEdit *editor() { return grid()->frequencyEditor(); }
    QComboBox *picker() { return grid()->tonePicker(); }
    static QWidget *focus() { return QApplication::focusWidget(); }

    void fillChannel(int row) {
        table().setText(RxFreqCol, row, QStringLiteral("438.50000"));
        table().fillDefaults(row, main().texts());
    }
    // Window coordinates of point p of widget w.
    QPoint inWindow(QWidget *w, QPoint p) { return w->mapTo(&main(), p); }
    void clickAt(QWidget *w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(main().windowHandle(), button, {}, inWindow(w, p));
    }
    void clickCell(int col, int row) {
        const QModelIndex index = grid()->channelModel()->indexOf(col, row);
        grid()->scrollTo(index);
        clickAt(grid()->viewport(), grid()->visualRect(index).center());
    }
    void wheelAt(QWidget *w, QPoint p, int delta) {
        QWindow *window = main().windowHandle();
        const QPointF local = inWindow(w, p);
        QWheelEvent wheel(local, window->mapToGlobal(local), {}, {0, delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &wheel);
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(focus());
        QTest::keyClick(focus(), key, modifiers);
    }
    static void type(const char *keys) {
        for (const char *k = keys; *k; ++k) {
            QVERIFY(focus());
            QTest::keyClick(focus(), *k);
        }
    }
    static void commitText(const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QVERIFY(focus());
        QApplication::sendEvent(focus(), &event);
    }

    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(InputPathsTest)
#include "input_paths.moc"
