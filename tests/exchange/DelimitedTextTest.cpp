// Delimited text as spreadsheets and CHIRP write it: quoting, line ends, comments, and the
// line each row starts on.
#include "exchange/DelimitedText.h"

#include <gtest/gtest.h>

using namespace zx::exchange;

namespace {

std::vector<std::vector<std::string>> cellsOf(const std::vector<TextRow>& rows) {
    std::vector<std::vector<std::string>> out;
    for (const TextRow& row : rows)
        out.push_back(row.cells);
    return out;
}

} // namespace

TEST(DelimitedText, ReadsQuotesLineEndsAndCommentsWithTheirLines) {
    const std::string text = "\xEF\xBB\xBF# a comment, with a comma\r\n"
                             "a,\"b, c\",\"say \"\"hi\"\"\"\r\n"
                             "\r\n"
                             "1,\"two\nlines\",3\n"
                             "x,,\r"
                             "last";
    const std::vector<TextRow> rows = readRows(text, {',', true});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(cellsOf(rows), (std::vector<std::vector<std::string>>{
                                 {"a", "b, c", "say \"hi\""},
                                 {"1", "two\nlines", "3"},
                                 {"x", "", ""},
                                 {"last"},
                             }));
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[1].line, 4);
    EXPECT_EQ(rows[2].line, 6) << "the quoted line break counts";
    EXPECT_EQ(rows[3].line, 7);

    // Without comments a '#' row is data; tabs separate pasted rows.
    EXPECT_EQ(cellsOf(readRows("#1\t2\n", {'\t', false})),
              (std::vector<std::vector<std::string>>{{"#1", "2"}}));
    EXPECT_EQ(guessSeparator("Location\tName,x\n1,2"), '\t');
    EXPECT_EQ(guessSeparator("Location,Name\n1\t2"), ',');
    EXPECT_EQ(guessSeparator("1;A-01;28,1\n"), ';');
    EXPECT_EQ(guessSeparator("1\tA;B\n"), '\t');
}

TEST(DelimitedText, WrittenRowsReadBack) {
    const std::vector<std::string> cells{"plain", "with,comma", "with \"quote\"", "two\r\nlines",
                                         ""};
    EXPECT_EQ(writeRow({"a", "b"}, ','), "a,b\r\n");
    EXPECT_EQ(writeRow({"a,b", "c"}, '\t'), "a,b\tc\r\n") << "a comma needs no quotes in TSV";
    for (char separator : {',', '\t'}) {
        const std::vector<TextRow> rows = readRows(writeRow(cells, separator), {separator, true});
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].cells, cells);
    }
}
