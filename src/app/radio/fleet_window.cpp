#include "radio/fleet_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vrx {

FleetWindow::FleetWindow(const QList<FleetPort> &ports, FleetRun::PortLinks links, PlanSource plan,
                         const UiTexts &texts, const FleetTexts &fleetTexts,
                         const PortDialogTexts &portTexts, const DataFolder &dataFolder,
                         QWidget *parent)
    : QDialog(parent), run_(std::move(links)), plan_(std::move(plan)), texts_(texts),
      fleetTexts_(fleetTexts), dataFolder_(dataFolder) {
    setObjectName(QStringLiteral("fleetWindow"));
    setWindowTitle(fleetTexts_.title);
    run_.setPorts(ports);

    table_ = new QTableWidget(int(ports.size()), ColumnCount, this);
    table_->setObjectName(QStringLiteral("fleetTable"));
    table_->setHorizontalHeaderLabels({portTexts.device, portTexts.description,
                                       portTexts.serialNumber, fleetTexts_.columnProgress,
                                       fleetTexts_.columnPhase, fleetTexts_.columnResult});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(fleetTexts_.title);

    sourcePort_ = new QComboBox(this);
    sourcePort_->setObjectName(QStringLiteral("fleetSourcePort"));
    for (int row = 0; row < int(ports.size()); ++row) {
        const FleetPort &port = ports[row];
        const QString name = port.name == port.device
                                 ? port.device
                                 : QStringLiteral("%1 (%2)").arg(port.device, port.name);
        auto *item = new QTableWidgetItem(name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        table_->setItem(row, ColumnPort, item);
        table_->setItem(row, ColumnDescription, new QTableWidgetItem(port.usbDescription));
        table_->setItem(row, ColumnSerial, new QTableWidgetItem(port.usbSerial));
        auto *gauge = new QProgressBar(table_);
        gauge->setTextVisible(false);
        gauge->setValue(0);
        gauge->setAccessibleName(name);
        table_->setCellWidget(row, ColumnProgress, gauge);
        table_->setItem(row, ColumnPhase, new QTableWidgetItem());
        table_->setItem(row, ColumnResult, new QTableWidgetItem());
        sourcePort_->addItem(name);
    }
    table_->resizeColumnsToContents();
    if (!ports.isEmpty())
        table_->setCurrentCell(0, ColumnPort);

    planSource_ = new QRadioButton(fleetTexts_.sourcePlan, this);
    planSource_->setObjectName(QStringLiteral("fleetPlanSource"));
    planSource_->setChecked(true);
    radioSource_ = new QRadioButton(fleetTexts_.sourceRadio, this);
    radioSource_->setObjectName(QStringLiteral("fleetRadioSource"));
    sourcePort_->setAccessibleName(fleetTexts_.sourceRadio);
    backup_ = new QCheckBox(fleetTexts_.backupFirst, this);
    backup_->setObjectName(QStringLiteral("fleetBackup"));
    backup_->setChecked(true);
    verify_ = new QCheckBox(fleetTexts_.verify, this);
    verify_->setObjectName(QStringLiteral("fleetVerify"));
    verify_->setChecked(true);

    start_ = new QPushButton(fleetTexts_.start, this);
    start_->setObjectName(QStringLiteral("fleetStart"));
    start_->setDefault(true);
    stop_ = new QPushButton(fleetTexts_.stop, this);
    stop_->setObjectName(QStringLiteral("fleetStop"));
    runFailed_ = new QPushButton(fleetTexts_.runFailed, this);
    runFailed_->setObjectName(QStringLiteral("fleetRunFailed"));
    nextBatch_ = new QPushButton(fleetTexts_.nextBatch, this);
    nextBatch_->setObjectName(QStringLiteral("fleetNextBatch"));
    batch_ = new QLabel(this);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    report_ = new QLabel(this);
    report_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    report_->setWordWrap(true);

    auto *source = new QHBoxLayout;
    source->addWidget(radioSource_);
    source->addWidget(sourcePort_, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addWidget(runFailed_);
    buttons->addWidget(nextBatch_);
    buttons->addStretch(1);
    buttons->addWidget(batch_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(planSource_);
    layout->addLayout(source);
    layout->addWidget(backup_);
    layout->addWidget(verify_);
    layout->addLayout(buttons);
    layout->addWidget(summary_);
    layout->addWidget(report_);
    resize(760, 420);

    connect(start_, &QPushButton::clicked, this, &FleetWindow::startRun);
    connect(stop_, &QPushButton::clicked, this, [this] { run_.requestStop(); });
    connect(runFailed_, &QPushButton::clicked, this, [this] {
        summary_->clear();
        run_.runFailedAgain();
        updateButtons();
    });
    connect(nextBatch_, &QPushButton::clicked, this, [this] {
        run_.nextBatch();
        summary_->clear();
        report_->clear();
        updateButtons();
    });
    connect(radioSource_, &QRadioButton::toggled, this, [this] { updateButtons(); });
    connect(&run_, &FleetRun::rowChanged, this, &FleetWindow::showRow);
    connect(&run_, &FleetRun::runFinished, this, &FleetWindow::onRunFinished);
    updateButtons();
}

FleetWindow::~FleetWindow() = default;

void FleetWindow::startRun() {
    QList<int> rows;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, ColumnPort)->checkState() == Qt::Checked)
            rows << row;
    }
    FleetSettings settings;
    if (radioSource_->isChecked()) {
        settings.sourceRow = sourcePort_->currentIndex();
        if (!rows.contains(*settings.sourceRow))
            rows << *settings.sourceRow;
        std::sort(rows.begin(), rows.end());
    }
    if (rows.isEmpty() || (settings.sourceRow && rows.size() < 2)) {
        summary_->setText(fleetTexts_.noneChecked);
        return;
    }
    QString reason;
    const std::optional<TransferPlan> plan = plan_(&reason);
    if (!plan) {
        summary_->setText(reason);
        return;
    }
    settings.plan = *plan;
    settings.texts = texts_;
    settings.backupFirst = backup_->isChecked();
    settings.verifyAfter = verify_->isChecked();
    settings.dataFolder = dataFolder_;
    summary_->clear();
    report_->clear();
    run_.start(rows, settings);
    updateButtons();
}

