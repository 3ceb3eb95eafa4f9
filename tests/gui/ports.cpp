// The port settings dialog, port failures that say why, and Qt's own texts in the
// program's language.
#include "i18n/language_pack.h"
#include "radio/doctor_actions.h"
#include "radio/doctor_dialog.h"
#include "radio/port_settings_actions.h"
#include "radio/radio_actions.h"
#include "radio/simulated_link.h"
#include "radio/transfer_dialog.h"
#include "shell/app_windows.h"
#include "shell/language_actions.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>
#include <QtTest>

using namespace vrx;

namespace {

SerialPortEntry port(const char *device, const char *description = "") {
    SerialPortEntry entry;
    entry.device = QString::fromLatin1(device);
    entry.description = QString::fromLatin1(description);
    entry.manufacturer = QStringLiteral("Silicon Labs");
    entry.vendorId = 0x10c4;
    entry.productId = 0xea60;
    return entry;
}

// Runs `check` on the modal dialog that `open` brings up, then lets `open` return.
template <typename Dialog>
void whileModal(const std::function<void()> &open, const std::function<void(Dialog &)> &check) {
    bool checked = false;
    // Whatever goes wrong in `check`, the dialog does not stay up for ever.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    safety.start(10000);
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "no modal dialog came up");
        // A window manager activates a new modal dialog; the offscreen platform needs to
        // be asked. Keys then go where the user's would: to the dialog.
        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        check(*dialog);
        checked = true;
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    QVERIFY(checked);
}

// The simulated radio at the pace of a real line: every wait takes some real time, so
// that a check runs long enough to watch the window while it runs.
class PacedLink : public SimulatedLink {
public:
    PacedLink(SimulatedRadio &radio, int paceMs) : SimulatedLink(radio), paceMs_(paceMs) {}
    QByteArray waitForBytes(int count, int timeoutMs) override {
        QThread::msleep(ulong(paceMs_));
        return SimulatedLink::waitForBytes(count, timeoutMs);
    }

private:
    int paceMs_;
};

} // namespace

class PortsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        const QString staged = QCoreApplication::applicationDirPath();
        for (const char *name : {"chn.lng", "eng.lng"})
            QVERIFY(QFile::copy(QDir(staged).filePath(name), dir_->filePath(name)));
        ports_ = {port("/dev/ttyS0", "ttyS0"), port("/dev/ttyUSB4", "CP2102 USB to UART")};
        diagnosis_ = {};
        radio_ = std::make_unique<SimulatedRadio>();
        probeFails_ = true;
        paceMs_ = 0;
        start();
    }
    void cleanup() {
        windows_.reset();
        dir_.reset();
    }

    void portSettingsIsTheLastItemOfThePortMenu() {
        const QList<QAction *> items = main().menu(MainMenu::Port)->actions();
        QCOMPARE(items.size(), kPortCount + 4);
        for (int port = 1; port <= kPortCount; ++port)
            QCOMPARE(items[port - 1], main().portAction(port));
        QVERIFY(items[kPortCount]->isSeparator());
        QAction *settings = items[kPortCount + 1];
        QCOMPARE(settings->text(), pack("chn")->text(PackId::MenuPortSettings));
        main().languageActions().useLanguage(Language::English);
        QCOMPARE(settings->text(), pack("eng")->text(PackId::MenuPortSettings));
    }

    void dialogListsThePortsAndAssignsTheChosenDevice() {
        main().languageActions().useLanguage(Language::English);
        main().choosePort(2);
        whileModal<PortSettingsDialog>(
            [&] { main().menu(MainMenu::Port)->actions()[kPortCount + 1]->trigger(); },
            [&](PortSettingsDialog &dialog) {
                QCOMPARE(dialog.windowTitle(), pack("eng")->text(PackId::PortSettingsTitle));
                QTableWidget *table = dialog.portTable();
                QCOMPARE(table->rowCount(), 2);
                QCOMPARE(table->item(1, 0)->text(), QStringLiteral("/dev/ttyUSB4"));
                QCOMPARE(table->item(1, 1)->text(), QStringLiteral("CP2102 USB to UART"));
                QCOMPARE(table->item(1, 2)->text(), QStringLiteral("Silicon Labs"));
                QCOMPARE(table->item(1, 3)->text(), QStringLiteral("10c4:ea60"));
                // The current COM item's chooser has the focus; typing replaces its device.
                QCOMPARE(QApplication::focusWidget(), dialog.deviceChooser(2));
                QComboBox *chooser = dialog.deviceChooser(2);
                chooser->lineEdit()->selectAll();
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/dev/ttyUSB4"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            });
        QCOMPARE(main().portDevice(2), QStringLiteral("/dev/ttyUSB4"));
        QCOMPARE(main().portAction(2)->toolTip(), QStringLiteral("/dev/ttyUSB4"));
        QCOMPARE(main().portDevice(1), QStringLiteral("/dev/ttyUSB0"));

        // The mapping is kept in the settings file at the end of the run.
        windows_.reset();
        QCOMPARE(readAppSettings(settingsPath()).portDevices[1], QStringLiteral("/dev/ttyUSB4"));
    }

    void cancelKeepsTheMapping() {
        whileModal<PortSettingsDialog>(
            [&] { main().portSettingsActions().openDialog(); },
            [&](PortSettingsDialog &dialog) {
                dialog.deviceChooser(1)->setEditText(QStringLiteral("/dev/ttyS0"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            });
        QCOMPARE(main().portDevice(1), QStringLiteral("/dev/ttyUSB0"));
    }

    void detectFindsTheCableAsItIsPluggedIn() {
        main().choosePort(3);
        whileModal<PortSettingsDialog>(
            [&] { main().portSettingsActions().openDialog(); },
            [&](PortSettingsDialog &dialog) {
                dialog.setDetectTiming(10, 5000);
                QTest::mouseClick(dialog.detectButton(), Qt::LeftButton);
                QVERIFY(dialog.detecting());
                QCOMPARE(dialog.statusLabel()->text(),
                         main().shellTexts().portDialog.detectPrompt.arg(3));
                // The user pulls the cable, then plugs it in again.
                ports_.removeLast();
                const int listedBefore = listed_;
                QTRY_VERIFY(listed_ > listedBefore); // the dialog has seen it gone
                QVERIFY(dialog.detecting());
                ports_.append(port("/dev/ttyUSB4", "CP2102 USB to UART"));
                QTRY_VERIFY(!dialog.detecting());
                QCOMPARE(dialog.deviceChooser(3)->currentText(), QStringLiteral("/dev/ttyUSB4"));
                QCOMPARE(dialog.statusLabel()->text(),
                         main().shellTexts().portDialog.detectFound.arg("/dev/ttyUSB4", "3"));
                dialog.accept();
            });
        QCOMPARE(main().portDevice(3), QStringLiteral("/dev/ttyUSB4"));
    }

    void detectGivesUpWhenNothingAppears() {
        whileModal<PortSettingsDialog>(
            [&] { main().portSettingsActions().openDialog(); },
            [&](PortSettingsDialog &dialog) {
                dialog.setDetectTiming(10, 60);
                QTest::mouseClick(dialog.detectButton(), Qt::LeftButton);
                QTRY_VERIFY(!dialog.detecting());
                QCOMPARE(dialog.statusLabel()->text(), main().shellTexts().portDialog.detectNone);
                QCOMPARE(dialog.deviceChooser(1)->currentText(), QStringLiteral("/dev/ttyUSB0"));
            });
    }

    void portFailureSaysWhyBelowTheMessage() {
        diagnosis_.fault = PortFault::AccessDenied;
        diagnosis_.group = QStringLiteral("dialout");
        for (const char *name : {"chn", "eng"}) {
            main().languageActions().useLanguage(name == QLatin1String("chn") ? Language::Chinese
                                                                              : Language::English);
            const auto texts = pack(name);
            main().choosePort(2);
            main().action(MainAction::Read)->trigger();
            WarningDialog &warning = windows_->warning;
            QVERIFY(warning.isVisible());
            QCOMPARE(warning.message(), texts->text(PackId::MsgPortOpenFailed));
            const QStringList expected{
                texts->text(PackId::PortIsDevice).arg("2", "/dev/ttyUSB1"),
                texts->text(PackId::PortAccessDenied).arg("/dev/ttyUSB1", "dialout"),
                texts->text(PackId::PortAddToGroup).arg("dialout")};
            QCOMPARE(warning.details(), expected);
            QVERIFY(warning.detailsLabel()->isVisible());
            QVERIFY(warning.detailsLabel()->text().contains("sudo usermod -aG dialout $USER"));
            QCOMPARE(diagnosed_, QStringList{"/dev/ttyUSB1"});
            diagnosed_.clear();
            QTest::mouseClick(warning.okButton(), Qt::LeftButton);
            QVERIFY(main().isEnabled());
        }
        // A message without details has the dialog's own size and no details line.
        windows_->warning.showMessage("t", "m", DialogMode::Notice);
        QVERIFY(!windows_->warning.detailsLabel()->isVisible());
        QCOMPARE(windows_->warning.size(), QSize(334, 161));
    }

    void testConnectionRunsTheChecksWhileTheWindowStaysAlive() {
        const QString cable = plugCable();
        QVERIFY(!cable.isEmpty());
        const QList<QAction *> items = main().menu(MainMenu::Port)->actions();
        QVERIFY(items[kPortCount + 2]->isSeparator());
        QAction *test = items.last();
        QCOMPARE(test->text(), pack("chn")->text(PackId::DoctorMenuItem));
        radio_->setFault({SimulatedRadio::FaultKind::SilentFrom, 1});
        paceMs_ = 100; // six handshake waits: over half a second on the checks' thread
        const DoctorTexts &texts = main().shellTexts().doctor;
        whileModal<DoctorDialog>(
            [&] { test->trigger(); },
            [&](DoctorDialog &dialog) {
                QCOMPARE(dialog.windowTitle(), texts.title);
                QVERIFY(dialog.running());
                QCOMPARE(dialog.summaryLabel()->text(), texts.running.arg(cable));
                // The window's thread keeps serving events meanwhile.
                int ticks = 0;
                QTimer tick;
                QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
                tick.start(20);
                QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), 10000);
                QTRY_COMPARE(dialog.checkList()->topLevelItemCount(), 5);
                QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
                QCOMPARE(dialog.report().verdict, DoctorVerdict::NoAnswer);
                QCOMPARE(dialog.summaryLabel()->text(), texts.notAnswering.arg(cable));
                QTreeWidget *list = dialog.checkList();
                QCOMPARE(rowTexts(list, 0),
                         (QStringList{texts.checkDevice, texts.checkAccess, texts.checkHolders,
                                      texts.checkChip, texts.checkProbe}));
                QCOMPARE(list->topLevelItem(4)->text(1), texts.statusProblem);
                QCOMPARE(list->topLevelItem(4)->text(2), main().texts().line.silent);
                QCOMPARE(list->topLevelItem(4)->text(3), main().texts().line.silentRemedy);
                // Enter closes it.
                QCOMPARE(QApplication::focusWidget(), dialog.closeButton());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            });
        QVERIFY(!main().doctorActions().dialog());
    }

    void testConnectionSpeaksTheCurrentLanguage() {
        const QString cable = plugCable();
        main().languageActions().useLanguage(Language::English);
        const auto eng = pack("eng");
        QAction *test = main().menu(MainMenu::Port)->actions().last();
        QCOMPARE(test->text(), eng->text(PackId::DoctorMenuItem));
        whileModal<DoctorDialog>([&] { test->trigger(); },
                                 [&](DoctorDialog &dialog) {
                                     QTRY_VERIFY(!dialog.running());
                                     QCOMPARE(dialog.windowTitle(), eng->text(PackId::DoctorTitle));
                                     QCOMPARE(dialog.summaryLabel()->text(),
                                              eng->text(PackId::DoctorRadioIsOn).arg(cable));
                                     QCOMPARE(dialog.checkList()->headerItem()->text(3),
                                              eng->text(PackId::DoctorColumnRemedy));
                                     QCOMPARE(dialog.checkList()->topLevelItem(4)->text(1),
                                              eng->text(PackId::DoctorStatusOk));
                                     QVERIFY(radio_->endReceived());
                                 });
    }

    void aRadioThatDoesNotRespondOffersTheTest() {
        const QString cable = plugCable();
        probeFails_ = false;
        radio_->setFault({SimulatedRadio::FaultKind::CableOnly});
        main().action(MainAction::Read)->trigger();
        TransferDialog *transfer = main().transferDialog();
        QVERIFY(transfer->isVisible());
        QTest::mouseClick(transfer->startButton(), Qt::LeftButton);
        WarningDialog &warning = windows_->warning;
        QVERIFY(warning.isVisible());
        QCOMPARE(warning.message(), main().texts().msgNoResponse);
        // What the line did and what helps, then how far the read got.
        QCOMPARE(warning.details(),
                 (QStringList{main().texts().line.echo, main().texts().line.echoRemedy,
                              main().radioActions().texts().msgReadGotChannels.arg(0)}));
        QPushButton *offer = warning.offerButton();
        QVERIFY(offer->isVisible());
        QCOMPARE(offer->text(), main().shellTexts().doctor.offerTest);
        whileModal<DoctorDialog>([&] { QTest::mouseClick(offer, Qt::LeftButton); },
                                 [&](DoctorDialog &dialog) {
                                     // The transfer window let the port go for the test.
                                     QVERIFY(!transfer->isVisible());
                                     QTRY_VERIFY(!dialog.running());
                                     QCOMPARE(dialog.report().device, cable);
                                     QCOMPARE(dialog.report().verdict, DoctorVerdict::Echo);
                                 });
        QVERIFY(!warning.isVisible());
        // Another message does not carry the offer.
        warning.showMessage("t", "m", DialogMode::Notice);
        QVERIFY(!warning.offerButton()->isVisible());
    }

    void portSettingsTestsTheDeviceOfEachComItem() {
        const QString cable = plugCable();
        whileModal<PortSettingsDialog>(
            [&] { main().portSettingsActions().openDialog(); },
            [&](PortSettingsDialog &dialog) {
                for (int port = 1; port <= kPortCount; ++port)
                    QCOMPARE(dialog.testButton(port)->text(),
                             main().shellTexts().doctor.testButton);
                dialog.deviceChooser(3)->setEditText(cable);
                whileModal<DoctorDialog>(
                    [&] { QTest::mouseClick(dialog.testButton(3), Qt::LeftButton); },
                    [&](DoctorDialog &doctor) {
                        QTRY_VERIFY(!doctor.running());
                        QCOMPARE(doctor.report().device, cable);
                        QCOMPARE(doctor.report().verdict, DoctorVerdict::Ok);
                    });
                QVERIFY(dialog.isVisible());
            });
    }

    void qtDialogsSpeakTheProgramsLanguage() {
        for (const bool chinese : {true, false, true}) {
            main().languageActions().useLanguage(chinese ? Language::Chinese : Language::English);
            QMessageBox box(QMessageBox::Question, "t", "m", QMessageBox::Cancel);
            QCOMPARE(box.button(QMessageBox::Cancel)->text(),
                     chinese ? QStringLiteral("取消") : QStringLiteral("Cancel"));
            const auto texts = pack(chinese ? "chn" : "eng");
            whileModal<QFileDialog>(
                [&] { main().openFile(); },
                [&](QFileDialog &dialog) {
                    QCOMPARE(dialog.windowTitle(), texts->text(PackId::OpenDialogTitle));
                    // The file dialog shows the filter with its blanks simplified.
                    QCOMPARE(dialog.nameFilters(),
                             QStringList{texts->text(PackId::FileDialogFilter).simplified()});
                    auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
                    QVERIFY(lookIn);
                    QCOMPARE(lookIn->text() == QStringLiteral("Look in:"), !chinese);
                });
        }
        QVERIFY(main().languageActions().qtTranslation().installed());
    }

private:
    void start() {
        AppEnvironment env;
        env.dataDir = dir_->path();
        env.settingsPath = settingsPath();
        env.documentsDir = dir_->path();
        env.locale = QLocale(QLocale::Chinese, QLocale::China);
        env.probePort = [this](const QString &, QString *error) {
            *error = QStringLiteral("Permission denied");
            return !probeFails_;
        };
        env.makeLink = [this](const QString &) -> std::unique_ptr<SerialLink> {
            return std::make_unique<PacedLink>(*radio_, paceMs_);
        };
        env.diagnosePort = [this](const QString &device, const QString &) {
            diagnosed_ << device;
            PortDiagnosis d = diagnosis_;
            d.device = device;
            return d;
        };
        env.reportError = [](const QString &message) { QFAIL(qPrintable(message)); };
        windows_ = std::make_unique<AppWindows>(env);
        main().portSettingsActions().setPortLister([this] {
            ++listed_;
            return ports_;
        });
        main().show();
        QVERIFY(QTest::qWaitForWindowExposed(&main()));
    }
    QString settingsPath() const { return dir_->filePath("myini.ini"); }
    std::optional<LanguagePack> pack(const char *name) const {
        return LanguagePack::load(dir_->path(), QLatin1String(name));
    }
    MainWindow &main() { return windows_->main; }

    // A device the checks find present and usable (not on USB), on COM1.
    QString plugCable() {
        const QString cable = dir_->filePath(QStringLiteral("cable"));
        QFile file(cable);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        std::array<QString, kPortCount> devices = main().portDevices();
        devices[0] = cable;
        main().assignPortDevices(devices);
        main().choosePort(1);
        return cable;
    }
    static QStringList rowTexts(const QTreeWidget *list, int column) {
        QStringList texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(column);
        return texts;
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<AppWindows> windows_;
    std::unique_ptr<SimulatedRadio> radio_;
    bool probeFails_ = true;
    int paceMs_ = 0;
    QList<SerialPortEntry> ports_;
    PortDiagnosis diagnosis_;
    QStringList diagnosed_;
    int listed_ = 0;
};

QTEST_MAIN(PortsTest)
#include "ports.moc"
