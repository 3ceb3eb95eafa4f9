#include "edit/channel_table_model.h"

#include "i18n/visible_text.h"

#include "channels/band_check.h"
#include "channels/channel_table.h"
#include "settings/band_plan.h"
#include "i18n/access_texts.h"

#include <QBrush>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace vrx {

namespace {
const QColor kFixedColour(192, 192, 192);
const QColor kShadedColour(227, 227, 227); // every fifth channel, for counting
} // namespace

ChannelTableModel::ChannelTableModel(ChannelTable *table, QObject *parent)
    : QAbstractTableModel(parent), table_(table) {
    connect(table_, &ChannelTable::rowsChanged, this, &ChannelTableModel::tableRowsChanged);
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const int channel = channelOf(index);
    switch (role) {
    case Qt::DisplayRole:
        // A text from a file or the radio may hold control characters; show them as
        // the replacement glyph.
        return withVisibleControls(table_->text(index.column(), channel));
    case Qt::AccessibleTextRole:
        if (!access_ || index.column() == NumberCol)
            return {};
        return access_->cellName(index.column(), channel,
                                 withVisibleControls(table_->text(index.column(), channel)));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (index.column() == NumberCol)
            return desktopColours_ ? QGuiApplication::palette().button() : QBrush(kFixedColour);
        if (!bandsMissed(index).isEmpty())
            return QBrush(outOfBandColour_);
        if (channel % 5 == 0)
            return desktopColours_ ? QGuiApplication::palette().alternateBase()
                                   : QBrush(kShadedColour);
        return {};
    case Qt::ToolTipRole: {
        const QStringList bands = bandsMissed(index);
        if (bands.isEmpty())
            return {};
        return outOfBandTip_.arg(bands.join(QStringLiteral(", ")));
    }
    case Qt::ForegroundRole:
        // The number column is not selectable; keep it from drawing greyed out. The
        // out-of-band colour is light in every skin, so its text stays dark.
        if (!desktopColours_ || !bandsMissed(index).isEmpty())
            return QBrush(Qt::black);
        return index.column() == NumberCol ? QGuiApplication::palette().buttonText()
                                           : QGuiApplication::palette().text();
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return table_->header(section);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    if (role == Qt::DisplayRole)
        return table_->text(NumberCol, section + 1);
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid() || index.column() == NumberCol)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ChannelTableModel::setBandPlan(const BandPlan *bands) {
    if (bands_)
        disconnect(bands_, nullptr, this, nullptr);
    bands_ = bands;
    if (bands_)
        connect(bands_, &BandPlan::displayedTextChanged, this, &ChannelTableModel::allCellsChanged);
    allCellsChanged();
}

void ChannelTableModel::setOutOfBandColour(const QColor &colour) {
    outOfBandColour_ = colour;
    allCellsChanged();
}

void ChannelTableModel::setOutOfBandTip(const QString &pattern) {
    outOfBandTip_ = pattern;
}

void ChannelTableModel::allCellsChanged() {
    emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumnCount - 1));
}

QStringList ChannelTableModel::bandsMissed(const QModelIndex &index) const {
    if (!bands_)
        return {};
    const int col = index.column();
    const QStringList bands = bandTextsFor(*bands_, col);
    if (!isOutsideBands(table_->text(col, channelOf(index)), bands))
        return {};
    return bands;
}

void ChannelTableModel::useDesktopColours(bool desktop) {
    if (desktopColours_ == desktop)
        return;
    desktopColours_ = desktop;
    emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumnCount - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

void ChannelTableModel::tableRowsChanged(int first, int last) {
    if (first <= 0) {
        emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
        first = 1;
    }
    if (last >= first)
        emit dataChanged(index(first - 1, 0), index(last - 1, kColumnCount - 1));
}

} // namespace vrx
