// What a screen reader is given: the accessible interfaces of the window's controls (names,
// roles, relations, the grid's row headers and cells) and what they say after a change.
// (Offscreen, Qt keeps its accessibility inactive and drops change events before any
// handler sees them, so the tests read the interfaces after each change.)
#include "edit/channel_grid.h"
#include "edit/options_page.h"
#include "i18n/language_switch.h"
#include "radio/service_panel.h"
#include "radio/simulated_link.h"
#include "radio/simulated_radio.h"
#include "shell/app_windows.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using namespace vrx;

namespace {

QAccessibleInterface *of(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The name of the label a control is labelled by; on Linux a list is named so.
QString labelOf(QObject *control) {
    const auto relations = of(control)->relations(QAccessible::Label);
    return relations.isEmpty() ? QString() : relations.first().first->text(QAccessible::Name);
}

QString nameOf(QObject *object) {
    QAccessibleInterface *iface = of(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        radio_ = std::make_unique<SimulatedRadio>();
        AppEnvironment env;
        env.dataDir = QCoreApplication::applicationDirPath(); // the staged packs
        env.reportError = [](const QString &m) { QFAIL(qPrintable(m)); };
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
    }
    void cleanup() {
        windows_.reset();
        radio_.reset();
    }

    void bigButtonsAreNamedAndDescribedInTheCurrentLanguage() {
        const std::pair<MainAction, const char *> english[] = {
            {MainAction::Read, "Read"}, {MainAction::Write, "Write"}, {MainAction::Exit, "Exit"}};
        for (const auto &[id, name] : english) {
            QAccessibleInterface *button = of(main().sideButton(id));
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), QString::fromLatin1(name));
            QVERIFY(!button->text(QAccessible::Description).isEmpty());
        }
        QCOMPARE(of(main().sideButton(MainAction::Read))->text(QAccessible::Description),
                 QStringLiteral("Reads all channels and function settings from the radio"));
        main().useLanguage(Language::Chinese);
        QCOMPARE(nameOf(main().sideButton(MainAction::Write)), QStringLiteral("写频"));
        QCOMPARE(of(main().sideButton(MainAction::Write))->text(QAccessible::Description),
                 QStringLiteral("把全部信道和功能设置写入电台"));
    }

