// The main window as the user first meets it: grid, menus, port choice, skins, exit.
#include "dialogs/link_label.h"
#include "edit/channel_grid.h"
#include "edit/channel_table_model.h"
#include "edit/options_page.h"
#include "radio/service_panel.h"
#include "shell/app_windows.h"

#include <QActionGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        windows_ = std::make_unique<AppWindows>();
        windows_->main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&windows_->main));
    }
    void cleanup() { windows_.reset(); }

    void startShowsHeadersNumbersAndEmptyTable() {
        MainWindow &w = windows_->main;
        QCOMPARE(w.caption(), QStringLiteral("VRX-5800"));
        QCOMPARE(w.size(), QSize(MainWindow::kWidth, MainWindow::kHeight));
        QCOMPARE(w.pages()->currentIndex(), 0);
        QCOMPARE(w.pages()->tabText(0), QStringLiteral("信道编辑"));
        QCOMPARE(w.pages()->tabText(1), QStringLiteral("功能选项"));
        QCOMPARE(w.pages()->tabText(2), QStringLiteral("其它功能"));
        QCOMPARE(w.statusLabel()->text(),
                 QStringLiteral("     赞博电子有限公司 KORVAN 对讲机编程软件"));

        QAbstractItemModel *model = w.grid()->model();
        QCOMPARE(model->rowCount(), 199);
        QCOMPARE(model->columnCount(), 9);
        const QStringList headers = {"信道",     "接收频率", "QT/DQT解码", "发射频率", "QT/DQT编码",
                                     "发射功率", "宽/窄带",  "扫描",       "繁忙锁定"};
        for (int col = 0; col < 9; ++col) {
            QCOMPARE(model->headerData(col, Qt::Horizontal).toString(), headers[col]);
            QCOMPARE(w.grid()->columnWidth(col), ChannelGrid::kColumnWidths[col]);
        }
        for (int row = 0; row < 199; ++row) {
            QCOMPARE(model->index(row, 0).data().toString(),
                     QStringLiteral("%1").arg(row + 1, 3, 10, QLatin1Char('0')));
            for (int col = 1; col < 9; ++col)
                QVERIFY(model->index(row, col).data().toString().isEmpty());
        }
        QCOMPARE(w.grid()->rowHeight(0), ChannelGrid::kRowHeight);
        // The fixed number column cannot become the current cell.
        QCOMPARE(model->flags(model->index(0, 0)), Qt::NoItemFlags);
    }

    void gridFollowsTheTable() {
        MainWindow &w = windows_->main;
        w.table().setText(RxFreqCol, 7, QStringLiteral("438.50000"));
        w.table().setHeader(PowerCol, QStringLiteral("Power"));
        QCOMPARE(w.grid()->model()->index(6, RxFreqCol).data().toString(),
                 QStringLiteral("438.50000"));
        QCOMPARE(w.grid()->model()->headerData(PowerCol, Qt::Horizontal).toString(),
                 QStringLiteral("Power"));
    }

    void everyFifthChannelIsShaded() {
        ChannelGrid *grid = windows_->main.grid();
        auto colourAt = [&](int col, int channel) {
            grid->scrollTo(grid->channelModel()->indexOf(col, channel));
            const QImage shot = grid->grab().toImage();
            const QRect cell = grid->cellRect(col, channel);
            return QColor(shot.pixel(cell.left() + 3, cell.top() + 3));
        };
        const QColor shaded(227, 227, 227);
        const QColor fixed(192, 192, 192);
        for (int channel : {5, 10, 100, 195})
            QCOMPARE(colourAt(RxToneCol, channel), shaded);
        for (int channel : {1, 4, 6, 11, 199})
            QCOMPARE(colourAt(RxToneCol, channel), QColor(Qt::white));
        for (int channel : {3, 5})
            QCOMPARE(colourAt(NumberCol, channel), fixed);
    }

    void currentCellHasNoSelectionColour() {
        ChannelGrid *grid = windows_->main.grid();
        grid->selectCell(RxToneCol, 2);
        const QRect cell = grid->cellRect(RxToneCol, 2);
        const QImage shot = grid->grab().toImage();
        QCOMPARE(QColor(shot.pixel(cell.center())), QColor(Qt::white));
    }

    void menusCarryTheBuiltInCaptions() {
        MainWindow &w = windows_->main;
        auto texts = [](QMenu *menu) {
            QStringList list;
            for (QAction *a : menu->actions())
                list << (a->isSeparator() ? QStringLiteral("-") : a->text());
            return list;
        };
        // The specified items, then groups of our own at the end.
        QCOMPARE(texts(w.menu(MainMenu::File)),
                 QStringList({"新建(&N)", "打开(&O)", "保存(&S)", "-", "退出(&E)", "-", "备份(&B)…",
                              "与文件比较(&M)…", "-", "导入(&I)…", "导出(&X)…", "打印(&P)…",
                              "导出 PDF(&D)…", "-", "另存为(&A)…", "最近的文件(&R)"}));
        // The specified items first; the editing commands follow in a group of their own.
        QCOMPARE(texts(w.menu(MainMenu::Edit)).mid(0, 8),
                 QStringList({"频率读出(&R)", "频率写入(&W)", "-", "信道编辑(&E)", "功能选项(&Y)",
                              "-", "其它功能(&T)", "-"}));
        QCOMPARE(texts(w.menu(MainMenu::Edit)).mid(8),
                 QStringList({"撤销", "重做", "-", "全选信道", "复制信道", "剪切信道", "粘贴信道",
                              "-", "插入空信道", "删除信道并上移", "按接收频率排序", "-", "查找...",
                              "查找下一个", "-", "多台电台编程(&M)…"}));
        QCOMPARE(texts(w.menu(MainMenu::Options)),
                 QStringList({"通信端口(&C)", "皮肤(&S)", "语言"}));
        // The four COM items, then the program's own groups.
        QCOMPARE(texts(w.menu(MainMenu::Port)),
                 QStringList({"COM(&1)", "COM(&2)", "COM(&3)", "COM(&4)", "-", "端口设置(&P)…", "-",
                              "测试连接(&T)…"}));
        QCOMPARE(texts(w.menu(MainMenu::Skin)),
                 QStringList({"蓝色一族", "钢板", "咖啡", "-", "系统"}));
        QCOMPARE(texts(w.menu(MainMenu::Language)), QStringList({"中文", "英文"}));
        QCOMPARE(texts(w.menu(MainMenu::Help)), QStringList({"帮助(&H)...", "关于(&A)..."}));
        // Neither language is marked until a language has been chosen.
        QVERIFY(!w.action(MainAction::Chinese)->isChecked());
        QVERIFY(!w.action(MainAction::English)->isChecked());
        QCOMPARE(w.toolBox()->count(), 3);
        QCOMPARE(w.toolBox()->currentIndex(), 0);
        QCOMPARE(w.toolButton(MainAction::Read)->text(), QStringLiteral("频率读出"));
        QCOMPARE(w.toolButton(MainAction::Read)->height(), 60);
    }

    void editMenuSwitchesPages_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("page");
        QTest::newRow("options") << int(MainAction::OptionsPage) << 1;
        QTest::newRow("other, content hidden") << int(MainAction::OtherPage) << 2;
        QTest::newRow("channels") << int(MainAction::ChannelPage) << 0;
    }
    void editMenuSwitchesPages() {
        QFETCH(int, action);
        QFETCH(int, page);
        MainWindow &w = windows_->main;
        w.showPage(page == 0 ? 1 : 0);
        w.action(MainAction(action))->trigger();
        QCOMPARE(w.pages()->currentIndex(), page);
        QVERIFY(!w.servicePanel()->isVisible());
        QVERIFY(!w.servicePanel()->isEnabled());
    }

    void toolBarRunsTheMenuActions() {
        MainWindow &w = windows_->main;
        w.toolBox()->setCurrentIndex(1);
        QTest::mouseClick(w.toolButton(MainAction::OptionsPage), Qt::LeftButton);
        QCOMPARE(w.pages()->currentIndex(), 1);
        QTest::mouseClick(w.toolButton(MainAction::ChannelPage), Qt::LeftButton);
        QCOMPARE(w.pages()->currentIndex(), 0);
    }

    void portMenuChecksTheRadioBox_data() {
        QTest::addColumn<int>("port");
        for (int port : {3, 2, 4, 1})
            QTest::newRow(qPrintable(QStringLiteral("COM%1").arg(port))) << port;
    }
    void portMenuChecksTheRadioBox() {
        QFETCH(int, port);
        MainWindow &w = windows_->main;
        w.choosePort(port == 1 ? 2 : 1);
        w.portAction(port)->trigger();
        QCOMPARE(w.currentPort(), port);
        for (int p = 1; p <= kPortCount; ++p) {
            QCOMPARE(w.portAction(p)->isChecked(), p == port);
            QCOMPARE(w.portRadio(p)->isChecked(), p == port);
        }
    }

    void radioBoxChecksTheMenuItem_data() { portMenuChecksTheRadioBox_data(); }
    void radioBoxChecksTheMenuItem() {
        QFETCH(int, port);
        MainWindow &w = windows_->main;
        w.choosePort(port == 1 ? 2 : 1);
        QTest::mouseClick(w.portRadio(port), Qt::LeftButton);
        QCOMPARE(w.currentPort(), port);
        for (int p = 1; p <= kPortCount; ++p) {
            QCOMPARE(w.portAction(p)->isChecked(), p == port);
            QCOMPARE(w.portRadio(p)->isChecked(), p == port);
        }
    }

    void portsStartOnCom1AndShowTheirDevices() {
        MainWindow &w = windows_->main;
        QCOMPARE(w.currentPort(), 1);
        QVERIFY(w.portRadio(1)->isChecked());
        QCOMPARE(w.portRadio(3)->text(), QStringLiteral("   COM3"));
        w.setPortDevices({"/dev/a", "/dev/b", "/dev/c", "/dev/d"});
        QCOMPARE(w.portAction(3)->toolTip(), QStringLiteral("/dev/c"));
        QCOMPARE(w.portRadio(3)->toolTip(), QStringLiteral("/dev/c"));
        QCOMPARE(w.portDevice(4), QStringLiteral("/dev/d"));
    }

    void skinChangeRestylesEveryWindow() {
        AppWindows &ws = *windows_;
        ws.about.show();
        ws.transfer.show();
        ws.warning.show();
        // A background point of each window that no child covers.
        const std::pair<QWidget *, QPoint> probes[] = {
            {&ws.main, QPoint(MainWindow::kWidth - 3, MainWindow::kHeight - 3)},
            {&ws.about, QPoint(3, 3)},
            {&ws.transfer, QPoint(3, 3)},
            {&ws.warning, QPoint(3, 3)},
        };
        auto sample = [&] {
            QList<QRgb> colours;
            for (auto [window, point] : probes)
                colours << window->grab().toImage().pixel(point);
            return colours;
        };
        QCOMPARE(ws.main.skin(), 1);
        QVERIFY(ws.main.skinAction(1)->isChecked());
        QList<QList<QRgb>> looks{sample()};
        for (int skin : {2, 3}) {
            ws.main.skinAction(skin)->trigger();
            QCOMPARE(ws.main.skin(), skin);
            for (int s = 1; s <= 3; ++s)
                QCOMPARE(ws.main.skinAction(s)->isChecked(), s == skin);
            looks << sample();
        }
        for (int window = 0; window < 4; ++window) {
            QVERIFY2(looks[0][window] != looks[1][window], qPrintable(QString::number(window)));
            QVERIFY2(looks[1][window] != looks[2][window], qPrintable(QString::number(window)));
        }
        ws.main.chooseSkin(7); // no such skin: nothing changes
        QCOMPARE(ws.main.skin(), 3);
    }

    void exitControlsCloseTheWindow_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("menu") << "menu";
        QTest::newRow("tool bar") << "toolbar";
        QTest::newRow("glow button") << "button";
        QTest::newRow("link label") << "link";
    }
    void exitControlsCloseTheWindow() {
        QFETCH(QString, control);
        MainWindow &w = windows_->main;
        if (control == "menu") {
            w.action(MainAction::Exit)->trigger();
        } else if (control == "toolbar") {
            w.toolBox()->setCurrentIndex(2);
            QTest::mouseClick(w.toolButton(MainAction::Exit), Qt::LeftButton);
        } else if (control == "button") {
            QTest::mouseClick(w.sideButton(MainAction::Exit), Qt::LeftButton);
        } else {
            QTest::mouseClick(w.sideLink(MainAction::Exit), Qt::LeftButton);
        }
        QVERIFY(!w.isVisible());
    }

    void sideLinksNameTheirActions() {
        MainWindow &w = windows_->main;
        QCOMPARE(w.sideLink(MainAction::Read)->text(), QStringLiteral("读频"));
        QCOMPARE(w.sideLink(MainAction::Write)->text(), QStringLiteral("写频"));
        QCOMPARE(w.sideLink(MainAction::Exit)->text(), QStringLiteral("退出"));
        QCOMPARE(w.sideButton(MainAction::Read)->size(), QSize(73, 73));
        QVERIFY(w.sideLink(MainAction::New) == nullptr);
    }

    void helpDoesNothingAndAboutBlocks() {
        MainWindow &w = windows_->main;
        w.action(MainAction::Help)->trigger();
        QVERIFY(w.isEnabled());
        QVERIFY(!windows_->about.isVisible());
        w.action(MainAction::About)->trigger();
        QVERIFY(windows_->about.isVisible());
        QVERIFY(!w.isEnabled());
    }

    void bandCaptionGoesBackToTheProductName() {
        MainWindow &w = windows_->main;
        w.bandPlan().setList(BandList::Band1Rx, {"400-470MHz", "136-174MHz"}, 0);
        w.setCaption(QStringLiteral("VRX-428    [400-470MHz]"));
        w.bandPlan().select(BandList::Band1Rx, 0);
        QCOMPARE(w.caption(), QStringLiteral("VRX-428    [400-470MHz]")); // no change
        w.bandPlan().select(BandList::Band1Rx, 1);
        QCOMPARE(w.caption(), QStringLiteral("VRX-5800"));
        QCOMPARE(w.servicePanel()->bandCombo(BandList::Band1Rx)->currentText(),
                 QStringLiteral("136-174MHz"));
    }

private:
    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window.moc"
