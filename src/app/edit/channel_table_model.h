#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

namespace vrx {

class BandPlan;
class AccessTexts;
class ChannelTable;

// Shows a ChannelTable in a view: rows 0..198 are channels 1..199, columns 0..8 are the
// table's columns (0 the fixed channel numbers), and the table's row 0 is the
// horizontal header. Read-only: changes go through the table. Frequencies outside the
// selected bands wear a mark (a background colour and a tool tip naming the bands).
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelTableModel(ChannelTable *table, QObject *parent = nullptr);

    static int channelOf(const QModelIndex &index) { return index.row() + 1; }
    QModelIndex indexOf(int col, int channel) const { return index(channel - 1, col); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The spoken names of the cells ("Receive frequency, channel 5, empty"); read at
    // each use, so it must outlive the model.
    void setAccessTexts(const AccessTexts *texts) { access_ = texts; }
    // The fixed grey, the shading and black text, or the desktop palette's colours.
    void useDesktopColours(bool desktop);

    // The bands the frequencies are checked against; nullptr checks nothing.
    void setBandPlan(const BandPlan *bands);
    // The mark's colour (one per skin) and tool tip (%1 the band texts).
    void setOutOfBandColour(const QColor &colour);
    void setOutOfBandTip(const QString &pattern);

private:
    void tableRowsChanged(int first, int last);
    void allCellsChanged();
    // The bands the cell's frequency lies outside of, empty when it is not marked.
    QStringList bandsMissed(const QModelIndex &index) const;

    ChannelTable *table_;
    const BandPlan *bands_ = nullptr;
    QColor outOfBandColour_{255, 214, 170};
    QString outOfBandTip_ = QStringLiteral("%1");
    const AccessTexts *access_ = nullptr;
    bool desktopColours_ = false;
};

} // namespace vrx
