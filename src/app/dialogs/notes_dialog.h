#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace vrx {

// The notes of an import, a paste or an export: a line of summary over a list the user
// can read and copy, and an OK button (Enter or Escape close it).
class NotesDialog : public QDialog {
    Q_OBJECT
public:
    NotesDialog(const QString &title, const QString &summary, const QStringList &notes,
                QWidget *parent = nullptr);

    QString summary() const;
    QStringList notes() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *summary_ = nullptr;
    QPlainTextEdit *notes_ = nullptr;
};

} // namespace vrx
