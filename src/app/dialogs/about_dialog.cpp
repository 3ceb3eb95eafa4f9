#include "dialogs/about_dialog.h"

#include "shell/app_icons.h"

#include <QLabel>
#include <QPushButton>

namespace vrx {

namespace {

QLabel *textLine(const QString &text, int top, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    // Wider and taller than the classic 145 x 13 so that CJK glyphs are not clipped.
    label->setGeometry(144, top - 3, 240, 20);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent) : BlockingDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("关于..."));
    setFixedSize(402, 242);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setGeometry(32, 40, 57, 65);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(radioPicture());

    product_ = textLine(QStringLiteral("VRX5800对讲机编程软件 "), 32, this);
    version_ = textLine(QStringLiteral("版本：5800-1.001 "), 64, this);
    rights_ = textLine(QStringLiteral("版权所有 (C) 2008-2024 赞博电子"), 96, this);
    company_ = textLine(QStringLiteral("赞博电子有限公司"), 128, this);

    ok_ = new QPushButton(appIcon(AppIcon::Ok), QStringLiteral("Ok"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setIconSize(QSize(24, 24));
    ok_->setGeometry(152, 168, 97, 30);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vrx
