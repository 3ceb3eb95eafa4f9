#include "i18n/access_texts.h"

#include "channels/channel_table.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

TEST(AccessTexts, CellsReadAsColumnChannelAndValue) {
    AccessTexts texts;
    EXPECT_EQ(texts.cellName(RxFreqCol, 5, QStringLiteral("438.50000")),
              QString::fromUtf8("接收频率，信道 5，438.50000"));
    const LanguagePack english = LanguagePack::fromUtf8(
        "503=%1, channel %2, %3\n504=%1, channel %2\n505=empty\n506=Receive frequency\n"
        "513=Busy lock\n");
    texts.apply(english);
    EXPECT_EQ(texts.cellName(RxFreqCol, 5, QString()),
              QStringLiteral("Receive frequency, channel 5, empty"));
    EXPECT_EQ(texts.cellName(BusyLockCol, 199, QStringLiteral("ON")),
              QStringLiteral("Busy lock, channel 199, ON"));
    EXPECT_EQ(texts.editorName(RxFreqCol, 5), QStringLiteral("Receive frequency, channel 5"));
    // A column the pack does not name keeps the built-in name.
    EXPECT_EQ(texts.editorName(TxToneCol, 1), QString::fromUtf8("发射亚音, channel 1"));
}

TEST(AccessTexts, BothPacksNameEveryColumn) {
    for (const char *name : {"chn", "eng"}) {
        const auto pack =
            LanguagePack::load(QStringLiteral(VRX_LANG_DIR), QString::fromLatin1(name));
        ASSERT_TRUE(pack) << name;
        for (int col = RxFreqCol; col <= BusyLockCol; ++col)
            EXPECT_TRUE(pack->has(accColumnId(col))) << name << " column " << col;
        for (int id = toInt(PackId::AccReadDescription); id <= toInt(PackId::MenuSkinSystem); ++id)
            EXPECT_TRUE(pack->has(id)) << name << " id " << id;
    }
}

} // namespace
} // namespace vrx
