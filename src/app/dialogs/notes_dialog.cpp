#include "dialogs/notes_dialog.h"

#include "dialogs/spoken_alert.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrx {

NotesDialog::NotesDialog(const QString &title, const QString &summary, const QStringList &notes,
                         QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    summary_ = new QLabel(summary, this);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    notes_ = new QPlainTextEdit(this);
    notes_->setReadOnly(true);
    notes_->setLineWrapMode(QPlainTextEdit::NoWrap);
    notes_->setPlainText(notes.join(u'\n'));
    layout->addWidget(notes_, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    resize(640, 360);
}

void NotesDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    raiseSpokenAlert(this, summary_->text());
}

QString NotesDialog::summary() const {
    return summary_->text();
}

QStringList NotesDialog::notes() const {
    return notes_->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

} // namespace vrx
