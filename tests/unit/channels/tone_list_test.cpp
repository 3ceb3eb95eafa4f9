#include "channels/tone_list.h"

#include <gtest/gtest.h>

#include <QSet>

namespace vrx {
namespace {

const QString kOff = QStringLiteral("OFF");

TEST(ToneList, HasOffThenCtcssThenNormalThenInvertedDcs) {
    const QStringList items = toneList(kOff);
    ASSERT_EQ(items.size(), kToneListSize);
    ASSERT_EQ(kToneListSize, 265);
    EXPECT_EQ(items[0], kOff);
    EXPECT_EQ(items[1], QStringLiteral("67.0"));
    EXPECT_EQ(items[13], QStringLiteral("100.0"));
    EXPECT_EQ(items[50], QStringLiteral("254.1"));
    EXPECT_EQ(items[51], QStringLiteral("D017N"));
    EXPECT_EQ(items[52], QStringLiteral("D023N"));
    EXPECT_EQ(items[157], QStringLiteral("D754N"));
    EXPECT_EQ(items[158], QStringLiteral("D017I"));
    EXPECT_EQ(items[264], QStringLiteral("D754I"));
    // No duplicates, so "the first equal item" is the only one.
    EXPECT_EQ(QSet<QString>(items.begin(), items.end()).size(), kToneListSize);
}

TEST(ToneList, CodesAreAscendingAndWellFormed) {
    const QStringList &tones = ctcssTones();
    ASSERT_EQ(tones.size(), kCtcssToneCount);
    for (int i = 1; i < tones.size(); ++i)
        EXPECT_LT(tones[i - 1].toDouble(), tones[i].toDouble()) << i;
    for (const QString &tone : tones)
        EXPECT_EQ(tone.indexOf(QLatin1Char('.')), tone.size() - 2) << tone.toStdString();

    const QStringList &codes = dcsCodes();
    ASSERT_EQ(codes.size(), kDcsCodeCount);
    for (int i = 0; i < codes.size(); ++i) {
        bool octal = false;
        const int value = codes[i].toInt(&octal, 8);
        EXPECT_TRUE(octal && codes[i].size() == 3) << codes[i].toStdString();
        if (i > 0) {
            EXPECT_LT(codes[i - 1].toInt(nullptr, 8), value) << codes[i].toStdString();
        }
    }
}

TEST(ToneList, IndexFindsItemsWithTheCurrentOffText) {
    EXPECT_EQ(toneIndex(kOff, kOff), 0);
    EXPECT_EQ(toneIndex(QStringLiteral("禁用"), QStringLiteral("禁用")), 0);
    EXPECT_EQ(toneIndex(QStringLiteral("禁用"), kOff), -1);
    EXPECT_EQ(toneIndex(QStringLiteral("88.5"), kOff), 9);
    EXPECT_EQ(toneIndex(QStringLiteral("D754I"), kOff), 264);
    EXPECT_EQ(toneIndex(QStringLiteral("d754i"), kOff), -1); // case-sensitive
    EXPECT_EQ(toneIndex(QStringLiteral("D999N"), kOff), -1);
}

} // namespace
} // namespace vrx
