#pragma once

#include <QLabel>

namespace vrx {

// A caption that acts like a hyperlink: underlined, hand cursor, clicked() on release.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace vrx
