#pragma once

#include "storage/plan_diff.h"

#include <QDialog>

class QTableWidget;

namespace vrx {

// The differences between the window's plan and a file: one row each, with what differs,
// its value in this plan and its value in the file.
class PlanDiffDialog : public QDialog {
    Q_OBJECT
public:
    PlanDiffDialog(const QList<PlanDifference> &differences, const QString &title,
                   const QStringList &headers, QWidget *parent = nullptr);

    QTableWidget *table() const { return table_; }

private:
    QTableWidget *table_ = nullptr;
};

} // namespace vrx
