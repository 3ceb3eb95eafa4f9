#include "storage/csv_format.h"

#include "test_texts.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

TEST(CsvFormatTest, FieldsWithCommasQuotesAndLineBreaksAreQuotedAndReadBack) {
    const QStringList fields{"plain", "a,b", "say \"hi\"", "two\r\nlines", "", "# not a comment"};
    const QString line = csvLine(fields);
    EXPECT_EQ(line, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",,# not a comment\r\n");
    const QList<CsvRecord> records = splitCsvRecords(line + "next,row");
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].fields, fields);
    EXPECT_EQ(records[1].line, 3); // the quoted line break counts
    EXPECT_EQ(records[1].fields, (QStringList{"next", "row"}));
}

TEST(CsvFormatTest, LineEndsBlankLinesCommentsAndAnOpenQuote) {
    const QList<CsvRecord> records =
        splitCsvRecords("a,b\n\n   \r\n# c,d\r\ne,\"f\n#g\"\r\nh,\"open");
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "b"}));
    EXPECT_EQ(records[1].line, 5);
    EXPECT_EQ(records[1].fields, (QStringList{"e", "f\n#g"}));
    EXPECT_EQ(records[2].line, 7);
    EXPECT_EQ(records[2].fields, (QStringList{"h", "open"}));
}

} // namespace
} // namespace vrx