    void gridReadsRowHeadersColumnsChannelsAndValues() {
        fill(5);
        QAccessibleInterface *grid = of(main().grid());
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Channels"));
        QAccessibleTableInterface *table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), kChannelCount);

        QAccessibleInterface *cell = table->cellAt(4, RxFreqCol);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name),
                 QStringLiteral("Receive frequency, channel 5, 438.50000"));
        // The channel number is the row's header, as AT-SPI's GetRowHeader reads it (the
        // header cells themselves are made anew at each request and never freed by Qt).
        QCOMPARE(table->rowDescription(4), main().table().text(NumberCol, 5));
        QCOMPARE(table->cellAt(5, PowerCol)->text(QAccessible::Name),
                 QStringLiteral("Transmit power, channel 6, empty"));
        QCOMPARE(table->columnDescription(RxFreqCol), main().table().header(RxFreqCol));

        main().useLanguage(Language::Chinese);
        QCOMPARE(table->cellAt(4, PowerCol)->text(QAccessible::Name),
                 QString::fromUtf8("发射功率，信道 5，") + main().texts().highText);
    }

    void editorsAreNamedAfterTheirCell() {
        fill(5);
        main().grid()->selectCell(RxFreqCol, 5);
        QCOMPARE(nameOf(main().grid()->frequencyEditor()),
                 QStringLiteral("Receive frequency, channel 5"));
        QCOMPARE(of(main().grid()->frequencyEditor())->role(), QAccessible::EditableText);
        main().grid()->selectCell(TxToneCol, 5);
        QCOMPARE(labelOf(main().grid()->tonePicker()), QStringLiteral("Transmit tone, channel 5"));
        QVERIFY(!of(main().grid()->tonePicker())->text(QAccessible::Description).isEmpty());
    }

    // On Linux a list is named by the label it is labelled by, as Orca reads it.
    void listsAndSpinBoxesAreLabelledByTheirLabels() {
        main().showPage(1);
        for (Option option : {Option::APO, Option::Band, Option::BroadBand}) {
            const QLabel *label = main().optionsPage()->label(option);
            QVERIFY(label);
            QCOMPARE(labelOf(main().optionsPage()->combo(option)), label->text());
        }
        QCOMPARE(labelOf(main().servicePanel()->spin(Drive::High)),
                 main().servicePanel()->driveLabel(Drive::High)->text());
    }

    void aSwitchedCellSaysItsNewValue() {
        fill(3);
        main().grid()->selectCell(RxFreqCol, 3);
        main().grid()->setFocus();
        for (int i = 0; i < PowerCol - RxFreqCol; ++i)
            key(Qt::Key_Right);
        QAccessibleInterface *cell = of(main().grid())->tableInterface()->cellAt(2, PowerCol);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Transmit power, channel 3, High"));
        QVERIFY(cell->state().focused);
        key(Qt::Key_Space);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Transmit power, channel 3, Low"));
    }

    void transferProgressPhaseAndOutcomeAreAnnounced() {
        TransferDialog &transfer = windows_->transfer;
        QCOMPARE(nameOf(transfer.gauge()), QStringLiteral("Transfer progress"));
        QCOMPARE(of(transfer.gauge())->role(), QAccessible::ProgressBar);
        main().action(MainAction::Write)->trigger();
        QVERIFY(transfer.isVisible());
        QCOMPARE(nameOf(transfer.verifyCheck()), transfer.verifyCheck()->text());
        QCOMPARE(of(transfer.verifyCheck())->role(), QAccessible::CheckBox);
        transfer.verifyCheck()->setChecked(true);
        QStringList phases;
        QStringList described;
        connect(&transfer, &TransferDialog::phaseShown, this, [&](const QString &phase) {
            phases << phase;
            described << of(transfer.gauge())->text(QAccessible::Description);
        });
        QTest::mouseClick(transfer.startButton(), Qt::LeftButton);
        QTRY_VERIFY(!transfer.isRunning());

        QVERIFY(phases.size() >= 2); // writing, verifying
        QCOMPARE(described, phases);
        QAccessibleValueInterface *value = of(transfer.gauge())->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue().toInt(), transfer.gauge()->maximum());
        // The outcome of the verified write is what the gauge last describes: the phase
        // label's closing line, which follows the status line.
        QVERIFY(!transfer.statusLabel()->text().isEmpty());
        QCOMPARE(phases.last(), transfer.phaseLabel()->text());
        QCOMPARE(of(transfer.gauge())->text(QAccessible::Description),
                 transfer.phaseLabel()->text());
    }

    void messageDialogsAreDescribedByTheirMessage() {
        windows_->warning.showMessage(QStringLiteral("Error"),
                                      QStringLiteral("The radio is silent"), DialogMode::Notice);
        QVERIFY(windows_->warning.isVisible());
        QAccessibleInterface *dialog = of(&windows_->warning);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Name), QStringLiteral("Error"));
        QCOMPARE(dialog->text(QAccessible::Description), QStringLiteral("The radio is silent"));
        windows_->warning.close();
    }

    void systemSkinTakesTheDesktopPaletteIntoTheGrid() {
        const QPalette desktop = QApplication::palette();
        QPalette dark = desktop;
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        dark.setColor(QPalette::Text, QColor(240, 240, 240));
        dark.setColor(QPalette::AlternateBase, QColor(50, 50, 60));
        dark.setColor(QPalette::Button, QColor(70, 70, 70));
        QApplication::setPalette(dark);
        const QAbstractItemModel *model = main().grid()->model();
        auto colour = [model](int channel, int col, int role) {
            return model->index(channel - 1, col).data(role).value<QBrush>().color();
        };
        QCOMPARE(colour(1, NumberCol, Qt::BackgroundRole), QColor(192, 192, 192));
        QAction *system = main().skinAction(kSystemSkin);
        QVERIFY(main().menu(MainMenu::Skin)->actions().indexOf(system) >
                main().menu(MainMenu::Skin)->actions().indexOf(main().skinAction(3)));
        QCOMPARE(system->text(), QStringLiteral("System"));
        system->trigger();
        QCOMPARE(main().skin(), kSystemSkin);
        QVERIFY(qApp->styleSheet().isEmpty());
        QVERIFY(main().grid()->styleSheet().isEmpty());
        QCOMPARE(colour(1, NumberCol, Qt::BackgroundRole), QColor(70, 70, 70));
        QCOMPARE(colour(5, RxFreqCol, Qt::BackgroundRole), QColor(50, 50, 60));
        QCOMPARE(colour(4, RxFreqCol, Qt::ForegroundRole), QColor(240, 240, 240));
        main().skinAction(1)->trigger();
        QVERIFY(!qApp->styleSheet().isEmpty());
        QCOMPARE(colour(5, RxFreqCol, Qt::BackgroundRole), QColor(227, 227, 227));
        QCOMPARE(colour(4, RxFreqCol, Qt::ForegroundRole), QColor(Qt::black));
        QApplication::setPalette(desktop);
    }

private:
    MainWindow &main() { return windows_->main; }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, k, modifiers);
        QCoreApplication::processEvents();
    }
    void fill(int row) {
        const UiTexts &t = main().texts();
        const QString freq = QStringLiteral("438.50000");
        main().table().setRow(
            row, {freq, t.offText, freq, t.offText, t.highText, t.wideText, t.onText, t.offText});
        QCoreApplication::processEvents();
    }

    std::unique_ptr<SimulatedRadio> radio_;
    std::unique_ptr<AppWindows> windows_;
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility.moc"
