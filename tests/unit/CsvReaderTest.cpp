#include "model/SBKCSVParser.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct CsvCase {
    const char* name;
    QString text;
    std::optional<QStringList> row;
};

void PrintTo(const CsvCase& c, std::ostream* os) {
    *os << c.name;
}

class CsvReaderTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvReaderTest, ReturnsTheFirstRowAfterTheHeader) {
    const CsvCase& c = GetParam();
    const std::optional<QStringList> row = SBKCSVParser::initCSV().csvRows(c.text);
    ASSERT_EQ(row.has_value(), c.row.has_value());
    if (row) {
        EXPECT_EQ(*row, *c.row) << "got: " << row->join(u'|').toStdString();
    }
}

const QString nbsp = QString(QChar(0x00A0));
const QString lineSeparator = QString(QChar(0x2028));

INSTANTIATE_TEST_SUITE_P(
    Rules, CsvReaderTest,
    ::testing::Values(
        CsvCase{"header_and_data", u"a,b\n\"x\",\"y\""_qs, QStringList{u"x"_qs, u"y"_qs}},
        CsvCase{"rows_after_the_second_ignored", u"h\nfirst\nsecond"_qs, QStringList{u"first"_qs}},
        CsvCase{"one_line_only", u"a,b,c"_qs, std::nullopt}, CsvCase{"empty_text", QString(), std::nullopt},
        CsvCase{"trailing_comma_drops_last_empty_field", u"h\na,b,"_qs, QStringList{u"a"_qs, u"b"_qs}},
        CsvCase{"empty_quoted_last_field_dropped", u"h\n\"a\",\"\""_qs, QStringList{u"a"_qs}},
        CsvCase{"empty_field_in_the_middle_kept", u"h\n\"a\",\"\",\"c\""_qs,
                QStringList{u"a"_qs, u""_qs, u"c"_qs}},
        CsvCase{"quoted_line_breaks_kept", u"h\n\"line1\nline2\r\nline3\",x"_qs,
                QStringList{u"line1\nline2\r\nline3"_qs, u"x"_qs}},
        CsvCase{"quoted_comma_kept", u"h\n\"a,b\",c"_qs, QStringList{u"a,b"_qs, u"c"_qs}},
        CsvCase{"doubled_quote_inside_quotes", u"h\n\"say \"\"hi\"\"\""_qs, QStringList{u"say \"hi\""_qs}},
        CsvCase{"quotes_flip_anywhere_and_vanish", u"h\na\"b,c\"d"_qs, QStringList{u"ab,cd"_qs}},
        CsvCase{"undoubled_inner_quotes_removed", u"h\n\"x=\"1\"\""_qs, QStringList{u"x=1"_qs}},
        CsvCase{"two_quotes_outside_add_nothing", u"h\nab\"\"c"_qs, QStringList{u"abc"_qs}},
        CsvCase{"blank_line_is_a_field_of_blanks", u"h\n   "_qs, QStringList{u"   "_qs}},
        CsvCase{"blank_first_line_does_not_shift", u"\n\n\nh\r\n\r\ndata"_qs, QStringList{u"data"_qs}},
        CsvCase{"leading_blanks_after_comma_dropped", u"h\na,\t b"_qs + nbsp + u" ,c"_qs,
                QStringList{u"a"_qs, u"b"_qs + nbsp + u" "_qs, u"c"_qs}},
        CsvCase{"leading_blanks_of_a_row_kept", u"h\n  a,b"_qs, QStringList{u"  a"_qs, u"b"_qs}},
        CsvCase{"unicode_line_separator_ends_a_row", u"h"_qs + lineSeparator + u"data"_qs,
                QStringList{u"data"_qs}},
        CsvCase{"next_line_character_ends_a_row", u"h\u0085data"_qs, QStringList{u"data"_qs}},
        CsvCase{"unterminated_quote_takes_the_rest", u"h\n\"a,b\nc"_qs, QStringList{u"a,b\nc"_qs}},
        CsvCase{"xml_declaration_loses_its_quotes",
                u"h\n\"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>\",\"z\""_qs,
                QStringList{u"<?xml version=1.0 encoding=UTF-8?>\n<a/>"_qs, u"z"_qs}}),
    [](const ::testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(CsvReaderScale, ReadsALargeFileInOnePass) {
    QString value;
    for (int i = 0; i < 20000; ++i)
        value += u"<Cube currency=\"USD\" rate=\"1.05\"/>\n"_qs;
    const QString text = u"h1,h2\n\""_qs + value + u"\",\"tail\""_qs;
    const auto row = SBKCSVParser().csvRows(text);
    ASSERT_TRUE(row);
    ASSERT_EQ(row->size(), 2);
    EXPECT_EQ(row->at(1), u"tail"_qs);
    EXPECT_TRUE(row->at(0).startsWith(u"<Cube currency=USD rate=1.05/>\n"_qs));
}

} // namespace
