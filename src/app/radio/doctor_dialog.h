#pragma once

#include "i18n/doctor_texts.h"
#include "radio/connection_doctor.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QThread;
class QTreeWidget;

namespace vrx {

// Test connection: runs the checks of one port on a thread of their own (the probe
// waits on the line for up to a second and a half) and lists them with their remedies.
class DoctorDialog : public QDialog {
    Q_OBJECT
public:
    using Job = std::function<DoctorReport()>;

    DoctorDialog(const QString &device, Job job, const DoctorTexts &texts,
                 QWidget *parent = nullptr);
    // Waits for a check still running: it holds the port.
    ~DoctorDialog() override;

    bool running() const;
    const DoctorReport &report() const { return report_; }

    QLabel *summaryLabel() const { return summary_; }
    QTreeWidget *checkList() const { return list_; }
    QPushButton *closeButton() const { return close_; }

signals:
    // The checks are done and listed.
    void finishedChecks();

private:
    void showReport();

    DoctorTexts texts_;
    Job job_;
    DoctorReport report_;
    QThread *thread_ = nullptr;
    QLabel *summary_ = nullptr;
    QTreeWidget *list_ = nullptr;
    QPushButton *close_ = nullptr;
};

} // namespace vrx
