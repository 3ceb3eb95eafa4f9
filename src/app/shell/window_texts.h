#pragma once

#include <QString>

namespace vrx {

class LanguagePack;
class MainWindow;

// Puts a language pack's captions on the four windows: menus, tool bar, labels, tabs,
// buttons and the dialogs' texts, each by its pack id. An id the pack lacks leaves its
// destination as it is. (Slots, option lists and grid headers are the core's part.)
void applyPackToWindows(const LanguagePack &pack, MainWindow &window);

// A menu caption as a window title: "关于(&A)..." -> "关于...", "&About..." -> "About...".
QString withoutAccessKey(const QString &caption);

} // namespace vrx
