#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vrx {

enum class BandList : int { Band1Rx, Band1Tx, Band2Rx, Band2Tx };
inline constexpr int kBandListCount = 4;

inline const QString kDefaultBandText = QStringLiteral("400-470MHz");

// Edges of a band text "LLL-UUUMHz": characters 1-3 and 5-7, whole MHz.
struct BandEdges {
    int lowerMHz = 0;
    int upperMHz = 0;
};
// Empty when the digit positions do not hold digits.
std::optional<BandEdges> parseBandText(const QString &text);

// The four lists of candidate band ranges with their selections.
class BandPlan : public QObject {
    Q_OBJECT
public:
    explicit BandPlan(QObject *parent = nullptr);

    QStringList entries(BandList list) const { return lists_[at(list)].entries; }
    // Selected index, -1 when nothing is selected.
    int selected(BandList list) const { return lists_[at(list)].selected; }
    // Text of the selected entry, empty when nothing is selected.
    QString displayedText(BandList list) const;

    // Replaces entries and selection (settings file at start). An index with no entry
    // selects nothing.
    void setList(BandList list, const QStringList &entries, int selected);
    void select(BandList list, int index);
    // Band1Rx on opening a channel file: select the first equal entry, else append it.
    void selectOrAppend(BandList list, const QString &text);

signals:
    // The displayed text of a list changed (by the user or by code).
    void displayedTextChanged(vrx::BandList list);
    // Entries or selection of a list changed.
    void listChanged(vrx::BandList list);

private:
    struct List {
        QStringList entries;
        int selected = -1;
    };
    static int at(BandList list) { return static_cast<int>(list); }
    void update(BandList list, List next);

    std::array<List, kBandListCount> lists_;
};

} // namespace vrx
