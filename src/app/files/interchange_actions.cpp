#include "files/interchange_actions.h"

#include "dialogs/notes_dialog.h"
#include "document/channel_list_document.h"
#include "edit/channel_grid.h"
#include "edit/edit_actions.h"
#include "files/file_actions.h"
#include "i18n/language_pack.h"
#include "i18n/pack_application.h"
#include "shell/main_window.h"
#include "shell/window_texts.h"
#include "storage/channel_plan.h"
#include "storage/csv_channels.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace vrx {

namespace {

QString withPdfSuffix(const QString &chosen) {
    if (chosen.isEmpty() || QFileInfo(chosen).fileName().contains(QLatin1Char('.')))
        return chosen;
    return chosen + QStringLiteral(".pdf");
}

int filledChannels(const ChannelTable &table) {
    int count = 0;
    for (int n = 1; n <= kChannelCount; ++n)
        count += table.isEmptyChannel(n) ? 0 : 1;
    return count;
}

} // namespace

InterchangeActions::InterchangeActions(MainWindow &window) : QObject(&window), window_(window) {
    chooseFile = [this](FileDialogKind kind, const QString &proposed, const QString &title,
                        const QString &filter) {
        const bool open = kind == FileDialogKind::Open;
        const QFileInfo at(proposed);
        const bool hasName = !proposed.isEmpty() && !at.isDir();
        QFileDialog dialog(&window_, title, hasName ? at.absolutePath() : proposed, filter);
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (hasName)
            dialog.selectFile(at.fileName());
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

void InterchangeActions::install(QMenu *fileMenu) {
    const std::pair<InterchangeAction, const char *> items[] = {
        {InterchangeAction::Import, "导入(&I)…"},
        {InterchangeAction::Export, "导出(&X)…"},
        {InterchangeAction::Print, "打印(&P)…"},
        {InterchangeAction::ExportPdf, "导出 PDF(&D)…"},
    };
    fileMenu->addSeparator();
    for (const auto &[id, text] : items) {
        auto *action = new QAction(QString::fromUtf8(text), this);
        actions_[static_cast<int>(id)] = action;
        fileMenu->addAction(action);
    }
    connect(action(InterchangeAction::Import), &QAction::triggered, this,
            &InterchangeActions::importCsv);
    connect(action(InterchangeAction::Export), &QAction::triggered, this,
            &InterchangeActions::exportCsv);
    connect(action(InterchangeAction::Print), &QAction::triggered, this,
            &InterchangeActions::print);
    connect(action(InterchangeAction::ExportPdf), &QAction::triggered, this,
            &InterchangeActions::exportPdf);
}

void InterchangeActions::applyPack(const LanguagePack &pack) {
    const std::pair<InterchangeAction, PackId> captions[] = {
        {InterchangeAction::Import, PackId::MenuImport},
        {InterchangeAction::Export, PackId::MenuExport},
        {InterchangeAction::Print, PackId::MenuPrint},
        {InterchangeAction::ExportPdf, PackId::MenuExportPdf},
    };
    for (const auto &[id, packId] : captions) {
        if (pack.has(packId) && action(id))
            action(id)->setText(pack.text(packId));
    }
    const std::pair<QString *, PackId> texts[] = {
        {&csvFilter_, PackId::CsvFileFilter},        {&pdfFilter_, PackId::PdfFileFilter},
        {&notesTitle_, PackId::NotesTitle},          {&importSummary_, PackId::ImportNotesIntro},
        {&exportSummary_, PackId::ExportNotesIntro},
    };
    for (const auto &[text, packId] : texts) {
        if (pack.has(packId))
            *text = pack.text(packId);
    }
    applyToCsvTexts(pack, csvTexts_);
    listTexts_ = channelListTexts(pack);
}

QString InterchangeActions::askForFile(InterchangeAction id, FileDialogKind kind,
                                       const QString &filter) {
    QString &last = lastPaths_[static_cast<int>(id)];
    const QString proposed = last.isEmpty() ? window_.fileActions().startFolder() : last;
    const QString path = chooseFile(kind, proposed, withoutAccessKey(action(id)->text()), filter);
    if (!path.isEmpty()) {
        last = path;
        window_.fileActions().noteFolderOf(path);
    }
    return path;
}

void InterchangeActions::showNotes(const QString &summary, const QStringList &notes) {
    if (notesDialog_)
        notesDialog_->close();
    notesDialog_ = new NotesDialog(notesTitle_, summary, notes, &window_);
    notesDialog_->setAttribute(Qt::WA_DeleteOnClose);
    notesDialog_->open();
}

void InterchangeActions::applyChannels(int first, const QList<ChannelRow> &rows, PackId step) {
    // An editor left open would show, and on its next key write back, the old text.
    window_.grid()->editController().hideEditors();
    window_.editActions().step(step, [&] {
        for (qsizetype i = 0; i < rows.size() && first + i <= kChannelCount; ++i)
            window_.table().setRow(int(first + i), rows[i]);
    });
}

void InterchangeActions::importCsv() {
    if (!window_.finishEditing())
        return;
    const QString path = askForFile(InterchangeAction::Import, FileDialogKind::Open, csvFilter_);
    if (path.isEmpty())
        return;
    CsvImport import = loadCsvFile(path, window_.texts(), csvTexts_);
    if (!import.ok()) {
        window_.reportError(import.error);
        return;
    }
    noteRowsOutsideBand(import, window_.bandPlan().displayedText(BandList::Band1Rx), csvTexts_);
    const std::array<ChannelRow, kChannelCount> channels = channelsByLocation(import);
    applyChannels(1, QList<ChannelRow>(channels.begin(), channels.end()), PackId::StepImport);
    if (!import.notes.isEmpty())
        showNotes(importSummary_.arg(filledChannels(window_.table())),
                  csvNoteLines(import, csvTexts_));
}

bool InterchangeActions::pasteCsv(const QString &text) {
    if (!hasCsvHeader(text))
        return false;
    if (!window_.finishEditing())
        return true;
    const int first = window_.grid()->editController().currentRow();
    CsvImport import = parseCsvText(text, window_.texts(), csvTexts_, CsvPlacement::InOrder);
    noteRowsOutsideBand(import, window_.bandPlan().displayedText(BandList::Band1Rx), csvTexts_);
    QList<ChannelRow> rows;
    QStringList notes = csvNoteLines(import, csvTexts_);
    for (const CsvChannel &channel : import.channels) {
        if (first + rows.size() > kChannelCount)
            notes << csvTexts_.notePrefix.arg(channel.line)
                         .arg(channel.location, csvTexts_.beyondLastChannel);
        else
            rows << channel.row;
    }
    applyChannels(first, rows, PackId::StepPaste);
    if (!notes.isEmpty())
        showNotes(importSummary_.arg(rows.size()), notes);
    return true;
}

void InterchangeActions::exportCsv() {
    if (!window_.finishEditing())
        return;
    const QString path =
        withCsvSuffix(askForFile(InterchangeAction::Export, FileDialogKind::Save, csvFilter_));
    if (path.isEmpty())
        return;
    lastPaths_[static_cast<int>(InterchangeAction::Export)] = path;
    const CsvExport csv =
        writeCsvChannels(capturePlan(window_.table(), window_.settings(), window_.bandPlan()),
                         window_.texts(), csvTexts_);
    const FileStatus status = saveCsvFile(path, csv.bytes);
    if (!status) {
        window_.reportError(status.message());
        return;
    }
    if (!csv.notes.isEmpty())
        showNotes(exportSummary_.arg(filledChannels(window_.table()) - csv.notes.size()),
                  csv.notes);
}

QString InterchangeActions::channelListHtml() const {
    return vrx::channelListHtml(
        capturePlan(window_.table(), window_.settings(), window_.bandPlan()), listTexts_,
        QDate::currentDate());
}

void InterchangeActions::print() {
    if (!window_.finishEditing())
        return;
    auto *printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(pageSizeForLocale(window_.environment().locale)));
    auto *preview = new QPrintPreviewDialog(printer, &window_);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(preview, &QObject::destroyed, preview, [printer] { delete printer; });
    const QString html = channelListHtml();
    connect(preview, &QPrintPreviewDialog::paintRequested, preview,
            [html](QPrinter *target) { paintChannelList(html, *target); });
    // A page fitted whole into the window is too small to read; the width is what matters.
    if (auto *pages = preview->findChild<QPrintPreviewWidget *>())
        pages->fitToWidth();
    preview->open();
}

void InterchangeActions::exportPdf() {
    if (!window_.finishEditing())
        return;
    const QString path =
        withPdfSuffix(askForFile(InterchangeAction::ExportPdf, FileDialogKind::Save, pdfFilter_));
    if (path.isEmpty())
        return;
    lastPaths_[static_cast<int>(InterchangeAction::ExportPdf)] = path;
    const FileStatus status = saveChannelListPdf(path, channelListHtml(),
                                                 pageSizeForLocale(window_.environment().locale));
    if (!status)
        window_.reportError(status.message());
}

} // namespace vrx
