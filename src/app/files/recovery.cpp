#include "files/recovery.h"

#include "dialogs/warning_dialog.h"
#include "edit/channel_grid.h"
#include "files/plan_document.h"
#include "files/safety_actions.h"
#include "i18n/value_translation.h"
#include "shell/main_window.h"
#include "storage/channel_file.h"
#include "storage/channel_plan.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace vrx {

Recovery::Recovery(MainWindow &window) : window_(window) {}

Recovery::~Recovery() = default;

void Recovery::report(const QString &message) {
    if (WarningDialog *warning = window_.warningDialog())
        warning->showMessage(window_.texts().msgFailureTitle, message, DialogMode::Notice);
    else
        window_.reportError(message);
}

void Recovery::start() {
    const std::optional<DataFolder> folder = window_.safetyActions().dataFolder();
    if (!folder || slot_)
        return;
    auto slot = std::make_unique<AutosaveSlot>(*folder);
    QString reason;
    if (!slot->acquire(&reason)) {
        report(window_.safetyActions().texts().msgAutosaveFailed.arg(reason));
        return;
    }
    slot_ = std::move(slot);

    // What a new window holds, with this run's band lists.
    const ChannelPlan empty = [&] {
        ChannelPlan plan;
        plan.bandText = window_.bandPlan().displayedText(BandList::Band1Rx);
        return plan;
    }();
    const AutosaveLeftover leftover = inspectAutosave(slot_->path(), empty, window_.texts());
    switch (leftover.kind) {
    case AutosaveLeftover::Kind::None:
        break;
    case AutosaveLeftover::Kind::Empty:
        QFile::remove(slot_->path());
        break;
    case AutosaveLeftover::Kind::Unreadable: {
        const BackupResult aside = setAutosaveAside(*folder, slot_->path());
        report(window_.safetyActions().texts().msgAutosaveUnreadable.arg(aside.ok() ? leftover.error
                                                                                    : aside.error));
        break;
    }
    case AutosaveLeftover::Kind::Restorable:
        offerRestore(leftover);
        break;
    }

    autosaver_ = std::make_unique<Autosaver>(slot_->path(), [this] {
        return capturePlan(window_.table(), window_.settings(), window_.bandPlan());
    });
    Autosaver *saver = autosaver_.get();
    connect(saver, &Autosaver::saveFailed, this, [this](const QString &message) {
        report(window_.safetyActions().texts().msgAutosaveFailed.arg(message));
    });
    connect(&window_.table(), &ChannelTable::rowsChanged, saver, &Autosaver::planChanged);
    connect(&window_.settings(), &RadioSettings::optionChanged, saver, &Autosaver::planChanged);
    connect(&window_.settings(), &RadioSettings::driveChanged, saver, &Autosaver::planChanged);
    connect(&window_.bandPlan(), &BandPlan::listChanged, saver, &Autosaver::planChanged);
    connect(&window_.bandPlan(), &BandPlan::displayedTextChanged, saver, &Autosaver::planChanged);
    // A restored plan is kept at once, in this run's language.
    if (leftover.kind == AutosaveLeftover::Kind::Restorable)
        saver->planChanged();
}

void Recovery::offerRestore(const AutosaveLeftover &leftover) {
    const SafetyTexts &texts = window_.safetyActions().texts();
    QMessageBox question(QMessageBox::Warning, texts.restoreTitle, texts.msgRestoreQuestion,
                         QMessageBox::NoButton, &window_);
    question.setObjectName(QStringLiteral("restoreQuestion"));
    QPushButton *restore = question.addButton(texts.restoreButton, QMessageBox::AcceptRole);
    QPushButton *aside = question.addButton(texts.keepAsideButton, QMessageBox::RejectRole);
    question.setDefaultButton(restore);
    question.setEscapeButton(aside);
    question.exec();
    if (question.clickedButton() == restore) {
        applyPlan(*leftover.plan, window_.table(), window_.settings(), window_.bandPlan());
        window_.grid()->editController().hideEditors();
        window_.setCaption(openedFileCaption(window_.bandPlan().displayedText(BandList::Band1Rx)));
        translateValueCells(window_.table(), window_.texts());
        window_.planDocument().markRestored();
        return;
    }
    const BackupResult moved =
        setAutosaveAside(*window_.safetyActions().dataFolder(), slot_->path());
    if (!moved.ok())
        report(texts.msgAutosaveFailed.arg(moved.error));
}

void Recovery::keepForNextStart(bool modified) {
    if (!modified || !autosaver_)
        return;
    // Kept only when it holds the plan as it is now.
    keepAutosave_ = autosaver_->saveNow();
}

void Recovery::finish() {
    // A kept autosave takes what changed since, should the run have gone on (a logout
    // that was called off).
    if (autosaver_ && keepAutosave_)
        autosaver_->saveNow();
    else if (autosaver_)
        autosaver_->discard();
    autosaver_.reset();
    slot_.reset();
}

} // namespace vrx
