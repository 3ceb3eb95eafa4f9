// The window without a mouse: switching toggles with Space, selecting channels with Shift,
// the Tab order, access keys in every menu and where the focus goes when a dialog closes.
// Keys go to the focused widget, as a user's would.
#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "i18n/access_keys.h"
#include "i18n/language_switch.h"
#include "radio/simulated_link.h"
#include "radio/simulated_radio.h"
#include "shell/app_windows.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio_ = std::make_unique<SimulatedRadio>();
        link_ = std::make_unique<SimulatedLink>(*radio_);
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath(); // the staged packs
        env.reportError = [this](const QString &m) { errors_ << m; };
        env.probePort = [](const QString &, QString *) { return true; };
        env.makeLink = [this](const QString &) -> std::unique_ptr<SerialLink> {
            return std::make_unique<SimulatedLink>(*radio_);
        };
        windows_ = std::make_unique<AppWindows>(env);
        main().useLanguage(Language::English);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        errors_.clear();
    }
    void cleanup() {
        windows_.reset();
        link_.reset();
        radio_.reset();
    }

    void spaceSwitchesAPowerCellAsOneUndoStep() {
        fill(3);
        grid()->selectCell(RxFreqCol, 3);
        grid()->setFocus();
        for (int i = 0; i < PowerCol - RxFreqCol; ++i)
            key(Qt::Key_Right); // arrows arrive without switching
        QCOMPARE(grid()->currentColumn(), int(PowerCol));
        QCOMPARE(table().text(PowerCol, 3), t().highText);
        key(Qt::Key_Space);
        QCOMPARE(table().text(PowerCol, 3), t().lowText);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
        QCOMPARE(edit().action(EditCommand::Undo)->text(), QStringLiteral("Undo switch"));
        key(Qt::Key_Right);
        key(Qt::Key_Space); // bandwidth
        QCOMPARE(table().text(BandwidthCol, 3), t().narrowText);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(BandwidthCol, 3), t().wideText);
        // one step per key
        QCOMPARE(table().text(PowerCol, 3), t().lowText);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table().text(PowerCol, 3), t().highText);
    }

    void shiftKeysSelectChannelsAndEscapeEndsIt() {
        for (int row : {2, 3, 4})
            fill(row, QString::number(430 + row) + QStringLiteral(".00000"));
        grid()->selectCell(PowerCol, 2);
        grid()->setFocus();
        const QString power2 = table().text(PowerCol, 2);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(edit().selection().rows(), (QList<int>{2, 3, 4}));
        QCOMPARE(grid()->currentChannel(), 4);
        // selecting switches nothing
        QCOMPARE(table().text(PowerCol, 3), t().highText);
        QCOMPARE(table().text(PowerCol, 4), t().highText);
        QCOMPARE(table().text(PowerCol, 2), power2);
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));

        key(Qt::Key_C, Qt::ControlModifier);
        const QStringList copied =
            QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 3);
        QVERIFY(copied.first().startsWith(QStringLiteral("432.00000")));
        QVERIFY(copied.last().startsWith(QStringLiteral("434.00000")));

        key(Qt::Key_Up, Qt::ShiftModifier); // back towards the anchor
        QCOMPARE(edit().selection().rows(), (QList<int>{2, 3}));
        key(Qt::Key_Escape);
        QVERIFY(edit().selection().isEmpty());

        key(Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(edit().selection().rows(), QList<int>{3});
        key(Qt::Key_PageDown, Qt::ShiftModifier);
        const int page = grid()->currentChannel();
        QVERIFY(page > 10);
        QCOMPARE(edit().selection().size(), page - 2);

        // A select-all ends by key too, and Ctrl+Delete then takes the current one only.
        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit().selection().size(), kChannelCount);
        key(Qt::Key_Escape);
        QVERIFY(edit().selection().isEmpty());
        grid()->selectCell(RxFreqCol, 2);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(table().text(RxFreqCol, 2), QStringLiteral("433.00000"));
        QCOMPARE(table().text(RxFreqCol, 3), QStringLiteral("434.00000"));
    }

    void tabWalksTheWindowAsDrawnAndShiftTabGoesBack() {
        const QList<QWidget *> expected = {
            main().toolButton(MainAction::New),
            main().toolButton(MainAction::Open),
            main().toolButton(MainAction::Save),
            main().portRadio(1),
            main().pages()->tabBar(),
            grid(),
            main().channelButton(ChannelButton::MoveUp),
            main().channelButton(ChannelButton::MoveDown),
            main().channelButton(ChannelButton::Delete),
            main().channelButton(ChannelButton::AutoFill),
            main().channelButton(ChannelButton::Clear),
            main().sideButton(MainAction::Read),
            main().sideButton(MainAction::Write),
            main().sideButton(MainAction::Exit),
        };
        grid()->setFocus(); // the grid's editor leaves it by Tab like any control
        main().toolButton(MainAction::New)->setFocus(Qt::TabFocusReason);
        QList<QWidget *> forward{focused()};
        for (qsizetype i = 0; i < expected.size(); ++i) {
            key(Qt::Key_Tab);
            forward.append(focused());
        }
        QCOMPARE(forward.mid(0, expected.size()), expected);
        // round to the start
        QCOMPARE(forward.at(expected.size()), expected.first());

        main().sideButton(MainAction::Exit)->setFocus(Qt::TabFocusReason);
        QList<QWidget *> back{focused()};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            key(Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(focused());
        }
        QCOMPARE(back, expected);
    }

    void channelButtonsWorkFromTheKeyboard() {
        fill(1);
        grid()->selectCell(RxFreqCol, 1);
        main().channelButton(ChannelButton::MoveDown)->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        QVERIFY(table().isEmptyChannel(1));
        QVERIFY(!table().isEmptyChannel(2));
    }

    void everyMenuHasKeysOfItsOwnInBothLanguages() {
        for (Language language : {Language::Chinese, Language::English}) {
            main().useLanguage(language);
            QList<QMenu *> menus;
            for (QAction *top : main().menuBar()->actions())
                menus.append(top->menu());
            expectOwnKeys(main().menuBar()->actions(), QStringLiteral("menu bar"));
            while (!menus.isEmpty()) {
                QMenu *menu = menus.takeFirst();
                QVERIFY(menu);
                menu->popup(main().mapToGlobal(QPoint(10, 10))); // as it opens, keys are set
                QVERIFY(QTest::qWaitForWindowExposed(menu));
                expectOwnKeys(menu->actions(), menu->title());
                menu->hide();
                for (QAction *item : menu->actions()) {
                    if (item->menu())
                        menus.append(item->menu());
                }
            }
        }
        QCOMPARE(main().menu(MainMenu::Options)->title(), QStringLiteral("&Options"));
        // Alt and the key open the menu for the user.
        key(Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(),
                     static_cast<QWidget *>(main().menu(MainMenu::Options)));
        key(Qt::Key_Escape);
        main().useLanguage(Language::Chinese);
        QCOMPARE(main().menu(MainMenu::Options)->title(), QString::fromUtf8("选项(&O)"));
        // The pack's own key is kept.
        QCOMPARE(main().menu(MainMenu::Edit)->title(), QString::fromUtf8("编辑(&P)"));
    }

    void focusReturnsToTheGridWhenTheTransferWindowCloses() {
        grid()->selectCell(RxFreqCol, 7);
        grid()->setFocus();
        clickWidget(main().sideButton(MainAction::Read));
        QVERIFY(windows_->transfer.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&windows_->transfer));
        QTest::keyClick(focused(), Qt::Key_Escape);
        QTRY_VERIFY(!windows_->transfer.isVisible());
        expectFocusBackInTheGrid();
        QCOMPARE(grid()->currentChannel(), 7);

        main().toolButton(MainAction::New)->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space); // New asks first
        QTRY_VERIFY(windows_->warning.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&windows_->warning));
        QTest::keyClick(focused(), Qt::Key_Escape);
        QTRY_VERIFY(!windows_->warning.isVisible());
        expectFocusBackInTheGrid();
    }

