#include "dialogs/warning_dialog.h"

#include "dialogs/spoken_alert.h"

#include "i18n/visible_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace vrx {

namespace {

const QSize kSize(334, 161);
// Wide enough for a command line in the details.
constexpr int kWidthWithDetails = 480;

} // namespace

WarningDialog::WarningDialog(QWidget *parent) : BlockingDialog(parent) {
    // A question or notice must be answered before the main window is used again.
    setHoldsMainWindow(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("警告"));
    setFixedSize(kSize);

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

    details_ = new QLabel(this);
    details_->setObjectName(QStringLiteral("details"));
    details_->setTextFormat(Qt::PlainText);
    details_->setWordWrap(true);
    // The remedy may be a command to copy.
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details_->hide();

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    offer_ = new QPushButton(this);
    offer_->setObjectName(QStringLiteral("offer"));
    offer_->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addWidget(message_, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addSpacing(16);
    buttons->addWidget(cancel_);
    buttons->addSpacing(16);
    buttons->addWidget(offer_);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->addLayout(top, 1);
    layout->addWidget(details_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &WarningDialog::okClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(offer_, &QPushButton::clicked, this, [this] {
        const std::function<void()> action = std::move(offered_);
        offered_ = nullptr;
        reject();
        if (action)
            action();
    });
}

void WarningDialog::offer(const QString &text, std::function<void()> action) {
    offer_->setText(withVisibleControls(text));
    offered_ = std::move(action);
    offer_->show();
}

void WarningDialog::showMessage(const QString &title, const QString &message, DialogMode mode,
                                const QStringList &details) {
    setWindowTitle(withVisibleControls(title));
    message_->setText(withVisibleControls(message, true));
    details_->setText(withVisibleControls(details.join(u'\n'), true));
    details_->setVisible(!details.isEmpty());
    if (details.isEmpty()) {
        setFixedSize(kSize);
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int height = std::max(kSize.height(), layout()->heightForWidth(kWidthWithDetails));
        setFixedSize(kWidthWithDetails, height);
    }
    mode_ = mode;
    offer_->hide();
    offered_ = nullptr;
    showBlocking();
}

QString WarningDialog::message() const {
    return message_->text();
}

QStringList WarningDialog::details() const {
    return details_->text().isEmpty() ? QStringList() : details_->text().split(u'\n');
}

void WarningDialog::showEvent(QShowEvent *event) {
    emit aboutToShow();
    BlockingDialog::showEvent(event);
    raiseSpokenAlert(this, message_->text());
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
