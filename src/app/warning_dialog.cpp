#include "warning_dialog.h"

#include "i18n/visible_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vrx {

WarningDialog::WarningDialog(QWidget *parent) : BlockingDialog(parent) {
    // A question or notice must be answered before the main window is used again.
    setHoldsMainWindow(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("警告"));
    setFixedSize(334, 161);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("warningIcon"));
    icon->setFixedSize(48, 48);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));

    message_ = new QLabel(QStringLiteral("cap1"), this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setMinimumSize(225, 49);

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(message_, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addSpacing(16);
    buttons->addWidget(cancel_);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &WarningDialog::okClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void WarningDialog::showMessage(const QString &title, const QString &message, DialogMode mode) {
    setWindowTitle(withVisibleControls(title));
    message_->setText(withVisibleControls(message, true));
    mode_ = mode;
    showBlocking();
}

QString WarningDialog::message() const {
    return message_->text();
}

void WarningDialog::showEvent(QShowEvent *event) {
    emit aboutToShow();
    BlockingDialog::showEvent(event);
}

void WarningDialog::okClicked() {
    // Close first, so the main window is enabled and the transfer dialog back on top
    // before the confirmed action runs.
    const DialogMode mode = mode_;
    accept();
    if (mode == DialogMode::NewPlan || mode == DialogMode::ClearChannels) {
        mode_ = DialogMode::Notice;
        emit confirmed(mode);
    }
}

} // namespace vrx
