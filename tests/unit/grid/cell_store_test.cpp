#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cell_store.h"
#include "grid_record.h"

struct ClassifyCase {
    const char* text;
    int type;
};

TEST(ClassifyCellText, TypesFollowTheTextRules) {
    const ClassifyCase cases[] = {
        {"TRUE", CELL_TRUE},       {"true", CELL_TRUE},  {"False", CELL_FALSE},
        {"~75", CELL_GRAPHIC},     {"~", CELL_GRAPHIC},  {"12", CELL_NUMBER},
        {"-12.5", CELL_NUMBER},    {"+3", CELL_NUMBER},  {"12,5", CELL_NUMBER},
        {"1/2/2010", CELL_NUMBER}, {".5", CELL_NUMBER},  {"  12", CELL_TEXT},
        {"1e5", CELL_TEXT},        {"1 000", CELL_TEXT}, {"1.2.3", CELL_TEXT},
        {"5-", CELL_TEXT},         {"-", CELL_TEXT},     {"", CELL_TEXT},
        {"abc", CELL_TEXT},        {" TRUE", CELL_TEXT}, {"TRUEX", CELL_TEXT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyCellText(c.text), c.type) << "text \"" << c.text << "\"";
    }
}

TEST(CellStore, MissingCellReadsEmptyUntypedUnprotected) {
    CellStore store;
    char buffer[32] = "junk";
    EXPECT_EQ(store.CopyText(5, 5, buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(store.Find(5, 5), nullptr);
}

TEST(CellStore, TextReadsBackExactlyWithItsTypeAndProtection) {
    CellStore store;
    const std::string texts[] = {"abc",  "x;y", "\"hi\"", "line\nbreak", "\xC3\xA9t\xC3\xA9",
                                 "12.50"};
    int col = 1;
    for (const auto& text : texts) {
        ASSERT_TRUE(store.Set(3, col, text.c_str(), 'P'));
        char buffer[1000];
        store.CopyText(3, col, buffer);
        EXPECT_EQ(std::string(buffer), text);
        EXPECT_EQ(store.Find(3, col)->cProtect, 'P');
        EXPECT_EQ(CellTypeFromLetter(store.Find(3, col)->cType), ClassifyCellText(text.c_str()));
        ++col;
    }
}

TEST(CellStore, ProtectingAnUnsetCellCreatesAnEmptyTextCell) {
    CellStore store;
    store.SetProtect(2, 2, true);
    ASSERT_NE(store.Find(2, 2), nullptr);
    EXPECT_EQ(store.Find(2, 2)->cProtect, 'P');
    EXPECT_EQ(store.Find(2, 2)->cType, 'A');
    EXPECT_EQ(store.Find(2, 2)->text, "");
    // A later write takes the default letter, not the one set before.
    store.Set(2, 2, "x", 'U');
    EXPECT_EQ(store.Find(2, 2)->cProtect, 'U');
}

TEST(CellStore, ProtectionKeepsTextAndType) {
    CellStore store;
    store.Set(1, 1, "42", 'U');
    store.SetProtect(1, 1, true);
    EXPECT_EQ(store.Find(1, 1)->text, "42");
    EXPECT_EQ(store.Find(1, 1)->cType, 'N');
}

TEST(CellStore, HighestRowIsTheLastKeyInRowThenColumnOrder) {
    CellStore store;
    EXPECT_EQ(store.HighestRow(), 0);
    store.Set(12, 3, "a", 'U');
    store.Set(9, 256, "b", 'U');
    store.Set(12, 1, "c", 'U');
    EXPECT_EQ(store.HighestRow(), 12);
    store.Remove(12, 3);
    store.Remove(12, 1);
    EXPECT_EQ(store.HighestRow(), 9);
}

TEST(CellStore, KeysAreFixedWidth) {
    const std::pair<std::pair<int, int>, const char*> cases[] = {
        {{12, 3}, "00012-003"}, {{0, 0}, "00000-000"}, {{32000, 256}, "32000-256"}};
    for (const auto& c : cases) {
        char key[16];
        FormatCellKey(c.first.first, c.first.second, key);
        EXPECT_STREQ(key, c.second);
    }
}

TEST(CellStore, LongTextIsCutAtACharacterBoundary) {
    CellStore store;
    std::string ascii(1500, 'a');
    store.Set(1, 1, ascii.c_str(), 'U');
    EXPECT_EQ(store.Find(1, 1)->text.size(), kMaxCellText);

    // 985 bytes then a two-byte character straddling the limit.
    std::string straddle(985, 'b');
    straddle += "\xC3\xA9tail";
    store.Set(1, 2, straddle.c_str(), 'U');
    EXPECT_EQ(store.Find(1, 2)->text, std::string(985, 'b'));
}

struct Utf8Case {
    const char* text;
    std::size_t lastStart;
};

TEST(Utf8, LastCharacterStartCoversMultiByteCharacters) {
    const Utf8Case cases[] = {
        {"abc", 2}, {"a\xC3\xA9", 1}, {"\xE2\x82\xAC", 0}, {"x\xF0\x9F\x98\x80", 1}, {"", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8LastCharStart(c.text, std::strlen(c.text)), c.lastStart) << c.text;
    }
}

TEST(GridRecord, DefaultsAtRegistrationAndAfterDestroy) {
    static GridRecord rec;
    InitGridRecord(rec);
    EXPECT_EQ(rec.nRows, 100);
    EXPECT_EQ(rec.nCols, 255);
    EXPECT_EQ(rec.nRowHeight, 21);
    EXPECT_EQ(rec.anColWidth[0], 50);
    EXPECT_EQ(rec.anColWidth[255], 50);
    EXPECT_EQ(rec.anColWidth[256], 0);
    EXPECT_EQ(rec.crProtected, 0xFFFFFFu);
    EXPECT_EQ(rec.crHighlight, 0x800000u);

    rec.nId = 7;
    rec.bEditable = 1;
    rec.cells.Set(1, 1, "x", 'U');
    rec.anColWidth[256] = 33;
    ResetGridRecord(rec);
    EXPECT_EQ(rec.nId, 0);
    EXPECT_TRUE(rec.cells.Empty());
    EXPECT_EQ(rec.nRowHeight, 20);
    EXPECT_EQ(rec.nHeaderHeight, 20);
    EXPECT_EQ(rec.anColWidth[0], 40);
    EXPECT_EQ(rec.crProtected, 0x808080u);
    EXPECT_EQ(rec.bEditable, 1) << "kept across destroy";
    EXPECT_EQ(rec.anColWidth[256], 33) << "kept across destroy";
}

TEST(GridRecord, DimensionsAreClamped) {
    EXPECT_EQ(ClampRowCount(40000), 32000);
    EXPECT_EQ(ClampRowCount(static_cast<uintptr_t>(-1)), 32000);
    EXPECT_EQ(ClampRowCount(0), 0);
    EXPECT_EQ(ClampRowCount(50), 50);
    EXPECT_EQ(ClampColumnCount(300), 256);
    EXPECT_EQ(ClampColumnCount(0), 1);
    EXPECT_EQ(ClampColumnCount(-5), 1);
    EXPECT_EQ(ClampColumnCount(10), 10);
}

TEST(GridRecord, BadCells) {
    const std::pair<CellRef, bool> cases[] = {
        {{32001, 1}, true},    {{1, 257}, true}, {{-1, 1}, true}, {{1, -1}, true},
        {{32000, 256}, false}, {{0, 0}, false},  {{5, 5}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsBadCell(c.first), c.second) << c.first.nRow << "," << c.first.nCol;
    }
}

TEST(GridRecord, TitleBandGrowsWithLines) {
    EXPECT_EQ(TitleBandHeight("", 20), 0);
    EXPECT_EQ(TitleBandHeight("Names", 20), 24);
    EXPECT_EQ(TitleBandHeight("a\nb\nc", 20), 72);
    EXPECT_EQ(TitleBandHeight("x", 17), 20);
}
