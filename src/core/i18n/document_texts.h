#pragma once

#include <QString>

namespace vrx {

class LanguagePack;

// The texts of the plan as a document: its name in the title, the question before
// unsaved changes go, Save As, recent files and the user guide's window. Built-in
// Chinese until a pack loads.
struct DocumentTexts {
    QString menuSaveAs = QStringLiteral("另存为(&A)…");
    QString menuRecentFiles = QStringLiteral("最近的文件(&R)");
    QString menuClearRecent = QStringLiteral("清除列表(&C)");
    QString recentEmpty = QStringLiteral("（无）");
    QString untitledName = QStringLiteral("未命名");
    QString radioName = QStringLiteral("从电台读出");
    QString saveChangesTitle = QStringLiteral("未保存的更改");
    QString msgSaveChanges = QStringLiteral("是否保存对“%1”的更改？");
    QString msgSaveChangesDetail = QStringLiteral("如果不保存，所做的更改将会丢失。");
    QString saveButton = QStringLiteral("保存(&S)");
    QString discardButton = QStringLiteral("不保存(&D)");
    QString cancelButton = QStringLiteral("取消");
    QString msgRecentMissing = QStringLiteral("文件 %1 已不存在，已从最近的文件中移除。");
    QString helpTitle = QStringLiteral("VRX-5800 用户指南");

    bool operator==(const DocumentTexts &) const = default;
};

// Fills the texts from `pack`; an id the pack lacks leaves its text as it is.
void applyToDocumentTexts(const LanguagePack &pack, DocumentTexts &texts);

// Where a plan came from, which names it in the title and in the question.
enum class PlanSource { New, File, Radio };

// The name of a plan: the file's name, or the text for a new or a radio-read plan.
QString planName(PlanSource source, const QString &path, const DocumentTexts &texts);

// "CAPTION - NAME[*]": the caption the window has, the plan's name and the place of the
// modified mark (Qt's windowModified convention).
QString documentWindowTitle(const QString &caption, const QString &name);

} // namespace vrx
