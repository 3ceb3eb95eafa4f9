#include "files/backups_window.h"

#include "i18n/edit_texts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vrx {

namespace {

enum Column { KindColumn, TimeColumn, ChannelsColumn, kColumns };

// Position of each kind's name in kindNames_.
int kindIndex(BackupKind kind) {
    return static_cast<int>(kind);
}

} // namespace

BackupsWindow::BackupsWindow(const DataFolder &folder, const EditTexts &texts, QWidget *parent)
    : QDialog(parent), folder_(folder) {
    setObjectName(QStringLiteral("backupsWindow"));
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("backupsTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    place_ = new QLabel(this);
    place_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    place_->setWordWrap(true);

    open_ = new QPushButton(this);
    open_->setObjectName(QStringLiteral("openBackup"));
    open_->setDefault(true);
    compare_ = new QPushButton(this);
    compare_->setObjectName(QStringLiteral("compareBackup"));
    showFolder_ = new QPushButton(this);
    showFolder_->setObjectName(QStringLiteral("showBackupsFolder"));
    connect(open_, &QPushButton::clicked, this, [this] {
        if (const QString path = selectedPath(); !path.isEmpty())
            emit openRequested(path);
    });
    connect(compare_, &QPushButton::clicked, this, [this] {
        if (const QString path = selectedPath(); !path.isEmpty())
            emit compareRequested(path);
    });
    connect(showFolder_, &QPushButton::clicked, this, &BackupsWindow::showFolderRequested);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &BackupsWindow::updateButtons);
    connect(table_, &QTableWidget::cellDoubleClicked, open_, &QPushButton::click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(compare_);
    buttons->addStretch(1);
    buttons->addWidget(showFolder_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(place_);
    layout->addLayout(buttons);
    resize(560, 380);
    retranslate(texts);
}

void BackupsWindow::retranslate(const EditTexts &texts) {
    setWindowTitle(texts.text(PackId::BackupsTitle));
    table_->setHorizontalHeaderLabels({texts.text(PackId::BackupsColumnKind),
                                       texts.text(PackId::BackupsColumnTime),
                                       texts.text(PackId::BackupsColumnChannels)});
    // In the order of BackupKind.
    kindNames_ = {texts.text(PackId::BackupKindRead), texts.text(PackId::BackupKindBeforeWrite),
                  texts.text(PackId::BackupKindUnsaved), texts.text(PackId::BackupKindPartial)};
    noneText_ = texts.text(PackId::BackupsNone);
    open_->setText(texts.text(PackId::BackupsOpenButton));
    compare_->setText(texts.text(PackId::BackupsCompareButton));
    showFolder_->setText(texts.text(PackId::BackupsShowFolderButton));
    fillTable();
}

void BackupsWindow::refresh() {
    entries_ = listBackups(folder_);
    fillTable();
    if (!entries_.isEmpty())
        table_->selectRow(0);
    table_->setFocus(Qt::OtherFocusReason);
}

void BackupsWindow::fillTable() {
    const int selected = table_->currentRow();
    table_->setRowCount(int(entries_.size()));
    for (int row = 0; row < entries_.size(); ++row) {
        const BackupEntry &entry = entries_[row];
        const QString cells[kColumns] = {
            kindNames_.value(kindIndex(entry.kind)),
            // One form in both languages, sorted as read.
            entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            entry.channelsInUse < 0 ? QStringLiteral("?") : QString::number(entry.channelsInUse),
        };
        for (int col = 0; col < kColumns; ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            item->setToolTip(QDir::toNativeSeparators(entry.path));
            if (col == ChannelsColumn)
                item->setTextAlignment(Qt::AlignCenter);
            table_->setItem(row, col, item);
        }
    }
    table_->resizeColumnsToContents();
    const QString folder = QDir::toNativeSeparators(folder_.backupsPath());
    place_->setText(entries_.isEmpty() ? noneText_.arg(folder) : folder);
    if (selected >= 0 && selected < entries_.size())
        table_->selectRow(selected);
    updateButtons();
}

QString BackupsWindow::selectedPath() const {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    if (ranges.isEmpty())
        return {};
    const int row = ranges.first().topRow();
    return row >= 0 && row < entries_.size() ? entries_[row].path : QString();
}

void BackupsWindow::updateButtons() {
    const bool chosen = !selectedPath().isEmpty();
    open_->setEnabled(chosen);
    compare_->setEnabled(chosen);
}

} // namespace vrx
