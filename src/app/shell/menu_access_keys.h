#pragma once

class QAction;
class QMenu;
class QString;
class QMenuBar;

namespace vrx {

// Gives the items of the menu bar, or of one menu, an access key each that no other item
// there shares (see withAccessKeys). The texts come from the language packs, so this runs after a
// pack is applied and again as each menu opens, for items that change their caption.
void assignAccessKeys(QMenuBar *bar);
void assignAccessKeys(QMenu *menu);
// Letters to try for an item whose caption has no key of its own in some language.
void setAccessKeyHint(QAction *action, const QString &letters);
// Keeps a menu's keys right from now on: at each opening, for it and its submenus.
void keepAccessKeys(QMenu *menu);

} // namespace vrx
