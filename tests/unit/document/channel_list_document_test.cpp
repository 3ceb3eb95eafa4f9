#include "document/channel_list_document.h"

#include "i18n/language_pack.h"
#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

ChannelListTexts englishListTexts() {
    const std::optional<LanguagePack> pack = LanguagePack::load(VRX_LANG_DIR, "eng");
    EXPECT_TRUE(pack.has_value());
    return pack ? channelListTexts(*pack) : ChannelListTexts{};
}

TEST(ChannelListHtml, HoldsTitleNonEmptyChannelsAndTheOptionsBlock) {
    ChannelPlan plan;
    plan.bandText = "400-470MHz";
    plan.channels[0] = {"438.50000", "67.0", "438.50000", "D023N", "High", "Wide", "ON", "OFF"};
    plan.channels[198] = {"400.00000", "OFF", "", "OFF", "Low", "Narrow", "OFF", "ON"};
    plan.optionTexts[indexOf(Option::Squelch)] = "<5>"; // escaped, not markup
    plan.drives = {79, 45, 44};
    const QString html = channelListHtml(plan, englishListTexts(), QDate(2026, 12, 10));

    EXPECT_TRUE(html.contains("<b>Channel list   Band 400-470MHz   2026-12-10</b>"));
    EXPECT_TRUE(html.contains("<thead><tr><th>CH</th><th>RX Freq</th>"));
    EXPECT_TRUE(html.contains("<tr><td>001</td><td>438.50000</td><td>67.0</td><td>438.50000</td>"
                              "<td>D023N</td><td>High</td><td>Wide</td><td>ON</td><td>OFF</td>"
                              "</tr>"));
    EXPECT_TRUE(html.contains("<tr><td>199</td><td>400.00000</td><td>OFF</td><td></td>"));
    EXPECT_FALSE(html.contains("<td>002</td>"));
    EXPECT_TRUE(html.contains("<b>Options and power drive</b>"));
    EXPECT_TRUE(html.contains("<td>Squelch (SQL)</td><td>&lt;5&gt;</td>"));
    EXPECT_TRUE(html.contains("<td>Low Power 2</td><td>44</td>"));
}

TEST(ChannelListHtml, ShowsTheHiddenOptionsInTheListsLanguage) {
    ChannelPlan plan; // Ring and BroadBand as a file holds them, in Chinese
    plan.options[indexOf(Option::Ring)] = 1;
    plan.optionTexts[indexOf(Option::Ring)] = "启用";
    plan.options[indexOf(Option::BroadBand)] = 0;
    plan.optionTexts[indexOf(Option::BroadBand)] = "窄带";
    const QString html = channelListHtml(plan, englishListTexts(), QDate(2026, 12, 10));
    EXPECT_TRUE(html.contains("<td>Ring</td><td>ON</td>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<td>Wide/Narrow</td><td>Narrow</td>")) << html.toStdString();
}

TEST(ChannelListTexts, MissingIdsKeepTheBuiltInChineseTexts) {
    const ChannelListTexts texts = channelListTexts(LanguagePack::fromUtf8("249=T %1 %2\n"));
    EXPECT_EQ(texts.title, "T %1 %2");
    EXPECT_EQ(texts.headers[RxFreqCol], "接收频率");
    EXPECT_EQ(texts.optionLabels[indexOf(Option::Ring)], "Ring");
    EXPECT_EQ(texts.driveLabels[0], "high");
}

TEST(ChannelListPageSize, LetterWhereLetterIsTheUsualPaper) {
    EXPECT_EQ(pageSizeForLocale(QLocale("en_US")), QPageSize::Letter);
    EXPECT_EQ(pageSizeForLocale(QLocale("fr_CA")), QPageSize::Letter);
    EXPECT_EQ(pageSizeForLocale(QLocale("zh_CN")), QPageSize::A4);
    EXPECT_EQ(pageSizeForLocale(QLocale("en_GB")), QPageSize::A4);
    EXPECT_EQ(pageSizeForLocale(QLocale::c()), QPageSize::A4);
}

} // namespace
} // namespace vrx
