#include "i18n/access_keys.h"

#include <QSet>

#include <gtest/gtest.h>

namespace vrx {
namespace {

struct AccessKeyCase {
    const char *name;
    QList<MenuCaption> items;
    QStringList expected;
};

class AccessKeys : public ::testing::TestWithParam<AccessKeyCase> {};

TEST_P(AccessKeys, EveryItemGetsAKeyOfItsOwn) {
    const QStringList result = withAccessKeys(GetParam().items);
    EXPECT_EQ(result, GetParam().expected);
    QSet<QChar> keys;
    for (const QString &caption : result) {
        const QChar key = accessKeyOf(caption);
        EXPECT_FALSE(key.isNull()) << caption.toStdString();
        EXPECT_FALSE(keys.contains(key)) << caption.toStdString();
        keys.insert(key);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menus, AccessKeys,
    ::testing::Values(
        AccessKeyCase{"KeptAsGiven", {{"&File", {}}, {"&Edit", {}}}, {"&File", "&Edit"}},
        AccessKeyCase{"NoneGivenTakesAWordStart",
                      {{"&Port", {}}, {"&Skin", {}}, {"Language", {}}, {"Select all", {}}},
                      {"&Port", "&Skin", "&Language", "Select &all"}},
        AccessKeyCase{
            "ALaterOwnKeyIsNotTaken", {{"Undo", {}}, {"&Underline", {}}}, {"U&ndo", "&Underline"}},
        AccessKeyCase{"SharedKeyMovesOnTheLaterItem",
                      {{"&Copy", {}}, {"&Cut", {}}, {"C&&C", {}}},
                      {"&Copy", "C&ut", "C&&C(&A)"}},
        AccessKeyCase{"ChineseTakesTheHintBeforeTheDots",
                      {{QString::fromUtf8("选项"), "Options"},
                       {QString::fromUtf8("查找..."), "Find"},
                       {QString::fromUtf8("关于…"), {}}},
                      {QString::fromUtf8("选项(&O)"), QString::fromUtf8("查找(&F)..."),
                       QString::fromUtf8("关于(&A)…")}},
        AccessKeyCase{
            "ChineseSharedKeyChangesInPlace",
            {{QString::fromUtf8("退出(&E)"), {}}, {QString::fromUtf8("信道编辑(&E)"), "Channel"}},
            {QString::fromUtf8("退出(&E)"), QString::fromUtf8("信道编辑(&C)")}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vrx
