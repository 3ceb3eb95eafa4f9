#pragma once

#include "storage/backups.h"
#include "storage/data_folder.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vrx {

class EditTexts;

// The backups of the data folder, newest first (kind, date and time, channels in use),
// with Open (the backup becomes the window's plan, one undo step), Compare with the
// window's plan, and Show folder. The window only lists and asks; the file actions act.
class BackupsWindow : public QDialog {
    Q_OBJECT
public:
    BackupsWindow(const DataFolder &folder, const EditTexts &texts, QWidget *parent = nullptr);

    // Reads the folder again; the first backup is selected.
    void refresh();
    void retranslate(const EditTexts &texts);

    QTableWidget *table() const { return table_; }
    QPushButton *openButton() const { return open_; }
    QPushButton *compareButton() const { return compare_; }
    QPushButton *showFolderButton() const { return showFolder_; }
    const QList<BackupEntry> &entries() const { return entries_; }
    // The backup of the selected row; empty when none is selected.
    QString selectedPath() const;

signals:
    void openRequested(const QString &path);
    void compareRequested(const QString &path);
    void showFolderRequested();

private:
    void fillTable();
    void updateButtons();

    DataFolder folder_;
    QList<BackupEntry> entries_;
    QStringList kindNames_;
    QString noneText_;
    QTableWidget *table_ = nullptr;
    QLabel *place_ = nullptr;
    QPushButton *open_ = nullptr;
    QPushButton *compare_ = nullptr;
    QPushButton *showFolder_ = nullptr;
};

} // namespace vrx
