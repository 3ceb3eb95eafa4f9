#include "settings/band_plan.h"

namespace vrx {

std::optional<BandEdges> parseBandText(const QString &text) {
    auto number = [&](int from) -> std::optional<int> {
        if (text.size() < from + 3)
            return std::nullopt;
        int value = 0;
        for (int i = from; i < from + 3; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            value = value * 10 + (c.unicode() - '0');
        }
        return value;
    };
    const auto lower = number(0);
    const auto upper = number(4);
    if (!lower || !upper)
        return std::nullopt;
    return BandEdges{*lower, *upper};
}

BandPlan::BandPlan(QObject *parent) : QObject(parent) {}

QString BandPlan::displayedText(BandList list) const {
    const List &l = lists_[at(list)];
    return l.entries.value(l.selected);
}

void BandPlan::update(BandList list, List next) {
    if (next.selected < 0 || next.selected >= next.entries.size())
        next.selected = -1;
    List &current = lists_[at(list)];
    const QString before = displayedText(list);
    const bool changed = current.entries != next.entries || current.selected != next.selected;
    current = std::move(next);
    if (changed)
        emit listChanged(list);
    if (displayedText(list) != before)
        emit displayedTextChanged(list);
}

void BandPlan::setList(BandList list, const QStringList &entries, int selected) {
    update(list, List{entries, selected});
}

void BandPlan::select(BandList list, int index) {
    update(list, List{lists_[at(list)].entries, index});
}

void BandPlan::selectOrAppend(BandList list, const QString &text) {
    List next = lists_[at(list)];
    next.selected = next.entries.indexOf(text);
    if (next.selected < 0) {
        next.entries.append(text);
        next.selected = next.entries.size() - 1;
    }
    update(list, std::move(next));
}

} // namespace vrx