QString FleetWindow::phaseText(TransferPhase phase) const {
    switch (phase) {
    case TransferPhase::Opening:
        return fleetTexts_.phaseWaiting;
    case TransferPhase::Reading:
        return fleetTexts_.phaseReading;
    case TransferPhase::BackingUp:
        return fleetTexts_.phaseBackingUp;
    case TransferPhase::Writing:
        return fleetTexts_.phaseWriting;
    case TransferPhase::Verifying:
        return fleetTexts_.phaseVerifying;
    case TransferPhase::Done:
        return fleetTexts_.phaseDone;
    }
    return {};
}

QString FleetWindow::resultText(const FleetPortResult &result) const {
    switch (result.outcome) {
    case FleetOutcome::NotRun:
    case FleetOutcome::Running:
        return {};
    case FleetOutcome::Verified:
        return fleetTexts_.resultVerified;
    case FleetOutcome::Written:
        return fleetTexts_.resultWritten;
    case FleetOutcome::Read:
        return fleetTexts_.resultRead;
    case FleetOutcome::Differs:
        return fleetTexts_.resultDiffers.arg(result.differences).arg(result.firstDifference);
    case FleetOutcome::Failed:
        if (result.stopped)
            return fleetTexts_.resultStopped;
        return fleetTexts_.resultFailed.arg(result.message.isEmpty() ? result.why : result.message);
    }
    return {};
}

void FleetWindow::showRow(int row) {
    if (row < 0 || row >= table_->rowCount())
        return;
    const FleetPortResult &result = run_.result(row);
    auto *gauge = qobject_cast<QProgressBar *>(table_->cellWidget(row, ColumnProgress));
    if (result.outcome == FleetOutcome::NotRun) {
        gauge->setValue(0);
        table_->item(row, ColumnPhase)->setText(QString());
    } else {
        // Like the transfer dialog's gauge, a value past the maximum shows full.
        gauge->setMaximum(std::max(1, result.progressMax));
        gauge->setValue(std::min(result.progress, gauge->maximum()));
        table_->item(row, ColumnPhase)->setText(phaseText(result.phase));
    }
    const QString text = resultText(result);
    table_->item(row, ColumnResult)->setText(text);
    table_->item(row, ColumnResult)->setToolTip(result.why);
}

void FleetWindow::onRunFinished() {
    int run = 0;
    int succeeded = 0;
    for (const FleetPortResult &result : run_.results()) {
        if (result.outcome == FleetOutcome::NotRun)
            continue;
        ++run;
        succeeded += result.succeeded() ? 1 : 0;
    }
    summary_->setText(fleetTexts_.summary.arg(succeeded).arg(run));
    if (run_.reportError().isEmpty())
        report_->setText(fleetTexts_.reportAt.arg(QDir::toNativeSeparators(run_.reportPath())));
    else
        report_->setText(fleetTexts_.reportFailed.arg(run_.reportError()));
    updateButtons();
    if (closeWhenDone_)
        close();
}

void FleetWindow::updateButtons() {
    const bool running = run_.isRunning();
    start_->setEnabled(!running);
    stop_->setEnabled(running);
    runFailed_->setEnabled(!running && !run_.failedRows().isEmpty());
    nextBatch_->setEnabled(!running);
    planSource_->setEnabled(!running);
    radioSource_->setEnabled(!running);
    sourcePort_->setEnabled(!running && radioSource_->isChecked());
    backup_->setEnabled(!running);
    verify_->setEnabled(!running);
    batch_->setText(fleetTexts_.batch.arg(run_.batch()));
}

void FleetWindow::reject() {
    if (run_.isRunning()) {
        closeWhenDone_ = true;
        run_.requestStop();
        return;
    }
    QDialog::reject();
}

void FleetWindow::closeEvent(QCloseEvent *event) {
    if (run_.isRunning()) {
        closeWhenDone_ = true;
        run_.requestStop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace vrx
