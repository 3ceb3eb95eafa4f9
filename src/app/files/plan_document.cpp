#include "files/plan_document.h"

#include "edit/edit_actions.h"
#include "files/file_actions.h"
#include "files/recovery.h"
#include "i18n/visible_text.h"
#include "shell/main_window.h"

#include <QMessageBox>
#include <QPushButton>

namespace vrx {

PlanDocument::PlanDocument(MainWindow &window, const QString &caption)
    : QObject(&window), window_(window), caption_(caption) {
    // Many cells change in one action; the title is worked out once after it.
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &PlanDocument::refresh);
    auto later = [this] { refreshTimer_.start(); };
    connect(&window.table(), &ChannelTable::rowsChanged, this, later);
    connect(&window.settings(), &RadioSettings::optionChanged, this, later);
    connect(&window.settings(), &RadioSettings::driveChanged, this, later);
    connect(&window.bandPlan(), &BandPlan::listChanged, this, later);
    connect(&window.bandPlan(), &BandPlan::displayedTextChanged, this, later);
    refresh();
}

void PlanDocument::setCaption(const QString &caption) {
    caption_ = caption;
    refresh();
}

void PlanDocument::markFile(const QString &path) {
    source_ = PlanSource::File;
    path_ = path;
    window_.editActions().history().markClean();
    refresh();
}

void PlanDocument::markRead() {
    source_ = PlanSource::Radio;
    path_.clear();
    window_.editActions().history().markClean();
    refresh();
}

void PlanDocument::markNew() {
    source_ = PlanSource::New;
    path_.clear();
    window_.editActions().history().markClean();
    refresh();
}

void PlanDocument::markRestored() {
    source_ = PlanSource::New;
    path_.clear();
    // The new window's empty plan stays the clean one: the restored work is unsaved.
    refresh();
}

QString PlanDocument::name() const {
    return planName(source_, path_, window_.shellTexts().document);
}

bool PlanDocument::isModified() const {
    return window_.editActions().history().isModified();
}

void PlanDocument::refresh() {
    refreshTimer_.stop();
    // A file name is shown as the title bar can show it: no control characters.
    const QString title = documentWindowTitle(caption_, withVisibleControls(name()));
    // Set only when it changes: each change goes out to the platform's title bar.
    if (window_.windowTitle() != title)
        window_.setWindowTitle(title);
    const bool modified = isModified();
    if (window_.isWindowModified() != modified)
        window_.setWindowModified(modified);
}

bool PlanDocument::mayClose() {
    if (sessionEnding_)
        return true;
    // A frequency being typed is part of the plan the question is about.
    if (!window_.finishEditing())
        return false;
    refresh();
    if (!isModified())
        return true;
    switch (askToSave()) {
    case Answer::Save:
        return window_.fileActions().saveFile();
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

PlanDocument::Answer PlanDocument::askToSave() {
    const DocumentTexts &texts = window_.shellTexts().document;
    QMessageBox question(QMessageBox::Warning, texts.saveChangesTitle,
                         texts.msgSaveChanges.arg(withVisibleControls(name())),
                         QMessageBox::NoButton, &window_);
    question.setObjectName(QStringLiteral("saveChangesQuestion"));
    question.setTextFormat(Qt::PlainText);
    question.setInformativeText(texts.msgSaveChangesDetail);
    QPushButton *save = question.addButton(texts.saveButton, QMessageBox::AcceptRole);
    QPushButton *discard = question.addButton(texts.discardButton, QMessageBox::DestructiveRole);
    QPushButton *cancel = question.addButton(texts.cancelButton, QMessageBox::RejectRole);
    save->setObjectName(QStringLiteral("save"));
    discard->setObjectName(QStringLiteral("discard"));
    cancel->setObjectName(QStringLiteral("cancel"));
    question.setDefaultButton(save);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == save)
        return Answer::Save;
    if (question.clickedButton() == discard)
        return Answer::Discard;
    return Answer::Cancel;
}

void PlanDocument::endSession() {
    sessionEnding_ = true;
    window_.recovery().keepForNextStart(isModified());
}

} // namespace vrx
