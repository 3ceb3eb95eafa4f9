#pragma once

#include "dialogs/blocking_dialog.h"

#include <QPoint>
#include <QTimer>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vrx {

enum class TransferKind : int { Read = 1, Write = 2 };

// Progress window of a read or write: a gauge, a start button that runs the transfer
// and a close button. While a transfer runs it can be neither closed nor moved.
class TransferDialog : public BlockingDialog {
    Q_OBJECT
public:
    static constexpr int kReadSteps = 203;
    static constexpr int kWriteSteps = 206;

    explicit TransferDialog(QWidget *parent = nullptr);

    // Caption and start button read `caption`; the gauge goes to 0 of 203 or 206.
    void prepare(TransferKind kind, const QString &caption);
    TransferKind kind() const { return kind_; }

    // A value past the maximum shows a full gauge. The gauge is drawn from the event loop
    // (during a wait of the transfer for the radio) at most every kProgressIntervalMs, not
    // at each step: the exchange goes on while it repaints. Stopping the run and prepare()
    // show the value at once.
    static constexpr int kProgressIntervalMs = 100;
    void setProgress(int value);
    int progress() const { return progress_; }

    // Running: the start button is disabled and the window stays put; Cancel, Escape and
    // closing the window ask the run to stop (stopRequested) instead of closing it.
    void setRunning(bool running);
    bool isRunning() const { return running_; }

    // The warning dialog lowers this window while it shows a failure over it.
    void setKeptOnTop(bool onTop);
    bool isKeptOnTop() const;

    QProgressBar *gauge() const { return gauge_; }
    QPushButton *startButton() const { return start_; }
    QPushButton *closeButton() const { return close_; }
    QLabel *statusLabel() const { return status_; }

    // Write mode only: "back up the radio first" and "verify after writing", both off
    // unless the settings say otherwise, so a plain write stays the plain exchange.
    QCheckBox *backupCheck() const { return backupCheck_; }
    QCheckBox *verifyCheck() const { return verifyCheck_; }
    void setWriteOptions(bool backup, bool verify);
    bool backupFirst() const;
    bool verifyAfter() const;
    // The label above the gauge that names the phase (backing up, writing, verifying);
    // an empty text hides it.
    void setPhase(const QString &text);
    QLabel *phaseLabel() const { return phase_; }
    // The status line: the maker's name, or the outcome of a verified write.
    void setStatusText(const QString &text);

signals:
    void startRequested();
    // Cancel, Escape or the window's close during a run.
    void stopRequested();
    // A new phase label, shown as setPhase() sets it.
    void phaseShown(const QString &text);

protected:
    void done(int result) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QProgressBar *gauge_ = nullptr;
    QPushButton *start_ = nullptr;
    QPushButton *close_ = nullptr;
    QLabel *status_ = nullptr;
    QCheckBox *backupCheck_ = nullptr;
    QCheckBox *verifyCheck_ = nullptr;
    QLabel *phase_ = nullptr;
    QString makerText_;
    bool showingOutcome_ = false;
    TransferKind kind_ = TransferKind::Read;
    bool running_ = false;
    QPoint runningPos_;
    void showProgress();

    int progress_ = 0;
    QTimer progressTimer_;
};

} // namespace vrx
