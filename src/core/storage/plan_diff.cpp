#include "storage/plan_diff.h"

#include "i18n/value_translation.h"

namespace vrx {

namespace {

// The row as its meaning: trimmed texts, value words in the language of `texts`, and
// nothing at all when there is no receive frequency.
ChannelRow meaningOf(const ChannelRow &row, const UiTexts &texts) {
    ChannelRow result;
    if (row[RxFreqCol - 1].trimmed().isEmpty())
        return result;
    for (int col = RxFreqCol; col <= BusyLockCol; ++col)
        result[col - 1] = translatedValue(col, row[col - 1].trimmed(), texts);
    return result;
}

} // namespace

QString PlanDifference::what() const {
    switch (kind) {
    case Kind::Band:
        return QStringLiteral("BAND");
    case Kind::Option:
        return optionKey(optionAt(index));
    case Kind::Drive:
        return driveKey(static_cast<Drive>(index));
    case Kind::Channel:
        return QStringLiteral("CH%1 %2").arg(index, 3, 10, QLatin1Char('0')).arg(fieldName(column));
    }
    return {};
}

QString PlanDifference::line() const {
    const auto shown = [](const QString &value) {
        return value.isEmpty() ? QStringLiteral("(empty)") : value;
    };
    return what() + QStringLiteral(": ") + shown(left) + QStringLiteral(" -> ") + shown(right);
}

QList<PlanDifference> comparePlans(const ChannelPlan &left, const ChannelPlan &right,
                                   const UiTexts &texts) {
    using Kind = PlanDifference::Kind;
    QList<PlanDifference> differences;
    if (left.bandText.trimmed() != right.bandText.trimmed())
        differences.append({Kind::Band, 0, 0, left.bandText, right.bandText});
    for (int i = 0; i < kOptionCount; ++i) {
        if (left.options[i] != right.options[i])
            differences.append({Kind::Option, i, 0, QString::number(left.options[i]),
                                QString::number(right.options[i])});
    }
    for (int i = 0; i < kDriveCount; ++i) {
        if (left.drives[i] != right.drives[i])
            differences.append({Kind::Drive, i, 0, QString::number(left.drives[i]),
                                QString::number(right.drives[i])});
    }
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelRow a = meaningOf(left.channels[n - 1], texts);
        const ChannelRow b = meaningOf(right.channels[n - 1], texts);
        for (int col = RxFreqCol; col <= BusyLockCol; ++col) {
            if (a[col - 1] != b[col - 1])
                differences.append({Kind::Channel, n, col, a[col - 1], b[col - 1]});
        }
    }
    return differences;
}

} // namespace vrx
