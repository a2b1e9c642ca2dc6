#include <gtest/gtest.h>

#include <string>

#include "exception_list.h"
#include "table_info.h"

namespace {

using tactr::ExceptionEntry;
using tactr::ExceptionList;

const char kList[] = "name Names\r\n"
                     "# kept as written\r\n"
                     "word Reagan 1235-15-1-1245-1-1345\r\n"
                     "replace Jose Jos\\xE9\r\n"
                     "\r\n";

TEST(ExceptionList, ReadsEntriesAndKeepsEveryOtherLine) {
    ExceptionList list;
    list.Parse(kList);
    ASSERT_EQ(2u, list.Count());
    EXPECT_EQ("Reagan", list.At(0).word);
    EXPECT_FALSE(list.At(0).bReplace);
    EXPECT_EQ("Jos\xE9", list.At(1).value);
    EXPECT_TRUE(list.At(1).bReplace);
    EXPECT_EQ(kList, list.Text());
}

TEST(ExceptionList, EditsRoundTripWithEscapes) {
    ExceptionList list;
    list.Parse(kList);
    std::string why;
    ASSERT_TRUE(list.Add({true, "M\xFCller", "Mueller and\\co "}, why)) << why;
    ASSERT_TRUE(list.Add({true, "Lead", "  spaced"}, why)) << why;
    ASSERT_TRUE(list.Change(0, {false, "Reagan", "1235-15"}, why)) << why;
    list.Remove(1);
    const std::string text = list.Text();
    EXPECT_NE(std::string::npos, text.find("word Reagan 1235-15\r\n"));
    EXPECT_NE(std::string::npos, text.find("replace M\\xFCller Mueller and\\\\co\\s\r\n")) << text;
    EXPECT_EQ(std::string::npos, text.find("Jose"));
    EXPECT_NE(std::string::npos, text.find("# kept as written"));

    ExceptionList again;
    again.Parse(text);
    ASSERT_EQ(3u, again.Count());
    EXPECT_EQ("M\xFCller", again.At(1).word);
    EXPECT_EQ("Mueller and\\co ", again.At(1).value);
    EXPECT_EQ("  spaced", again.At(2).value) << "blanks at either end survive";
}

TEST(ExceptionList, RefusesEntriesTheTranslatorWouldRefuse) {
    const struct {
        ExceptionEntry entry;
        const char* why;
    } cases[] = {
        {{false, "reagan", "1"}, "already"}, {{false, "two words", "1"}, "one word"},
        {{false, "", "1"}, "one word"},      {{false, "new", "127"}, "Bad braille"},
        {{false, "new", ""}, "Bad braille"}, {{true, "new", ""}, "text"},
    };
    for (const auto& c : cases) {
        ExceptionList list;
        list.Parse(kList);
        std::string why;
        EXPECT_FALSE(list.Add(c.entry, why)) << c.entry.word;
        EXPECT_NE(std::string::npos, why.find(c.why)) << why;
        EXPECT_EQ(2u, list.Count());
    }
    ExceptionList list;
    list.Parse(kList);
    std::string why;
    EXPECT_TRUE(list.Change(0, {false, "REAGAN", "1"}, why)) << "its own word may change case";
    EXPECT_FALSE(list.Change(0, {false, "jose", "1"}, why));
}

TEST(ListFileName, MakesASafeFileName) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"mine", "mine.qrf"},
        {"  mine  ", "mine.qrf"},
        {"mine.QRF", "mine.qrf"},
        {"a/b", ""},
        {"..\\up", ""},
        {"", ""},
        {"what?", ""},
        {"...", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.file, tactr::ListFileName(c.name)) << c.name;
    }
}

TEST(CellsAsDots, NamesEachCellsDots) {
    EXPECT_EQ("1-12-0-123456", tactr::CellsAsDots("\x41\x43\x40\x7F"));
    EXPECT_EQ("1 / 2", tactr::CellsAsDots("\x41\r\n\x42"));
}

TEST(TryWord, TheUnsavedListWinsOverTheTable) {
    const std::string tables = std::string(DOTWELL_SOURCE_DIR) + "/libs/tactr32/tables/";
    std::string result;
    ASSERT_TRUE(
        tactr::TryWord(tables + "de-g0.qrf", "word zug 1-2\n", tables + "mine.qrf", "Zug", result))
        << result;
    EXPECT_EQ("46-1-2", result) << "capital sign, then the listed cells";
    EXPECT_FALSE(
        tactr::TryWord(tables + "de-g0.qrf", "bogus line\n", tables + "mine.qrf", "Zug", result));
    EXPECT_NE(std::string::npos, result.find("mine.qrf:1")) << result;
}

TEST(RelatedTables, KeepsTheSameLanguageSorted) {
    auto read = [](const std::string& name, tactr::TableInfo& info) {
        info.szLanguage = name[0] == 'e' ? "en" : "de";
        return name != "en-broken.qrf";
    };
    EXPECT_EQ(
        (std::vector<std::string>{"en-b.qrf", "en-c.qrf"}),
        tactr::RelatedTables({"en-c.qrf", "de.qrf", "en-b.qrf", "en-broken.qrf"}, "en", read));
    EXPECT_TRUE(tactr::RelatedTables({"en-c.qrf"}, "", read).empty());
}

} // namespace
