#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "label_text.h"
#include "units.h"

namespace {

TEST(ColumnNumberOf, CountsLikeSpreadsheetColumns) {
    const struct {
        const char* name;
        int32_t column;
    } cases[] = {
        {"A", 1},   {"Z", 26},   {"AA", 27}, {"AB", 28}, {"AZ", 52},
        {"BA", 53}, {"ZZ", 702}, {"A1", -1}, {"1", -1},  {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.column, ColumnNumberOf(c.name)) << c.name;
    }
}

TEST(ColumnNumberOf, VeryLongNamesFindNoColumnInsteadOfOverflowing) {
    const std::string name(259, 'Z');
    EXPECT_EQ(INT32_MAX, ColumnNumberOf(name.c_str()));
}

std::string Replaced(const std::string& text, const char* pattern, const char* replacement,
                     size_t capacity = kLabelTextBufferSize) {
    std::string buffer(capacity, '#');
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    ReplaceAll(buffer.data(), capacity, pattern, replacement);
    return buffer.c_str();
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
    const struct {
        const char* text;
        const char* pattern;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"{A} and {A}", "{A}", "Ann", "Ann and Ann"},
        {"{A}", "{A}", "{A}{A}", "{A}{A}"}, // brought-in text is not searched again
        {"{A}{B}", "{A}", "{B}", "{B}{B}"},
        {"aaa", "aa", "b", "ba"},     // no overlaps
        {"x{a}", "{A}", "y", "x{a}"}, // case-sensitive
        {"{A}", "{A}", "", ""},
        {"", "{A}", "y", ""},
        {"abc", "", "y", "abc"}, // an empty pattern matches nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, Replaced(c.text, c.pattern, c.replacement)) << c.text;
    }
}

TEST(ReplaceAll, CutsTheResultToTheBuffer) {
    const std::string huge(100000, 'x');
    const std::string text = std::string(100, '.') + "{A}" + "{A}";
    const std::string result = Replaced(text, "{A}", huge.c_str());
    EXPECT_EQ(kLabelTextBufferSize - 1, result.size());
    EXPECT_EQ(std::string(100, '.') + std::string(kLabelTextBufferSize - 101, 'x'), result);

    std::string small(8, '#');
    std::memcpy(small.data(), "{A}", 4);
    ReplaceAll(small.data(), small.size(), "{A}", "0123456789");
    EXPECT_EQ("0123456", std::string(small.c_str()));
}

AppState StateWithTextWidthMm(double mm) {
    AppState state{};
    state.Sheet.wTextWidth = static_cast<uint16_t>(MmToTwips(mm, 0));
    return state;
}

TEST(ClipLabelLines, CellsFollowTheTextBoxWidth) {
    const struct {
        double mm;
        int cells;
    } cases[] = {{50, 8}, {53, 8}, {54, 9}, {5, 0}, {6, 1}, {0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.cells, CellsPerLine(StateWithTextWidthMm(c.mm).Sheet.wTextWidth)) << c.mm;
    }
}

TEST(ClipLabelLines, CutsLinesAndDropsBlankOnes) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"ABCDEFGHIJKL\nnext", "ABCDEFGH\nnext"},
        {"A\n\n\nB", "A\nB"},
        {"A\r\n\r\nB\r\n", "A\nB"},
        {"A\rB", "A\nB"},
        {"\n\nA", "\nA"}, // a leading line end keeps one empty first line
        {"", ""},
    };
    AppState state = StateWithTextWidthMm(50);
    for (const auto& c : cases) {
        char text[64];
        std::strcpy(text, c.text);
        ClipLabelLines(&state, text);
        EXPECT_STREQ(c.expected, text) << c.text;
    }
}

TEST(ClipLabelLines, NarrowBoxKeepsOnlyLineBreaks) {
    AppState state = StateWithTextWidthMm(5);
    char text[] = "one\ntwo";
    ClipLabelLines(&state, text);
    EXPECT_STREQ("\n", text);
}

} // namespace
