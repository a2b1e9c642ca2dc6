#include <gtest/gtest.h>

#include "csv_test_util.h"

namespace {

struct DialectCase {
    const char* name;
    std::string bytes;
    Rows expected;
};

void ExpectRows(const std::vector<DialectCase>& cases) {
    for (const auto& c : cases) {
        Rows actual = Parse(c.bytes);
        EXPECT_EQ(actual, c.expected)
            << c.name << ": expected " << Show(c.expected) << " got " << Show(actual);
    }
}

TEST(CsvDialect, Quoting) {
    ExpectRows({
        {"plain quoted", "\"a\",\"b\"\n", {{"a", "b"}}},
        {"doubled quote", "\"a\"\"b\",c\n", {{"a\"b", "c"}}},
        {"only a doubled quote", "\"\"\"\",x\n", {{"\"", "x"}}},
        {"doubled quote at the end", "\"a\"\"\",x\n", {{"a\"", "x"}}},
        {"empty quoted", "\"\",x\n", {{"", "x"}}},
        {"separator inside", "\"a,b\",c\n", {{"a,b", "c"}}},
        {"quote inside unquoted text", "he said \"no\",x\n", {{"he said \"no\"", "x"}}},
        {"lone quote inside quoted", "\"a \"b\" c,d\",e\n", {{"a \"b\" c,d", "e"}}},
        {"quoted last field without line end", "a,\"b\"", {{"a", "b"}}},
        {"closing quote at end of data", "\"a,b\"", {{"a,b"}}},
        {"doubled quote before a separator",
         "\"contact \"\"Sam\"\"; after 5pm, please\";x\n",
         {{"contact \"Sam\"; after 5pm, please", "x"}}},
        {"doubled quotes before commas",
         "\"{\"\"a\"\": \"\"b\"\", \"\"c\"\": 1}\",x\n",
         {{"{\"a\": \"b\", \"c\": 1}", "x"}}},
        {"doubled quote before a line end", "\"a\"\"\nb\";c\n", {{"a\"\nb", "c"}}},
    });
}

TEST(CsvDialect, Separators) {
    ExpectRows({
        {"comma", "a,b,c\n1,2,3\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
        {"semicolon", "a;b\n1;2\n", {{"a", "b"}, {"1", "2"}}},
        {"tab", "a\tb\n1\t2\n", {{"a", "b"}, {"1", "2"}}},
        {"semicolon with commas in text",
         "Smith, John, Jr.;Berlin\n1,5;2,5\n",
         {{"Smith, John, Jr.", "Berlin"}, {"1,5", "2,5"}}},
        {"tab with commas in text", "Smith, John\tBerlin\n", {{"Smith, John", "Berlin"}}},
        {"separators inside quotes do not count", "\"a;b;c\",d\n", {{"a;b;c", "d"}}},
        {"judged from the first record that has one",
         "Names\nSmith;Ann\n",
         {{"Names"}, {"Smith", "Ann"}}},
        {"semicolons of later records are text in a comma file",
         "a,b\nc;d,e\n",
         {{"a", "b"}, {"c;d", "e"}}},
        {"no separator anywhere", "alpha\nbeta\n", {{"alpha"}, {"beta"}}},
        {"separators inside quotes of a one-column file",
         "\"Smith, John\"\n\"a\tb\"\n",
         {{"Smith, John"}, {"a\tb"}}},
        // Read with a tab, the first record splits too, but only by taking a
        // single quote before a semicolon as text.
        {"a split that breaks the quoting rules loses to one that keeps them",
         "\"x\"\"\";\"\t\"\n\"y\";z\nv;\"w\"\n",
         {{"x\"", "\t"}, {"y", "z"}, {"v", "w"}}},
        {"separator line", "sep=,\na;b,c\n", {{"a;b", "c"}}},
        {"separator line with CRLF", "sep=;\r\nSmith, John\r\n", {{"Smith, John"}}},
        {"separator line after a byte-order mark", "\xEF\xBB\xBFsep=\t\na,b\tc\n", {{"a,b", "c"}}},
        {"separator line naming another separator", "SEP=|\n\"a|b\"|c\n", {{"a|b", "c"}}},
        {"separator line alone", "sep=;", {}},
        {"not a separator line: two characters", "sep=ab\n", {{"sep=ab"}}},
        {"not a separator line: a letter", "sep=x\n", {{"sep=x"}}},
        {"not a separator line: nothing named", "sep=\nb\n", {{"sep="}, {"b"}}},
        {"not a separator line: not the first line", "a\nsep=|\n", {{"a"}, {"sep=|"}}},
        {"not a separator line: quoted", "\"sep=|\"\n", {{"sep=|"}}},
    });
}

TEST(CsvDialect, ByteOrderMark) {
    ExpectRows({
        {"skipped",
         "\xEF\xBB\xBF"
         "a;b\n",
         {{"a", "b"}}},
        {"before a quoted field", "\xEF\xBB\xBF\"a;b\";c\n", {{"a;b", "c"}}},
        {"alone", "\xEF\xBB\xBF", {}},
        {"only at the start", "a;\xEF\xBB\xBF\n", {{"a", "\xEF\xBB\xBF"}}},
    });
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(CsvDialect, Utf16WithByteOrderMark) {
    ExpectRows({
        {"little-endian",
         Utf16(u"\uFEFFName\tCity\r\nM\u00FCller\tK\u00F6ln\r\n", false),
         {{"Name", "City"}, {"M\xC3\xBCller", "K\xC3\xB6ln"}}},
        {"big-endian", Utf16(u"\uFEFF\u20AC;\"a;b\"\n", true), {{"\xE2\x82\xAC", "a;b"}}},
        {"surrogate pair", Utf16(u"\uFEFF\U0001F600", false), {{"\xF0\x9F\x98\x80"}}},
        {"stray surrogate and odd last byte",
         Utf16(u"\uFEFF\xD800;x", false) + "y",
         {{"\xEF\xBF\xBD", "x\xEF\xBF\xBD"}}},
        {"mark only", Utf16(u"\uFEFF", true), {}},
    });
}

TEST(CsvDialect, LineEnds) {
    ExpectRows({
        {"LF", "a;b\nc;d\n", {{"a", "b"}, {"c", "d"}}},
        {"CRLF", "a;b\r\nc;d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"CR", "a;b\rc;d\r", {{"a", "b"}, {"c", "d"}}},
        {"mixed", "a\r\nb\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"no final line end", "a;b\nc;d", {{"a", "b"}, {"c", "d"}}},
        {"blank line is an empty row", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"blank lines at the end are dropped", "a;b\r\n\r\n\n\r", {{"a", "b"}}},
        {"only blank lines", "\n\n\n", {{""}}},
        {"line ends at the end of a quoted field stay", "\"a\n\n\"", {{"a\n\n"}}},
        {"empty file", "", {}},
        {"line end only", "\n", {{""}}},
    });
}

TEST(CsvDialect, LineBreaksInQuotedFields) {
    ExpectRows({
        {"LF", "\"a\nb\";c\nd;e\n", {{"a\nb", "c"}, {"d", "e"}}},
        {"CRLF kept", "\"a\r\nb\";c\r\n", {{"a\r\nb", "c"}}},
        {"blank line inside", "\"a\n\nb\"\nc\n", {{"a\n\nb"}, {"c"}}},
    });
}

TEST(CsvDialect, RaggedRowsAndEmptyFields) {
    ExpectRows({
        {"ragged", "a;b;c\nd\ne;f\n", {{"a", "b", "c"}, {"d"}, {"e", "f"}}},
        {"empty fields", ";a;;\n", {{"", "a", "", ""}}},
        {"trailing separator at end of data", "a;", {{"a", ""}}},
        {"only separators", ";;\n;\n", {{"", "", ""}, {"", ""}}},
    });
}

} // namespace
