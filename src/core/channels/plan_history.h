#pragma once

#include "channels/channel_table.h"
#include "channels/row_selection.h"
#include "i18n/pack_ids.h"
#include "i18n/ui_texts.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <optional>

namespace vrx {

// The radio-wide part of a plan: option indexes, drive values, the four band lists.
struct PlanSettings {
    OptionIndexes options{};
    DriveValues drives{};
    std::array<QStringList, kBandListCount> bandEntries;
    std::array<int, kBandListCount> bandSelected{};

    bool operator==(const PlanSettings &) const = default;
};

// The plan at one moment: the channels always, the settings for steps that change them
// (new plan, open, read).
struct PlanSnapshot {
    ChannelRows rows;
    std::optional<PlanSettings> settings;

    bool operator==(const PlanSnapshot &) const = default;
};

// What a step takes a snapshot of.
enum class StepScope { Channels, Everything };

// The undo history of the plan, without widgets. Each step is named by the pack id of its
// name and holds the plan before and after it. Changes the table saw outside a named step
// (cell editing) are gathered by recordChannelChanges(); a named step and an undo gather
// them first, so nothing is lost between steps.
class PlanHistory {
public:
    static constexpr int kDefaultLimit = 200;

    PlanHistory(ChannelTable &table, RadioSettings &settings, BandPlan &bands,
                int limit = kDefaultLimit);

    PlanSnapshot capture(StepScope scope) const;

    // The channels selected by their numbers belong to the plan they were chosen in: each
    // step keeps the selection before and after it, undo and redo put it back, and a step
    // that replaces the whole plan (new, open, read) ends with nothing selected.
    void followSelection(RowSelection *selection) { selection_ = selection; }

    // Opens a named step: the pending channel changes are recorded first, then the plan
    // is taken. Until endStep(), recordChannelChanges() records nothing. Steps do not nest:
    // a second begin while one is open is ignored (its end too).
    void beginStep(PackId name, StepScope scope = StepScope::Channels);
    // Closes the open step; recorded when the plan changed. True when a step was recorded.
    bool endStep();
    bool stepOpen() const { return openDepth_ > 0; }
    // beginStep, change, endStep.
    bool runStep(PackId name, StepScope scope, const std::function<void()> &change);
    // A change made elsewhere (an import replacing the channels): records `before` ->
    // `after` as one step and takes `after` as the plan now. Pending changes between the
    // last step and `before` are recorded first. Nothing is recorded when they are equal
    // or while a step is open.
    bool recordStep(PackId name, const PlanSnapshot &before, const PlanSnapshot &after);

    // Records the channel changes since the last step as one step, named after what
    // changed (see nameForChange). False when nothing changed or a step is open.
    bool recordChannelChanges();
    bool hasPendingChanges() const;

    bool canUndo() const { return undoCount_ > 0; }
    bool canRedo() const { return int(steps_.size()) > undoCount_; }
    // Name of the step undo or redo would take back or do again.
    std::optional<PackId> undoName() const;
    std::optional<PackId> redoName() const;
    int undoCount() const { return undoCount_; }
    int limit() const { return limit_; }

    // Puts the plan back as it was before the last step (pending changes are recorded as a
    // step first and taken back). False when there is nothing to undo.
    bool undo();
    bool redo();
    // Forgets every step; the plan now is the new starting point.
    void clear();

    // The plan now is the one last opened, saved, read or made new: the clean position.
    // The plan is modified while it differs from that, so undoing or redoing back to the
    // clean step clears the mark again; option and band changes, which are not steps of
    // their own, count too.
    void markClean();
    bool isModified() const;

    // A language switch rewrote the value words: every stored snapshot is rewritten the same
    // way, and the table's new words are taken as they are (no step).
    void translateValues(const UiTexts &texts);

    // The name of a step that turned `before` into `after` when no action named it: deleting
    // one channel, one toggle, one tone, else a cell edit.
    static PackId nameForChange(const ChannelRows &before, const ChannelRows &after);

private:
    struct Step {
        PackId name;
        PlanSnapshot before;
        PlanSnapshot after;
        QList<int> selectedBefore;
        QList<int> selectedAfter;
    };
    void push(PackId name, const PlanSnapshot &before, const PlanSnapshot &after,
              const QList<int> &selectedBefore);
    QList<int> selectedRows() const { return selection_ ? selection_->rows() : QList<int>{}; }
    void select(const QList<int> &rows);
    // Records the change from the baseline to `now` as an unnamed edit.
    bool recordPending(const ChannelRows &now);
    void apply(const PlanSnapshot &snapshot);

    ChannelTable &table_;
    RadioSettings &settings_;
    BandPlan &bands_;
    int limit_;
    // Oldest first; steps_[0..undoCount_) are done, the rest undone (redo).
    std::deque<Step> steps_;
    int undoCount_ = 0;
    // The channels as the last step (or undo, redo) left them.
    ChannelRows baseline_;
    int openDepth_ = 0;
    PackId openName_ = PackId::StepEditCell;
    PlanSnapshot openBefore_;
    StepScope openScope_ = StepScope::Channels;
    PlanSnapshot clean_;
    RowSelection *selection_ = nullptr;
    QList<int> openSelected_;
};

} // namespace vrx
