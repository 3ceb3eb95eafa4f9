#include "dialogs/spoken_alert.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace vrx {

void describeForScreenReader(QWidget *widget, const QString &text) {
    widget->setAccessibleDescription(text);
    QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void raiseSpokenAlert(QWidget *window, const QString &message) {
    describeForScreenReader(window, message);
    QAccessibleEvent alert(window, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace vrx
