#include "radio/doctor_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vrx {

DoctorDialog::DoctorDialog(const QString &device, Job job, const DoctorTexts &texts,
                           QWidget *parent)
    : QDialog(parent), texts_(texts), job_(std::move(job)) {
    setObjectName(QStringLiteral("doctorDialog"));
    setWindowTitle(texts_.title);
    resize(760, 360);

    summary_ = new QLabel(texts_.running.arg(device), this);
    summary_->setObjectName(QStringLiteral("doctorSummary"));
    summary_->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("doctorChecks"));
    list_->setRootIsDecorated(false);
    list_->setWordWrap(true);
    list_->setHeaderLabels(
        {texts_.columnCheck, texts_.columnStatus, texts_.columnDetail, texts_.columnRemedy});
    list_->setAccessibleName(texts_.title);
    list_->header()->setStretchLastSection(true);
    list_->setColumnWidth(0, 110);
    list_->setColumnWidth(1, 70);
    list_->setColumnWidth(2, 300);
    summary_->setBuddy(list_);

    close_ = new QPushButton(texts_.closeButton, this);
    close_->setObjectName(QStringLiteral("doctorClose"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    // The window's thread never waits on the line.
    thread_ = QThread::create([this] { report_ = job_(); });
    connect(thread_, &QThread::finished, this, &DoctorDialog::showReport);
    thread_->start();
    close_->setFocus();
}

DoctorDialog::~DoctorDialog() {
    thread_->wait();
    delete thread_;
}

bool DoctorDialog::running() const {
    return !thread_->isFinished();
}

void DoctorDialog::showReport() {
    summary_->setText(reportSummary(report_, texts_));
    for (const DoctorCheck &check : report_.checks) {
        auto *item = new QTreeWidgetItem(list_, {checkTitle(check.name, texts_),
                                                 checkStatusText(check.status, texts_),
                                                 check.detail, check.remedy});
        item->setToolTip(2, check.detail);
        item->setToolTip(3, check.remedy);
    }
    if (!report_.checks.isEmpty())
        list_->setCurrentItem(list_->topLevelItem(0));
    emit finishedChecks();
}

} // namespace vrx
