#pragma once

#include "i18n/language_switch.h"

#include <QDialog>

class QTextBrowser;

namespace vrx {

// The user guide inside the program: the guide of the window's language (Markdown shipped
// with the program), in a window of its own beside the main window, which stays usable.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows (and raises) the guide in `language`, titled `title`.
    void showGuide(Language language, const QString &title);
    QTextBrowser *browser() const { return browser_; }
    Language language() const { return language_; }

    // The guide's Markdown text in `language`.
    static QString guideText(Language language);
    // The anchor a heading's link uses ("The first read" -> "the-first-read").
    static QString headingAnchor(const QString &heading);

private:
    QTextBrowser *browser_;
    Language language_ = Language::Chinese;
    bool loaded_ = false;
};

} // namespace vrx
