#pragma once

#include "document/channel_list_texts.h"
#include "storage/channel_plan.h"
#include "storage/file_status.h"

#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextDocument;

namespace vrx {

// The printed channel list of a plan: a title line with the band text and the date, a
// table of the non-empty channels (number and the eight fields) whose header row
// repeats on every page, and a compact block of the twenty options and the three
// drive values that is kept whole on the last page. The plan's texts are shown as they
// are, so capture it in the language the list is for.
QString channelListHtml(const ChannelPlan &plan, const ChannelListTexts &texts, const QDate &date);

// A4, or Letter where that is the usual paper (the Americas' Letter countries and the
// Philippines).
QPageSize::PageSizeId pageSizeForLocale(const QLocale &locale);

// Lays out `html` on the pages of `device` (a PDF writer or a printer, its page size
// and margins already set) and paints it with "n / total" under each page. Needs a
// QGuiApplication. Returns the number of pages.
int paintChannelList(const QString &html, QPagedPaintDevice &device);

// The list as a PDF of the given page size; text stays text, with its fonts embedded.
// Written through a temporary file, so a failure leaves an old file as it was.
FileStatus saveChannelListPdf(const QString &path, const QString &html,
                              QPageSize::PageSizeId pageSize);

// The list as an HTML file (UTF-8).
FileStatus saveChannelListHtml(const QString &path, const QString &html);

} // namespace vrx
