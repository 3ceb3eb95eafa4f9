#pragma once

#include "dialogs/blocking_dialog.h"

class QLabel;
class QPushButton;

namespace vrx {

// Names the product, its version and its maker; blocks the main window while open.
class AboutDialog : public BlockingDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    QLabel *productLabel() const { return product_; }
    QLabel *versionLabel() const { return version_; }
    QLabel *rightsLabel() const { return rights_; }
    QLabel *companyLabel() const { return company_; }
    QPushButton *okButton() const { return ok_; }

private:
    QLabel *product_ = nullptr;
    QLabel *version_ = nullptr;
    QLabel *rights_ = nullptr;
    QLabel *company_ = nullptr;
    QPushButton *ok_ = nullptr;
};

} // namespace vrx
