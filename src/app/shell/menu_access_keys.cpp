#include "shell/menu_access_keys.h"

#include "i18n/access_keys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vrx {

namespace {

// Letters to try for a caption that has none of its own (a Chinese one): set by the
// program where it knows a better letter than the first free one.
constexpr const char *kHintProperty = "accessKeyHint";

void assignToActions(const QList<QAction *> &actions) {
    QList<QAction *> items;
    QList<MenuCaption> captions;
    for (QAction *action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        items.append(action);
        captions.append({action->text(), action->property(kHintProperty).toString()});
    }
    const QStringList keyed = withAccessKeys(captions);
    for (qsizetype i = 0; i < items.size(); ++i) {
        // A submenu's own items get theirs as it opens.
        if (items[i]->text() != keyed[i])
            items[i]->setText(keyed[i]);
    }
}

} // namespace

void setAccessKeyHint(QAction *action, const QString &letters) {
    action->setProperty(kHintProperty, letters);
}

void assignAccessKeys(QMenuBar *bar) {
    assignToActions(bar->actions());
}

void assignAccessKeys(QMenu *menu) {
    assignToActions(menu->actions());
}

void keepAccessKeys(QMenu *menu) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { assignAccessKeys(menu); });
    for (QAction *action : menu->actions()) {
        if (QMenu *sub = action->menu())
            keepAccessKeys(sub);
    }
}

} // namespace vrx
