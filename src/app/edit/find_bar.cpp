#include "edit/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace vrx {

FindBar::FindBar(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("findBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("findField"));
    field_->setClearButtonEnabled(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("findStatus"));
    label_->setBuddy(field_);
    layout->addWidget(label_);
    layout->addWidget(field_, 1);
    layout->addWidget(status_);
    hide();
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::returnPressed, this, &FindBar::nextRequested);
    connect(field_, &QLineEdit::textEdited, this, [this] { showNotFound(false); });
}

QString FindBar::query() const {
    return field_->text();
}

void FindBar::open() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::dismiss() {
    hide();
    showNotFound(false);
    emit closed();
}

void FindBar::setCaptions(const QString &label, const QString &notFound) {
    label_->setText(label);
    notFound_ = notFound;
    if (!status_->text().isEmpty())
        status_->setText(notFound_);
}

void FindBar::showNotFound(bool notFound) {
    status_->setText(notFound ? notFound_ : QString());
}

bool FindBar::eventFilter(QObject *watched, QEvent *event) {
    if (watched == field_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        dismiss();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vrx
