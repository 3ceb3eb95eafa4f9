#include "dialogs/plan_diff_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vrx {

PlanDiffDialog::PlanDiffDialog(const QList<PlanDifference> &differences, const QString &title,
                               const QStringList &headers, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("planDiff"));
    table_ = new QTableWidget(int(differences.size()), 3, this);
    table_->setHorizontalHeaderLabels(headers);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < differences.size(); ++row) {
        const PlanDifference &d = differences[row];
        const QString cells[] = {d.what(), d.left, d.right};
        for (int col = 0; col < 3; ++col)
            table_->setItem(row, col, new QTableWidgetItem(cells[col]));
    }
    table_->resizeColumnsToContents();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(520, 360);
}

} // namespace vrx
