#pragma once

#include "channels/channel_table.h"
#include "dialogs/notes_dialog.h"
#include "document/channel_list_texts.h"
#include "i18n/csv_texts.h"
#include "i18n/pack_ids.h"
#include "shell/app_environment.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class QAction;
class QMenu;

namespace vrx {

class LanguagePack;
class MainWindow;

enum class InterchangeAction : int { Import, Export, Print, ExportPdf };
inline constexpr int kInterchangeActionCount = 4;

// Channels in and out of the window's plan: CSV import and export, the printed channel
// list and its PDF, and CSV rows pasted into the grid. The File menu carries them as a
// group of their own after the menu's original items.
class InterchangeActions : public QObject {
    Q_OBJECT
public:
    explicit InterchangeActions(MainWindow &window);

    // Adds the separated group at the end of `fileMenu` and watches the grid for pastes.
    void install(QMenu *fileMenu);
    // Menu captions, dialog texts, note texts and list words from a language pack.
    void applyPack(const LanguagePack &pack);

    void importCsv();
    void exportCsv();
    void print();
    void exportPdf();
    // Imports CSV text that starts with its header at the current row, one channel after
    // the other. False (nothing done) when the text has no CSV header, so other pastes
    // can take it.
    bool pasteCsv(const QString &text);

    // The one place an import or a paste changes the plan: channels first..first +
    // rows.size() - 1 get `rows`, as one undo step named `step`.
    void applyChannels(int first, const QList<ChannelRow> &rows, PackId step);

    QAction *action(InterchangeAction id) const { return actions_[static_cast<int>(id)]; }
    // The notes dialog now showing, if any.
    NotesDialog *notesDialog() const { return notesDialog_; }
    const CsvTexts &csvTexts() const { return csvTexts_; }

    // Asks for a file; empty when cancelled. Tests replace it.
    std::function<QString(FileDialogKind kind, const QString &proposed, const QString &title,
                          const QString &filter)>
        chooseFile;

private:
    QString askForFile(InterchangeAction id, FileDialogKind kind, const QString &filter);
    void showNotes(const QString &summary, const QStringList &notes);
    QString channelListHtml() const;

    MainWindow &window_;
    std::array<QAction *, kInterchangeActionCount> actions_{};
    // Last file chosen in each dialog; the next one starts there.
    std::array<QString, kInterchangeActionCount> lastPaths_;
    CsvTexts csvTexts_;
    ChannelListTexts listTexts_;
    QString csvFilter_ = QStringLiteral("CSV 信道表 (*.csv)");
    QString pdfFilter_ = QStringLiteral("PDF 文档 (*.pdf)");
    QString notesTitle_ = QStringLiteral("信道说明");
    QString importSummary_ = QStringLiteral("已导入 %1 个信道。以下内容未能原样导入：");
    QString exportSummary_ = QStringLiteral("已导出 %1 个信道。以下信道未导出：");
    QPointer<NotesDialog> notesDialog_;
};

} // namespace vrx
