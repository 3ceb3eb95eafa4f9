// Language packs on the windows: the choice at start, the captions by id, and switching.
#include "dialogs/about_dialog.h"
#include "dialogs/link_label.h"
#include "edit/channel_grid.h"
#include "edit/options_page.h"
#include "i18n/language_pack.h"
#include "radio/service_panel.h"
#include "shell/app_windows.h"
#include "shell/window_texts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        // The packs as the build stages them beside the executables.
        const QString staged = QCoreApplication::applicationDirPath();
        for (const char *name : {"chn.lng", "eng.lng"})
            QVERIFY(QFile::copy(QDir(staged).filePath(name), dir_->filePath(name)));
    }
    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void installLogChoosesTheStartLanguage_data() {
        QTest::addColumn<QByteArray>("secondLine");
        QTest::addColumn<bool>("english");
        QTest::newRow("installer title") << QByteArray("Title:  Installation") << true;
        QTest::newRow("one blank") << QByteArray("Title: Installation") << false;
        QTest::newRow("other case") << QByteArray("title:  installation") << false;
        QTest::newRow("empty line") << QByteArray("") << false;
    }
    void installLogChoosesTheStartLanguage() {
        QFETCH(QByteArray, secondLine);
        QFETCH(bool, english);
        writeFile("install.Log", "Installer log\r\n" + secondLine + "\r\nmore\r\n");
        start();
        QCOMPARE(main().action(MainAction::English)->isChecked(), english);
        QCOMPARE(main().action(MainAction::Chinese)->isChecked(), !english);
        const auto pack = LanguagePack::load(dir_->path(), english ? "eng" : "chn");
        QVERIFY(pack);
        QCOMPARE(main().menu(MainMenu::File)->title(), pack->text(PackId::MenuFile));
        QCOMPARE(main().texts().offText, pack->text(PackId::OffText));
    }

    void everyDestinationShowsItsPackText() {
        start(QLocale(QLocale::English));
        const auto pack = LanguagePack::load(dir_->path(), "eng");
        QVERIFY(pack);
        MainWindow &w = main();
        AppWindows &ws = *windows_;
        const QList<std::pair<int, QString>> shown = {
            {1, w.statusLabel()->text()},
            {2, w.sideLink(MainAction::Read)->text()},
            {4, w.sideLink(MainAction::Exit)->text()},
            {5, w.portBox()->title()},
            {7, w.action(MainAction::New)->text()},
            {11, w.menu(MainMenu::Edit)->title()},
            {16, w.action(MainAction::OtherPage)->text()},
            {18, w.menu(MainMenu::Port)->title()},
            {21, w.skinAction(2)->text()},
            {24, w.action(MainAction::Chinese)->text()},
            {25, w.action(MainAction::English)->text()},
            {27, w.action(MainAction::Help)->text()},
            {28, w.action(MainAction::About)->text()},
            {29, w.toolBox()->itemText(0)},
            {35, w.toolButton(MainAction::Write)->text()},
            {39, w.toolButton(MainAction::Exit)->text()},
            {40, w.pages()->tabText(0)},
            {41, w.channelButton(ChannelButton::AutoFill)->text()},
            {45, w.channelButton(ChannelButton::Delete)->text()},
            {47, w.table().header(RxFreqCol)},
            {61, w.pages()->tabText(1)},
            {62, w.optionsPage()->label(Option::APO)->text()},
            {76, w.optionsPage()->label(Option::Band)->text()},
            {80, w.optionsPage()->label(Option::BroadBand)->text()},
            {82, w.pages()->tabText(2)},
            {84, w.servicePanel()->bandBox(1)->title()},
            {85, w.servicePanel()->receiveLabel(1)->text()},
            {86, w.servicePanel()->transmitLabel(0)->text()},
            {89, w.servicePanel()->driveLabel(Drive::Low2)->text()},
            {90, w.servicePanel()->driveLabel(Drive::Low1)->text()},
            {94, w.servicePanel()->button(ServiceAction::WritePowerDrive)->text()},
            {97, ws.warning.cancelButton()->text()},
            {97, ws.transfer.closeButton()->text()},
            {98, ws.transfer.statusLabel()->text()},
            {99, ws.about.productLabel()->text()},
            {102, ws.about.companyLabel()->text()},
            {105, ws.warning.okButton()->text()},
            {105, ws.about.okButton()->text()},
            {111, w.optionsPage()->combo(Option::TxLight)->itemText(0)},
        };
        for (const auto &[id, text] : shown)
            QVERIFY2(text == pack->text(id),
                     qPrintable(QStringLiteral("id %1: %2").arg(id).arg(text)));
        // The about dialog's title is the about item without its access key.
        QCOMPARE(ws.about.windowTitle(), withoutAccessKey(pack->text(PackId::MenuAbout)));
        QVERIFY(!ws.about.windowTitle().contains(QLatin1Char('&')));
        // These keep their built-in captions in every language.
        QCOMPARE(w.caption(), QStringLiteral("VRX-5800"));
        QCOMPARE(w.portAction(2)->text(), QStringLiteral("COM(&2)"));
        QCOMPARE(w.optionsPage()->combo(Option::FreqStep)->itemText(1), QStringLiteral("6.25kHZ"));
        QCOMPARE(w.grid()->tonePicker()->itemText(0), pack->text(PackId::OffText));
        QCOMPARE(w.grid()->tonePicker()->count(), 265);
    }

    void switchingTranslatesTheGridAndKeepsTheOptions() {
        start(QLocale(QLocale::Chinese, QLocale::China));
        MainWindow &w = main();
        QVERIFY(w.action(MainAction::Chinese)->isChecked());
        w.table().setRow(
            1, {"438.50000", "禁用", "438.50000", "67.0", "高功率", "窄带", "启用", "禁用"});
        w.settings().setIndex(Option::TxTimeout, 4);
        w.settings().setIndex(Option::RxLight, 6);

        w.action(MainAction::English)->trigger();
        QCOMPARE(w.table().row(1), (ChannelRow{"438.50000", "OFF", "438.50000", "67.0", "High",
                                               "Narrow", "ON", "OFF"}));
        QVERIFY(w.action(MainAction::English)->isChecked());
        QVERIFY(!w.action(MainAction::Chinese)->isChecked());
        QCOMPARE(w.settings().index(Option::TxTimeout), 4);
        QCOMPARE(w.optionsPage()->combo(Option::TxTimeout)->currentIndex(), 4);
        QCOMPARE(w.optionsPage()->combo(Option::RxLight)->currentIndex(), 6);
        QCOMPARE(w.grid()->tonePicker()->itemText(0), QStringLiteral("OFF"));

        w.action(MainAction::Chinese)->trigger();
        QCOMPARE(w.table().row(1), (ChannelRow{"438.50000", "禁用", "438.50000", "67.0", "高功率",
                                               "窄带", "启用", "禁用"}));
        QCOMPARE(w.action(MainAction::Chinese)->text(), QStringLiteral("中文"));
        QCOMPARE(w.menu(MainMenu::File)->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(w.grid()->tonePicker()->itemText(0), QStringLiteral("禁用"));
    }

    void missingPackKeepsTheBuiltInCaptions() {
        QFile::remove(dir_->filePath("eng.lng"));
        start(QLocale(QLocale::English));
        MainWindow &w = main();
        QVERIFY(w.action(MainAction::English)->isChecked());
        QCOMPARE(w.action(MainAction::Chinese)->text(), QStringLiteral("chinese"));
        QCOMPARE(w.menu(MainMenu::File)->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(w.texts().highText, QStringLiteral("高功率"));
    }

    void accessKeysLeaveTitles() {
        QCOMPARE(withoutAccessKey(QStringLiteral("关于(&A)...")), QStringLiteral("关于..."));
        QCOMPARE(withoutAccessKey(QStringLiteral("&About...")), QStringLiteral("About..."));
        QCOMPARE(withoutAccessKey(QStringLiteral("R&&D")), QStringLiteral("R&D"));
    }

private:
    void start(const QLocale &locale = QLocale(QLocale::Chinese, QLocale::China)) {
        AppEnvironment env;
        env.dataDir = dir_->path();
        env.locale = locale;
        windows_ = std::make_unique<AppWindows>(env);
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    void writeFile(const QString &name, const QByteArray &bytes) {
        QFile file(dir_->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    MainWindow &main() { return windows_->main; }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(LanguageTest)
#include "language.moc"
