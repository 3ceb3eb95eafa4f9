#pragma once

namespace vrx {

class MainWindow;

// Names and descriptions for assistive technology, in the language of the window's access
// texts: the right column's picture buttons (named after their links), the grid and its
// editors, the channel buttons and the transfer window's gauge. Controls with a caption
// are named by it; option lists and spin boxes by their labels (buddies).
void applyAccessibleTexts(MainWindow &window);

} // namespace vrx
