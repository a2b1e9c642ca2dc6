#include <gtest/gtest.h>

#include <string>

#include "table_names.h"

namespace {

TEST(TableNameOf, CutsRightAfterTheFirstLowerCaseExtension) {
    const struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"en-ueb-g2.qrf", "en-ueb-g2.qrf"},
        {"x.qrf.bak", "x.qrf"},
        {"a.qrf.qrf", "a.qrf"},
        {"CAPS.QRF", ""},
        {"readme.txt", ""},
        {"", ""},
        {".qrf", ".qrf"},
    };
    for (const auto& c : cases) {
        char name[260] = "stale";
        EXPECT_STREQ(c.name, TableNameOf(name, sizeof name, c.text)) << c.text;
    }
}

TEST(TableNameOf, GivesNoNameRatherThanACutOne) {
    char name[8] = "stale";
    EXPECT_STREQ("", TableNameOf(name, sizeof name, "long-name.qrf"));
    EXPECT_STREQ("", TableNameOf(name, sizeof name, nullptr));
}

TEST(InsertCarriageReturns, PutsACarriageReturnBeforeEveryLineFeed) {
    const struct {
        const char* source;
        size_t size;
        const char* shown;
    } cases[] = {
        {"one\ntwo\n", 64, "one\r\ntwo\r\n"},
        {"\n\n", 64, "\r\n\r\n"},
        {"plain", 64, "plain"},
        {"", 64, ""},
        {"abc", 3, "ab"},
        // The cut never splits a line end.
        {"ab\ncd", 4, "ab"},
        {"ab\ncd", 5, "ab\r\n"},
    };
    for (const auto& c : cases) {
        char shown[64];
        InsertCarriageReturns(shown, c.size, c.source);
        EXPECT_STREQ(c.shown, shown) << c.source << " into " << c.size;
    }
}

TEST(InsertCarriageReturns, StopsAtAFullBufferOf1024) {
    std::string source(1000, '\n');
    std::string shown(1024, 'x');
    InsertCarriageReturns(shown.data(), shown.size(), source.c_str());
    EXPECT_EQ(1022u, std::string(shown.c_str()).size());
}

TEST(LastPathPart, TakesWhatFollowsTheLastBackslash) {
    const struct {
        const char* path;
        const char* part;
    } cases[] = {
        {"C:\\data\\RuleFiles\\de-g0.qrf", "de-g0.qrf"},
        {"de-g0.qrf", "de-g0.qrf"},
        {"C:\\data\\sub\\", "sub\\"},
        {"\\", "\\"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.part, LastPathPart(c.path)) << c.path;
    }
}

} // namespace
