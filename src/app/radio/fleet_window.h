#pragma once

#include "i18n/fleet_texts.h"
#include "i18n/port_texts.h"
#include "i18n/ui_texts.h"
#include "radio/fleet_run.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vrx {

// Edit > Program several radios…: a row per port with its check box, gauge, phase and
// result; the source (the window's plan, or a radio read first); the options; Start,
// Stop, "Run failed again" and "Next batch"; where the report is.
class FleetWindow : public QDialog {
    Q_OBJECT
public:
    // The plan to write when Start is pressed; nullopt (with the reason shown) when the
    // window's plan cannot be written.
    using PlanSource = std::function<std::optional<TransferPlan>(QString *reason)>;

    enum Column {
        ColumnPort,
        ColumnDescription,
        ColumnSerial,
        ColumnProgress,
        ColumnPhase,
        ColumnResult,
        ColumnCount
    };

    FleetWindow(const QList<FleetPort> &ports, FleetRun::PortLinks links, PlanSource plan,
                const UiTexts &texts, const FleetTexts &fleetTexts,
                const PortDialogTexts &portTexts, const DataFolder &dataFolder,
                QWidget *parent = nullptr);
    ~FleetWindow() override;

    FleetRun &run() { return run_; }
    QTableWidget *table() const { return table_; }
    QRadioButton *planSourceButton() const { return planSource_; }
    QRadioButton *radioSourceButton() const { return radioSource_; }
    QComboBox *sourceChooser() const { return sourcePort_; }
    QCheckBox *backupBox() const { return backup_; }
    QCheckBox *verifyBox() const { return verify_; }
    QPushButton *startButton() const { return start_; }
    QPushButton *stopButton() const { return stop_; }
    QPushButton *runFailedButton() const { return runFailed_; }
    QPushButton *nextBatchButton() const { return nextBatch_; }
    QLabel *batchLabel() const { return batch_; }
    QLabel *summaryLabel() const { return summary_; }
    QLabel *reportLabel() const { return report_; }

    // Escape and the close button while radios run: they are asked to stop, and the
    // window closes once they all have.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void startRun();
    void showRow(int row);
    void onRunFinished();
    void updateButtons();
    QString phaseText(TransferPhase phase) const;
    QString resultText(const FleetPortResult &result) const;

    FleetRun run_;
    PlanSource plan_;
    UiTexts texts_;
    FleetTexts fleetTexts_;
    DataFolder dataFolder_;
    bool closeWhenDone_ = false;

    QTableWidget *table_ = nullptr;
    QRadioButton *planSource_ = nullptr;
    QRadioButton *radioSource_ = nullptr;
    QComboBox *sourcePort_ = nullptr;
    QCheckBox *backup_ = nullptr;
    QCheckBox *verify_ = nullptr;
    QPushButton *start_ = nullptr;
    QPushButton *stop_ = nullptr;
    QPushButton *runFailed_ = nullptr;
    QPushButton *nextBatch_ = nullptr;
    QLabel *batch_ = nullptr;
    QLabel *summary_ = nullptr;
    QLabel *report_ = nullptr;
};

} // namespace vrx
