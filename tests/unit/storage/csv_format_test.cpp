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
    CsvRecordReader reader(u"a,b\n\n   \r\n# c,d\r\ne,\"f\n#g\"\r\nh,\"open\nmore\nrows\n");
    QList<CsvRecord> records;
    while (std::optional<CsvRecord> record = reader.next())
        records << *record;
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "b"}));
    EXPECT_EQ(records[1].line, 5);
    EXPECT_EQ(records[1].fields, (QStringList{"e", "f\n#g"}));
    // The quote opened on line 7 swallows lines 7 to 9: none of them is a record.
    EXPECT_EQ(reader.unclosedQuoteLine(), 7);
    EXPECT_EQ(reader.linesNotRead(), 3);
}

// Old Mac spreadsheets end lines in a lone CR; inside quotes it stays part of the field.
TEST(CsvFormatTest, ALoneCrEndsALine) {
    const QList<CsvRecord> records = splitCsvRecords(u"a,b\rc,\"d\re\"\r\rf\r\ng\n");
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[1].fields, (QStringList{"c", "d\re"}));
    EXPECT_EQ(records[2].line, 5);
    EXPECT_EQ(records[2].fields, QStringList{"f"});
    EXPECT_EQ(records[3].line, 6);
}

TEST(CsvFormatTest, TheSeparatorIsFoundFromTheHeaderLine) {
    const struct {
        const char16_t *text;
        char16_t separator;
    } cases[] = {
        {u"Location,Frequency,Name\n1;2;3;4\n", u','},
        {u"Location;Frequency;Name\n1,5;2\n", u';'},
        {u"Location\tFrequency\tName,x\n", u'\t'},
        {u"# comment; with; semicolons\nLocation,Frequency\n", u','},
        {u"Location\n", u','},
        {u"", u','},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(detectCsvSeparator(QStringView(c.text)), QChar(c.separator))
            << QString::fromUtf16(c.text).toStdString();
    }
    const QList<CsvRecord> records = splitCsvRecords(u"a;\"b;c\";d", QLatin1Char(';'));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "b;c", "d"}));
}

} // namespace
} // namespace vrx
