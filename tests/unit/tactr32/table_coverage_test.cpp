// Every shipped table writes every printable Windows-1252 character: a
// letter missing from a name is a wrong label.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tactr_test_util.h"

namespace {

std::vector<std::string> ShippedTables() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(tactr_test::TablePath("")))
        if (entry.is_regular_file() && entry.path().extension() == ".qrf")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Windows-1252 leaves 0x81, 0x8D, 0x8F, 0x90 and 0x9D unassigned.
bool IsPrintable(int c) {
    return c >= 0x20 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

class TableCoverage : public testing::TestWithParam<std::string> {};

TEST_P(TableCoverage, WritesEveryPrintableCharacterAloneAndInAWord) {
    tactr::Table t = tactr_test::LoadTable(GetParam());
    ASSERT_EQ(std::string::npos, t.szName.find("FAILED")) << t.szName;
    const std::string host = tactr_test::Braille(t, "aa");
    std::string alone, inWord;
    for (int c = 0x20; c < 0x100; ++c) {
        if (!IsPrintable(c))
            continue;
        const std::string ch(1, static_cast<char>(c));
        char hex[8];
        std::snprintf(hex, sizeof hex, " 0x%02X", c);
        if (tactr_test::Braille(t, ch).empty())
            alone += hex;
        if (tactr_test::Braille(t, "a" + ch + "a") == host)
            inWord += hex;
    }
    EXPECT_EQ("", alone) << GetParam() << " leaves these out when they stand alone";
    EXPECT_EQ("", inWord) << GetParam() << " leaves these out inside a word";
}

INSTANTIATE_TEST_SUITE_P(Shipped, TableCoverage, testing::ValuesIn(ShippedTables()),
                         [](const testing::TestParamInfo<std::string>& test) {
                             return tactr_test::TestNameOf(test.param);
                         });

} // namespace
