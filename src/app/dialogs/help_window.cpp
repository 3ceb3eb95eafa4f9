#include "dialogs/help_window.h"

#include <QFile>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QVBoxLayout>

static void initGuideResources() {
    // The guide lives in the widgets' static library; its resources must be pulled in.
    Q_INIT_RESOURCE(guide);
}

namespace vrx {

namespace {

// Markdown headings get no anchors of their own; the guide's table of contents links to
// them by the names the usual Markdown viewers give: lower case, blanks as "-", no
// punctuation.
void nameHeadings(QTextDocument &document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat anchor;
        anchor.setAnchor(true);
        anchor.setAnchorNames({HelpWindow::headingAnchor(block.text())});
        cursor.mergeCharFormat(anchor);
    }
}

} // namespace

QString HelpWindow::headingAnchor(const QString &heading) {
    QString name;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            name += c;
        else if (c == QLatin1Char(' '))
            name += QLatin1Char('-');
    }
    return name;
}

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    initGuideResources();
    setObjectName(QStringLiteral("helpWindow"));
    browser_->setObjectName(QStringLiteral("guide"));
    browser_->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(680, 600);
}

QString HelpWindow::guideText(Language language) {
    initGuideResources();
    QFile file(language == Language::English ? QStringLiteral(":/guide/guide-eng.md")
                                             : QStringLiteral(":/guide/guide-chn.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void HelpWindow::showGuide(Language language, const QString &title) {
    setWindowTitle(title);
    if (!loaded_ || language != language_) {
        browser_->setMarkdown(guideText(language));
        nameHeadings(*browser_->document());
        language_ = language;
        loaded_ = true;
    }
    show();
    raise();
    activateWindow();
    browser_->setFocus(Qt::OtherFocusReason);
}

} // namespace vrx