private:
    // The window manager activates the main window again once the dialog has gone.
    void expectFocusBackInTheGrid() {
        QCOMPARE(main().focusWidget(), static_cast<QWidget *>(grid()));
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        QCOMPARE(focused(), static_cast<QWidget *>(grid()));
    }
    MainWindow &main() { return windows_->main; }
    ChannelGrid *grid() { return main().grid(); }
    ChannelTable &table() { return main().table(); }
    EditActions &edit() { return main().editActions(); }
    const UiTexts &t() { return main().texts(); }
    static QWidget *focused() { return QApplication::focusWidget(); }
    static QWidget *keyTarget() {
        QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup : focused();
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(keyTarget());
        QTest::keyPress(keyTarget(), k, modifiers);
        QVERIFY(keyTarget());
        QTest::keyRelease(keyTarget(), k, modifiers);
        QCoreApplication::processEvents();
    }
    static void clickWidget(QWidget *widget) {
        QWidget *window = widget->window();
        const QPoint at = widget->mapTo(window, widget->rect().center());
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    void fill(int row, const QString &freq = QStringLiteral("438.50000")) {
        table().setRow(row, {freq, t().offText, freq, t().offText, t().highText, t().wideText,
                             t().onText, t().offText});
        QCoreApplication::processEvents();
    }
    static void expectOwnKeys(const QList<QAction *> &items, const QString &where) {
        QSet<QChar> keys;
        for (const QAction *item : items) {
            if (item->isSeparator() || item->text().isEmpty())
                continue;
            const QChar k = accessKeyOf(item->text());
            QVERIFY2(!k.isNull(), qPrintable(where + QStringLiteral(": ") + item->text()));
            QVERIFY2(!keys.contains(k), qPrintable(where + QStringLiteral(": ") + item->text()));
            keys.insert(k);
        }
    }

    std::unique_ptr<SimulatedRadio> radio_;
    std::unique_ptr<SimulatedLink> link_;
    std::unique_ptr<AppWindows> windows_;
    QStringList errors_;
};

QTEST_MAIN(KeyboardTest)
#include "keyboard.moc"
