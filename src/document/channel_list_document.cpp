#include "document/channel_list_document.h"

#include "storage/atomic_write.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>

namespace vrx {

namespace {

// Latin text in DejaVu, Chinese in WenQuanYi; fontconfig falls back for anything else.
const char *const kFontFamilies = "'DejaVu Sans', 'WenQuanYi Micro Hei', sans-serif";
constexpr int kFontPoints = 9;
constexpr qreal kMarginMillimetres = 15;

QString cell(const QString &tag, const QString &text) {
    return QStringLiteral("<%1>%2</%1>").arg(tag, text.toHtmlEscaped());
}

QString channelTable(const ChannelPlan &plan, const ChannelListTexts &texts) {
    QString html = QStringLiteral("<table class=\"channels\" border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"2\" width=\"100%\">\n<thead><tr>");
    for (const QString &header : texts.headers)
        html += cell(QStringLiteral("th"), header);
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow &row = plan.channels[n - 1];
        if (row[RxFreqCol - 1].isEmpty())
            continue;
        html += QStringLiteral("<tr>") +
                cell(QStringLiteral("td"), QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
        for (const QString &field : row)
            html += cell(QStringLiteral("td"), field);
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</tbody></table>\n");
}

// Two label/value pairs a row, options first, then the drives.
QString optionsBlock(const ChannelPlan &plan, const ChannelListTexts &texts) {
    QList<std::pair<QString, QString>> items;
    for (int i = 0; i < kOptionCount; ++i) {
        items.append(
            {texts.optionLabels[i], texts.optionValue(i, plan.options[i], plan.optionTexts[i])});
    }
    for (int i = 0; i < kDriveCount; ++i)
        items.append({texts.driveLabels[i], QString::number(plan.drives[i])});

    QString html = QStringLiteral("<p class=\"options\"><b>%1</b></p>\n"
                                  "<table class=\"options\" border=\"0\" cellspacing=\"0\" "
                                  "cellpadding=\"1\" width=\"100%\">\n")
                       .arg(texts.optionsTitle.toHtmlEscaped());
    for (qsizetype i = 0; i < items.size(); i += 2) {
        html += QStringLiteral("<tr>");
        for (qsizetype j = i; j < i + 2; ++j) {
            const bool has = j < items.size();
            html += cell(QStringLiteral("td"), has ? items[j].first : QString()) +
                    cell(QStringLiteral("td"), has ? items[j].second : QString());
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

// The options block is the last table; its heading is the block just before it.
void keepOptionsBlockOnOnePage(QTextDocument &doc, qreal pageHeight) {
    QTextTable *options = nullptr;
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            options = table;
    }
    if (!options)
        return;
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const QTextBlock heading = doc.findBlock(options->firstPosition() - 2);
    if (!heading.isValid())
        return;
    const qreal top = layout->blockBoundingRect(heading).top();
    const qreal bottom = layout->frameBoundingRect(options).bottom();
    if (std::floor(top / pageHeight) == std::floor(bottom / pageHeight))
        return;
    QTextCursor cursor(heading);
    QTextBlockFormat format = heading.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
}

QString displayPath(const QString &path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString channelListHtml(const ChannelPlan &plan, const ChannelListTexts &texts, const QDate &date) {
    const QString title = texts.title.arg(plan.bandText, date.toString(Qt::ISODate));
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                          "<title>%1</title>\n<style>\n"
                          "body { font-family: %2; font-size: %3pt; }\n"
                          "table.channels { border-collapse: collapse; }\n"
                          "table.channels td { text-align: center; }\n"
                          "thead { display: table-header-group; }\n"
                          "</style></head>\n<body>\n<p class=\"title\"><b>%1</b></p>\n")
               .arg(title.toHtmlEscaped(), QLatin1String(kFontFamilies))
               .arg(kFontPoints) +
           channelTable(plan, texts) + optionsBlock(plan, texts) +
           QStringLiteral("</body></html>\n");
}

QPageSize::PageSizeId pageSizeForLocale(const QLocale &locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::CostaRica:
    case QLocale::Guatemala:
    case QLocale::Panama:
    case QLocale::PuertoRico:
    case QLocale::DominicanRepublic:
    case QLocale::Philippines:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

int paintChannelList(const QString &html, QPagedPaintDevice &device) {
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(kFontPoints);
    doc.setDefaultFont(font);
    doc.setHtml(html);

    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiY());
    const qreal footerHeight = QFontMetricsF(font, &device).height() * 2;
    const qreal pageHeight = paintRect.height() - footerHeight;
    doc.setPageSize(QSizeF(paintRect.width(), pageHeight));
    keepOptionsBlockOnOnePage(doc, pageHeight);

    const int pages = doc.pageCount();
    QPainter painter(&device);
    painter.setFont(font);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        doc.drawContents(&painter, QRectF(0, page * pageHeight, paintRect.width(), pageHeight));
        painter.restore();
        painter.drawText(QRectF(0, pageHeight, paintRect.width(), footerHeight),
                         Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    return pages;
}

FileStatus saveChannelListPdf(const QString &path, const QString &html,
                              QPageSize::PageSizeId pageSize) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(pageSize));
        writer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                        kMarginMillimetres),
                              QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("VRX5800"));
        paintChannelList(html, writer);
    }
    QString reason;
    if (!writeAtomically(path, buffer.data(), &reason))
        return FileStatus::failure(
            QStringLiteral("Cannot save %1: %2").arg(displayPath(path), reason));
    return FileStatus::success();
}

FileStatus saveChannelListHtml(const QString &path, const QString &html) {
    QString reason;
    if (!writeAtomically(path, html.toUtf8(), &reason))
        return FileStatus::failure(
            QStringLiteral("Cannot save %1: %2").arg(displayPath(path), reason));
    return FileStatus::success();
}

} // namespace vrx
