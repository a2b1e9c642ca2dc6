#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tactr_test_util.h"

using tactr_test::Braille;
using tactr_test::LoadTable;
using tactr_test::Sample;
using tactr_test::Ueb;

namespace {

TEST_F(Ueb, Capitals) {
    Check(*g1, {{"John", "6-245-135-125-1345"},
                {"JOHN", "6-6-245-135-125-1345"},
                {"ABCs", "6-6-1-12-14-6-3-234"},
                {"McDonald", "6-134-14-6-145-135-1345-1-123-145"},
                {"ONE TWO Three", "6-6-135-1345-15 6-6-2345-2456-135 6-2345-125-1235-15-15"},
                {"THE CAT SAT.", "6-6-6-2345-125-15 14-1-2345 234-1-2345-256-6-3"},
                {"A B C\nd", "6-6-6-1 12 14-6-3\n145"},
                {"\xC9"
                 "mile",
                 "6-45-34-15-134-24-123-15"}});
}

TEST_F(Ueb, Numbers) {
    Check(*g1, {{"1,000", "3456-1-2-245-245-245"},
                {"3.5", "3456-14-256-15"},
                {"10:30", "3456-1-245-25-3456-14-245"},
                {"3b", "3456-14-56-12"},
                {"4B", "3456-145-6-12"},
                {"4th", "3456-145-2345-125"},
                {"20 7946", "3456-12-245-5-1245-24-145-124"},
                {"20 x", "3456-12-245 1346"},
                {"$5", "4-234-3456-15"},
                {"$.99", "4-234-3456-256-24-24"},
                {"No.16", "6-1345-135-256-3456-1-124"},
                {"3.d", "3456-14-256-56-145"}});
}

TEST_F(Ueb, ContractionsByPlace) {
    Check(*g2, {{"the", "2346"},            // anywhere, alone
                {"other", "135-2346-1235"}, // anywhere, inside
                {"ing", "35-1245"},         // "ing" never begins a word
                {"king", "13-346"},
                {"be", "23"},       // lower wordsign
                {"bed", "12-1246"}, // no "be" groupsign
                {"become", "23-14-135-134-15"},
                {"bread", "12-1235-2-145"}, // "ea" only in the middle
                {"area", "345-15-1"},
                {"sea", "234-15-1"},
                {"tea", "2345-15-1"},
                {"nation", "1345-1-56-1345"}, // final-letter sign at the end
                {"nessie", "1345-15-234-234-24-15"},
                {"someone", "5-234-5-135"}, // initial-letter signs
                {"can", "14"},              // alphabetic wordsign alone
                {"cane", "14-1-1345-15"},   // not inside a word
                {"can't", "14-3-2345"},
                {"about", "1-12"}, // shortform
                {"friendly", "124-1235-123-13456"}});
}

TEST_F(Ueb, WordSignLookAlikes) {
    Check(*g2, {{"St.", "6-234-2345-256"}, // "st" alone would read "still"
                {"CD", "56-6-6-14-145"},   // spelled "cd" would read "could"
                {"J. Smith", "56-6-245-256 6-234-134-24-1456"},
                {"a b", "1 56-12"},
                {"e-mail", "56-15-36-134-1-24-123"}});
}

TEST_F(Ueb, QuotesOpenAndClose) {
    Check(*g1, {{"say \"hi\" now", "234-1-13456 236-125-24-356 1345-135-2456"},
                {"(\"x\")", "5-126-236-1346-356-5-345"},
                {"\"5\"", "236-3456-15-356"}});
}

TEST_F(Ueb, LineEndsAreKept) {
    Check(*g1, {{"a\r\nb", "1\r\n12"},
                {"a\nb\rc", "1\n12\r14"},
                {"\n\na\n", "\n\n1\n"},
                {"1\n2", "3456-1\n3456-12"}});
}

TEST_F(Ueb, CellBytesAreNeverControlCharacters) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            all += static_cast<char>(c);
    char out[tactr::kBrailleBufferSize];
    size_t n = tactr::Translate(*g2, nullptr, all.c_str(), out, sizeof out);
    ASSERT_GT(n, 100u);
    for (size_t i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        EXPECT_TRUE(b >= 0x40 && b <= 0x7F) << "byte " << i << " is " << int(b);
    }
}

TEST(Exceptions, WinOverTheTable) {
    tactr::Table g2 = LoadTable("en-ueb-g2.qrf");
    tactr::Table ex;
    std::string error;
    ASSERT_TRUE(tactr::CompileTableText(
        "word Reagan 1235-15-1-1245-1-1345\nreplace Jose Jos\\xE9\nword and 1-1345-145\n", "x.qrf",
        tactr::TableKind::kExceptions, tactr::ReadWholeFile, ex, error))
        << error;
    Sample samples[] = {
        {"Reagan", "6-1235-15-1-1245-1-1345"},
        {"REAGAN", "6-6-1235-15-1-1245-1-1345"},
        {"reagan's", "1235-15-1-1245-1-1345-3-234"},
        {"Jose", "6-245-135-234-45-34-15"},
        {"and", "1-1345-145"},
        {"sandy", "234-12346-13456"}, // whole words only
    };
    for (const Sample& s : samples)
        EXPECT_EQ(s.dots, Braille(g2, s.text, &ex)) << s.text;
    EXPECT_EQ("6-1235-2-1245-1-1345", Braille(g2, "Reagan"));
}

