#pragma once

#include <QIcon>
#include <QPixmap>

namespace vrx {

enum class AppIcon { New, Open, Save, Exit, Read, Write, Channels, Options, Ok, App };

// The desktop theme's icon where the theme has one, else our own drawing.
QIcon appIcon(AppIcon icon);

// The about dialog's picture of the radio.
QPixmap radioPicture();

} // namespace vrx
