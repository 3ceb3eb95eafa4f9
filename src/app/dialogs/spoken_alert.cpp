#include "dialogs/spoken_alert.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace vrx {

void raiseSpokenAlert(QWidget *window, const QString &message) {
    window->setAccessibleDescription(message);
    QAccessibleEvent alert(window, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace vrx
