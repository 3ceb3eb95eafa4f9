#pragma once

#include "storage/app_settings.h"

#include <QColor>
#include <QString>

namespace vrx {

// The built-in skins (kSkinCount of them), numbered as the skin menu and the settings
// file count them.
inline constexpr int kDefaultSkin = 1;

// 1 "蓝色一族" (blue), 2 "钢板" (steel), 3 "咖啡" (coffee); empty for other numbers.
QString skinStyleSheet(int skin);

// Background of a grid cell whose frequency lies outside the selected bands: a colour of
// each skin's own, apart from its shading; the default skin's for other numbers.
QColor outOfBandColour(int skin);

// Makes skin 1..3 the application-wide style sheet, so every window follows it; the
// system skin (kSystemSkin) clears it, leaving the desktop's palette and font.
// Returns false (and changes nothing) for other numbers.
bool applySkin(int skin);

} // namespace vrx
