#include "radio/transfer_dialog.h"

#include "dialogs/spoken_alert.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMoveEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vrx {

TransferDialog::TransferDialog(QWidget *parent) : BlockingDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(356, 194);

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("gauge"));
    gauge_->setRange(0, kReadSteps);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    gauge_->setFixedHeight(22);

    start_ = new QPushButton(QStringLiteral("读频"), this);
    start_->setObjectName(QStringLiteral("start"));
    start_->setMinimumWidth(90);
    close_ = new QPushButton(QStringLiteral("关闭"), this);
    close_->setObjectName(QStringLiteral("close"));
    close_->setMinimumWidth(90);

    status_ = new QLabel(QStringLiteral("赞博电子有限公司"), this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setContentsMargins(6, 2, 6, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addSpacing(24);
    buttons->addWidget(close_);
    buttons->addStretch();

    phase_ = new QLabel(this);
    phase_->setObjectName(QStringLiteral("phase"));
    phase_->hide();
    backupCheck_ = new QCheckBox(QStringLiteral("先备份电台"), this);
    backupCheck_->setObjectName(QStringLiteral("backupFirst"));
    verifyCheck_ = new QCheckBox(QStringLiteral("写入后校验"), this);
    verifyCheck_->setObjectName(QStringLiteral("verifyAfter"));
    auto *options = new QHBoxLayout;
    options->addWidget(backupCheck_);
    options->addWidget(verifyCheck_);
    options->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 10, 24, 6);
    layout->addWidget(phase_);
    layout->addWidget(gauge_);
    layout->addLayout(options);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addWidget(status_);

    progressTimer_.setSingleShot(true);
    progressTimer_.setInterval(kProgressIntervalMs);
    connect(&progressTimer_, &QTimer::timeout, this, &TransferDialog::showProgress);

    connect(start_, &QPushButton::clicked, this, &TransferDialog::startRequested);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

void TransferDialog::prepare(TransferKind kind, const QString &caption) {
    kind_ = kind;
    setWindowTitle(caption);
    start_->setText(caption);
    gauge_->setRange(0, kind == TransferKind::Read ? kReadSteps : kWriteSteps);
    progress_ = 0;
    showProgress();
    backupCheck_->setVisible(kind == TransferKind::Write);
    verifyCheck_->setVisible(kind == TransferKind::Write);
    setPhase({});
    if (showingOutcome_) {
        status_->setText(makerText_);
        status_->setToolTip({});
    }
    showingOutcome_ = false;
}

void TransferDialog::setWriteOptions(bool backup, bool verify) {
    backupCheck_->setChecked(backup);
    verifyCheck_->setChecked(verify);
}

bool TransferDialog::backupFirst() const {
    return kind_ == TransferKind::Write && backupCheck_->isChecked();
}

bool TransferDialog::verifyAfter() const {
    return kind_ == TransferKind::Write && verifyCheck_->isChecked();
}

void TransferDialog::setPhase(const QString &text) {
    phase_->setText(text);
    // The gauge has the screen reader's attention during a run; it tells the phase.
    describeForScreenReader(gauge_, text);
    phase_->setVisible(!text.isEmpty());
    emit phaseShown(text);
}

void TransferDialog::setStatusText(const QString &text) {
    // The maker's name (from the language pack) comes back with the next transfer.
    if (!showingOutcome_)
        makerText_ = status_->text();
    showingOutcome_ = true;
    // The window has a fixed size: a long outcome is shortened to the line, whole in the
    // tool tip.
    const QString shown =
        status_->fontMetrics().elidedText(text, Qt::ElideRight, status_->contentsRect().width());
    status_->setText(shown);
    status_->setToolTip(shown == text ? QString() : text);
    describeForScreenReader(gauge_, text);
}

void TransferDialog::setProgress(int value) {
    progress_ = std::clamp(value, gauge_->minimum(), gauge_->maximum());
    // QProgressBar repaints synchronously on every change; that would hold up the
    // exchange at each step. Ten drawings a second look as smooth as one per channel.
    if (!progressTimer_.isActive())
        progressTimer_.start();
}

void TransferDialog::showProgress() {
    progressTimer_.stop();
    gauge_->setValue(progress_);
}

void TransferDialog::setRunning(bool running) {
    if (!running)
        showProgress();
    running_ = running;
    // The disabled start button would drop the focus: Cancel takes it, so that Escape
    // and the keyboard still reach the window during the run.
    if (running && start_->hasFocus())
        close_->setFocus();
    start_->setEnabled(!running);
    if (!running && close_->hasFocus())
        start_->setFocus();
    backupCheck_->setEnabled(!running);
    verifyCheck_->setEnabled(!running);
    runningPos_ = pos();
}

void TransferDialog::setKeptOnTop(bool onTop) {
    if (isKeptOnTop() == onTop)
        return;
    // Changing window flags hides a window; put it back as it was.
    const bool visible = isVisible();
    const QPoint at = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) {
        move(at);
        show();
    }
}

bool TransferDialog::isKeptOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TransferDialog::done(int result) {
    if (running_) {
        // The exchange is still using the port: it stops at its next step boundary,
        // ends the radio's clone mode and reports how far it got.
        emit stopRequested();
        return;
    }
    BlockingDialog::done(result);
}

void TransferDialog::showEvent(QShowEvent *event) {
    BlockingDialog::showEvent(event);
    start_->setFocus();
}

void TransferDialog::moveEvent(QMoveEvent *event) {
    BlockingDialog::moveEvent(event);
    // Dragging the caption cannot be refused portably, so a running transfer's window
    // returns to where it was.
    if (running_ && event->pos() != runningPos_)
        move(runningPos_);
}

} // namespace vrx
