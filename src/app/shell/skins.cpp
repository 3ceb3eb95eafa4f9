#include "shell/skins.h"

#include <QApplication>

namespace vrx {

namespace {

struct SkinColours {
    const char *window; // window and page background
    const char *panel;  // group boxes, tool box pages
    const char *barTop; // menu bar, tab and section gradient
    const char *barBottom;
    const char *barText;
    const char *border;
    const char *buttonTop;
    const char *buttonBottom;
    const char *hover;
    const char *text;
    const char *link;
    const char *gauge;
};

const SkinColours kSkins[kSkinCount] = {
    // 蓝色一族
    {"#dfe8f6", "#eef3fb", "#6b95d0", "#2f5ea8", "#ffffff", "#3d67a8", "#f7faff", "#c9daf2",
     "#fff2c0", "#102040", "#1040c0", "#3a78d8"},
    // 钢板
    {"#d4d6d9", "#e6e7e9", "#a7abb1", "#6f747b", "#ffffff", "#5c6168", "#f4f5f6", "#c3c6ca",
     "#e9eef5", "#1b1d20", "#20408a", "#6b7f99"},
    // 咖啡
    {"#ead9c3", "#f5eadb", "#9a6a42", "#5e3b20", "#fff6e8", "#6b4528", "#fff8ee", "#e3c9a6",
     "#fde8b5", "#2e1c0e", "#7a2e06", "#a8683a"},
};

QString build(const SkinColours &c) {
    // Combo and spin boxes keep the platform look: styling their frames would make
    // Qt draw them entirely from the sheet, arrows included.
    return QStringLiteral(R"(
QMainWindow, QDialog { background: %1; color: %10; }
QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4);
             color: %5; }
QStatusBar QLabel { color: %5; }
QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4);
           color: %5; }
QMenuBar::item { background: transparent; padding: 3px 8px; }
QMenuBar::item:selected { background: %9; color: %10; }
QMenu { background: %2; color: %10; border: 1px solid %6; }
QMenu::item { padding: 4px 24px 4px 24px; }
QMenu::item:selected { background: %9; }
QMenu::separator { height: 1px; background: %6; margin: 3px 6px; }
QToolBox { background: %2; border: 1px solid %6; }
QToolBox::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4);
                color: %5; border: 1px solid %6; border-radius: 3px; }
QToolBox::tab:selected { font-weight: bold; }
QToolBox QScrollArea, QToolBox QScrollArea > QWidget > QWidget { background: %2; }
QToolButton { color: %10; border: 1px solid transparent; border-radius: 4px; }
QToolButton:hover { background: %9; border-color: %6; }
QToolButton:pressed { background: %8; }
QToolButton:focus { border: 1px dotted %6; }
QGroupBox { background: %2; border: 1px solid %6; border-radius: 4px; margin-top: 9px;
            color: %10; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QTabWidget::pane { background: %2; border: 1px solid %6; }
QTabBar::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %7, stop:1 %8);
               color: %10; border: 1px solid %6; border-bottom: none; padding: 4px 12px;
               border-top-left-radius: 4px; border-top-right-radius: 4px; margin-right: 1px; }
QTabBar::tab:selected { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3,
                        stop:1 %4); color: %5; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %7, stop:1 %8);
              color: %10; border: 1px solid %6; border-radius: 4px; padding: 3px 10px; }
QPushButton:hover { background: %9; }
QPushButton:pressed { background: %8; }
QPushButton:focus { border: 1px dotted %10; }
QPushButton:disabled { color: #8a8a8a; }
QRadioButton, QLabel { color: %10; }
QProgressBar { background: #ffffff; border: 1px solid %6; border-radius: 3px; }
QProgressBar::chunk { background: %12; }
vrx--LinkLabel { color: %11; }
)")
        .arg(QLatin1String(c.window), QLatin1String(c.panel), QLatin1String(c.barTop),
             QLatin1String(c.barBottom), QLatin1String(c.barText), QLatin1String(c.border),
             QLatin1String(c.buttonTop), QLatin1String(c.buttonBottom), QLatin1String(c.hover))
        .arg(QLatin1String(c.text), QLatin1String(c.link), QLatin1String(c.gauge));
}

} // namespace

QString skinStyleSheet(int skin) {
    if (skin < 1 || skin > kSkinCount)
        return {};
    return build(kSkins[skin - 1]);
}

bool applySkin(int skin) {
    if (skin == kSystemSkin) {
        qApp->setStyleSheet(QString());
        return true;
    }
    const QString sheet = skinStyleSheet(skin);
    if (sheet.isEmpty())
        return false;
    qApp->setStyleSheet(sheet);
    return true;
}

QColor outOfBandColour(int skin) {
    // Warm tones that stand apart from each skin's own colours and from the grey shading.
    static const QColor kColours[kSkinCount] = {{255, 210, 150}, {240, 170, 170}, {200, 225, 150}};
    return kColours[(skin >= 1 && skin <= kSkinCount ? skin : kDefaultSkin) - 1];
}

} // namespace vrx