// A replacement goes through the table's rules only; entries that name
// each other (or themselves) once recursed until the stack overflowed.
TEST(Exceptions, ReplacementsAreNotLookedUpAgain) {
    const std::string letters = "letter a A 1\nletter b B 12\nletter c C 14\nspace \\s 0\n";
    struct Case {
        const char* table;
        const char* list; // null: no exception list
        const char* text;
        const char* dots;
    } cases[] = {
        {"replace ab ab", nullptr, "ab", "1-12"},
        {"replace ab cc\nreplace cc ab", nullptr, "ab cc", "14-14 1-12"},
        {"replace ab ab ab", nullptr, "Ab", "1-12 1-12"},
        {"replace cc ab", "replace ab cc", "ab", "14-14"},
        {"", "replace ab ab\nreplace ba ab", "ba", "1-12"},
    };
    for (const Case& c : cases) {
        tactr::Table t, ex;
        std::string error;
        ASSERT_TRUE(tactr::CompileTableText(letters + c.table, "t.qrf",
                                            tactr::TableKind::kTranslation, tactr::ReadWholeFile, t,
                                            error))
            << error;
        if (c.list) {
            ASSERT_TRUE(tactr::CompileTableText(c.list, "x.qrf", tactr::TableKind::kExceptions,
                                                tactr::ReadWholeFile, ex, error))
                << error;
        }
        EXPECT_EQ(c.dots, Braille(t, c.text, c.list ? &ex : nullptr))
            << c.table << " / " << (c.list ? c.list : "") << ": " << c.text;
    }
}

TEST(Exceptions, ShippedListsCompile) {
    for (const char* name : {"exceptions/default.qrf", "exceptions/names.qrf"}) {
        tactr::Table t = LoadTable(name, tactr::TableKind::kExceptions);
        EXPECT_EQ(std::string::npos, t.szName.find("FAILED")) << t.szName;
    }
}

TEST(Bounds, LongInputStaysInsideTheBuffers) {
    tactr::Table g2 = LoadTable("en-ueb-g2.qrf");
    struct Case {
        std::string text;
        bool cutAtLineEnd;
    } cases[] = {
        {std::string(4095, 'a'), false},
        {std::string(4095, '9'), false},
        {[] {
             std::string s;
             while (s.size() < 4095)
                 s += "Hello World\r\n";
             return s.substr(0, 4095);
         }(),
         true},
        {[] {
             std::string s;
             while (s.size() < 4095)
                 s += "\xC9t\xE9 ";
             return s.substr(0, 4095);
         }(),
         false},
    };
    for (const Case& c : cases) {
        char out[tactr::kBrailleBufferSize + 64];
        std::memset(out, 0x5A, sizeof out);
        size_t n = tactr::Translate(g2, nullptr, c.text.c_str(), out, tactr::kBrailleBufferSize);
        ASSERT_LT(n, tactr::kBrailleBufferSize);
        EXPECT_EQ('\0', out[n]);
        EXPECT_EQ(n, std::strlen(out));
        for (size_t i = tactr::kBrailleBufferSize; i < sizeof out; ++i)
            ASSERT_EQ(0x5A, out[i]) << "overrun at " << i;
        if (c.cutAtLineEnd) {
            // Only whole lines: the text is cut before a line end, never inside a line.
            std::string line = Braille(g2, "Hello World"), all = tactr_test::ToDots(out);
            for (size_t pos = 0; pos <= all.size();) {
                size_t end = std::min(all.find("\r\n", pos), all.size());
                EXPECT_EQ(line, all.substr(pos, end - pos));
                pos = end + 2;
            }
        } else {
            // A single line is cut at its last blank, or full when it has none.
            EXPECT_TRUE(n == tactr::kBrailleBufferSize - 1 || out[n - 1] != 0x40) << n;
        }
    }
}

TEST(Bounds, TinyOutputBuffers) {
    tactr::Table g1 = LoadTable("en-ueb-g1.qrf");
    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(0u, tactr::Translate(g1, nullptr, "abc", out, 0));
    EXPECT_EQ('x', out[0]);
    EXPECT_EQ(0u, tactr::Translate(g1, nullptr, "abc", out, 1));
    EXPECT_EQ('\0', out[0]);
    // "A" needs two cells: only what fits is written.
    EXPECT_EQ(1u, tactr::Translate(g1, nullptr, "A", out, 2));
    EXPECT_EQ(2u, tactr::Translate(g1, nullptr, "A", out, 3));
    EXPECT_EQ(0u, tactr::Translate(g1, nullptr, nullptr, out, sizeof out));
    // A cut never throws away everything for a leading line end or blank.
    char big[tactr::kBrailleBufferSize];
    EXPECT_EQ(1023u, tactr::Translate(g1, nullptr, ("\n" + std::string(2000, 'a')).c_str(), big,
                                      sizeof big));
    EXPECT_EQ(1023u, tactr::Translate(g1, nullptr, (" " + std::string(2000, 'a')).c_str(), big,
                                      sizeof big));
    // A sign of several cells is never split.
    EXPECT_EQ(0u, tactr::Translate(g1, nullptr, "$", out, 2));
}

} // namespace
