#include "channels/plan_history.h"

#include "channels/value_words.h"

#include <algorithm>

namespace vrx {

PlanHistory::PlanHistory(ChannelTable &table, RadioSettings &settings, BandPlan &bands, int limit)
    : table_(table), settings_(settings), bands_(bands), limit_(std::max(1, limit)),
      baseline_(table.rows()), clean_(capture(StepScope::Everything)) {}

PlanSnapshot PlanHistory::capture(StepScope scope) const {
    PlanSnapshot snapshot{table_.rows(), std::nullopt};
    if (scope == StepScope::Everything) {
        PlanSettings s;
        s.options = settings_.indexes();
        s.drives = settings_.drives();
        for (int i = 0; i < kBandListCount; ++i) {
            const auto list = static_cast<BandList>(i);
            s.bandEntries[i] = bands_.entries(list);
            s.bandSelected[i] = bands_.selected(list);
        }
        snapshot.settings = s;
    }
    return snapshot;
}

void PlanHistory::apply(const PlanSnapshot &snapshot) {
    if (snapshot.settings) {
        const PlanSettings &s = *snapshot.settings;
        settings_.setIndexes(s.options);
        settings_.setDrives(s.drives);
        for (int i = 0; i < kBandListCount; ++i)
            bands_.setList(static_cast<BandList>(i), s.bandEntries[i], s.bandSelected[i]);
    }
    table_.setRows(snapshot.rows);
    baseline_ = table_.rows();
}

void PlanHistory::select(const QList<int> &rows) {
    if (!selection_)
        return;
    selection_->clear();
    for (int row : rows)
        selection_->click(row, RowSelection::Click::Toggle);
}

void PlanHistory::push(PackId name, const PlanSnapshot &before, const PlanSnapshot &after,
                       const QList<int> &selectedBefore) {
    // A whole new plan has none of the old plan's channels selected.
    if (after.settings)
        select({});
    steps_.erase(steps_.begin() + undoCount_, steps_.end());
    steps_.push_back({name, before, after, selectedBefore, selectedRows()});
    if (int(steps_.size()) > limit_)
        steps_.pop_front();
    undoCount_ = int(steps_.size());
    baseline_ = after.rows;
}

bool PlanHistory::hasPendingChanges() const {
    return table_.rows() != baseline_;
}

bool PlanHistory::recordPending(const ChannelRows &now) {
    if (now == baseline_)
        return false;
    push(nameForChange(baseline_, now), {baseline_, std::nullopt}, {now, std::nullopt},
         selectedRows());
    return true;
}

bool PlanHistory::recordChannelChanges() {
    return openDepth_ == 0 && recordPending(table_.rows());
}

void PlanHistory::beginStep(PackId name, StepScope scope) {
    if (openDepth_++ > 0)
        return;
    recordPending(table_.rows());
    openName_ = name;
    openScope_ = scope;
    openBefore_ = capture(scope);
    openSelected_ = selectedRows();
}

bool PlanHistory::endStep() {
    if (openDepth_ == 0 || --openDepth_ > 0)
        return false;
    const PlanSnapshot after = capture(openScope_);
    if (after == openBefore_)
        return false;
    push(openName_, openBefore_, after, openSelected_);
    return true;
}

bool PlanHistory::runStep(PackId name, StepScope scope, const std::function<void()> &change) {
    beginStep(name, scope);
    change();
    return endStep();
}

bool PlanHistory::recordStep(PackId name, const PlanSnapshot &before, const PlanSnapshot &after) {
    if (openDepth_ > 0)
        return false;
    recordPending(before.rows);
    if (before == after)
        return false;
    push(name, before, after, selectedRows());
    return true;
}

std::optional<PackId> PlanHistory::undoName() const {
    if (hasPendingChanges() && openDepth_ == 0)
        return nameForChange(baseline_, table_.rows());
    if (!canUndo())
        return std::nullopt;
    return steps_[undoCount_ - 1].name;
}

std::optional<PackId> PlanHistory::redoName() const {
    if (!canRedo() || hasPendingChanges())
        return std::nullopt;
    return steps_[undoCount_].name;
}

bool PlanHistory::undo() {
    if (openDepth_ > 0)
        return false;
    recordChannelChanges();
    if (!canUndo())
        return false;
    --undoCount_;
    apply(steps_[undoCount_].before);
    select(steps_[undoCount_].selectedBefore);
    return true;
}

bool PlanHistory::redo() {
    if (openDepth_ > 0)
        return false;
    // A change made after an undo starts a new line of steps; redo has nothing left then.
    if (recordChannelChanges() || !canRedo())
        return false;
    apply(steps_[undoCount_].after);
    select(steps_[undoCount_].selectedAfter);
    ++undoCount_;
    return true;
}

void PlanHistory::clear() {
    steps_.clear();
    undoCount_ = 0;
    openDepth_ = 0;
    baseline_ = table_.rows();
}

void PlanHistory::markClean() {
    clean_ = capture(StepScope::Everything);
}

bool PlanHistory::isModified() const {
    return capture(StepScope::Everything) != clean_;
}

void PlanHistory::translateValues(const UiTexts &texts) {
    auto translate = [&texts](ChannelRows &rows) {
        for (ChannelRow &row : rows)
            row = translatedRow(row, texts);
    };
    for (Step &step : steps_) {
        translate(step.before.rows);
        translate(step.after.rows);
    }
    translate(openBefore_.rows);
    // The saved plan reads in the new language too, so a switch alone modifies nothing.
    translate(clean_.rows);
    // Pending edits stay pending: the baseline takes the new words, not the edits.
    translate(baseline_);
}

PackId PlanHistory::nameForChange(const ChannelRows &before, const ChannelRows &after) {
    int changedRow = -1;
    int changedCells = 0;
    int changedCol = 0;
    for (int r = 0; r < kChannelCount; ++r) {
        for (int c = 0; c < kFieldCount; ++c) {
            if (before[r][c] != after[r][c]) {
                if (changedRow >= 0 && changedRow != r)
                    return PackId::StepEditCell;
                changedRow = r;
                changedCol = c + 1;
                ++changedCells;
            }
        }
    }
    if (changedRow < 0)
        return PackId::StepEditCell;
    if (after[changedRow] == ChannelRow{} && before[changedRow][0] != QString())
        return PackId::StepDeleteChannel;
    if (changedCells == 1 && changedCol >= PowerCol)
        return PackId::StepToggle;
    if (changedCells == 1 && (changedCol == RxToneCol || changedCol == TxToneCol))
        return PackId::StepTone;
    return PackId::StepEditCell;
}

} // namespace vrx
