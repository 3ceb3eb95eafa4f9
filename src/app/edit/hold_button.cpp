#include "edit/hold_button.h"

#include <QMouseEvent>

namespace vrx {

void HoldButton::mousePressEvent(QMouseEvent *event) {
    event->accept();
    if (held_)
        return; // a second button while the first is down
    held_ = true;
    setDown(true);
    emit held();
}

void HoldButton::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    if (event->buttons() == Qt::NoButton)
        stop();
}

void HoldButton::mouseMoveEvent(QMouseEvent *event) {
    event->accept();
}

void HoldButton::hideEvent(QHideEvent *event) {
    stop();
    QPushButton::hideEvent(event);
}

void HoldButton::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stop();
    QPushButton::changeEvent(event);
}

void HoldButton::stop() {
    if (!held_)
        return;
    held_ = false;
    setDown(false);
    emit letGo();
}

} // namespace vrx
