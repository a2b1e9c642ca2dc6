#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "label_ini_format.h"

namespace {

TEST(LabelIniValues, NumbersKeepTheirLow16Bits) {
    const struct {
        const char* text;
        uint16_t value;
    } cases[] = {
        {"11905", 11905},
        {"70000", 4464},
        {"-5", 65531},
        {"  42", 42},
        {"+7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"65535", 65535},
        {"65536", 0},
        {"99999999999999999999", 65535},
        {"-99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value, ParseLabelIniWord(c.text)) << '"' << c.text << '"';
    }
}

TEST(LabelIniValues, OnlyExactYesMeansInches) {
    EXPECT_EQ(1u, ParseLabelIniFlag("Yes"));
    for (const char* text : {"yes", "YES", "1", "", "No", "Yes "}) {
        EXPECT_EQ(0u, ParseLabelIniFlag(text)) << '"' << text << '"';
    }
}

TEST(LabelIniValues, WrittenValuesReadBackUnchanged) {
    SheetFormat format{};
    for (int i = 0; i < kSheetFieldCount; ++i) {
        SetSheetField(format, static_cast<SheetField>(i), static_cast<uint16_t>(65535 - i * 7));
    }
    format.bInch = 1;
    SheetFormat back{};
    char text[16];
    for (int i = 0; i < kLabelIniKeyCount; ++i) {
        FormatLabelIniValue(format, i, text, sizeof text);
        StoreLabelIniValue(back, i, text);
    }
    EXPECT_EQ(0, std::memcmp(&format, &back, sizeof format));
    FormatLabelIniValue(format, kLabelIniKeyCount - 1, text, sizeof text);
    EXPECT_STREQ("Yes", text);
    format.bInch = 0;
    FormatLabelIniValue(format, kLabelIniKeyCount - 1, text, sizeof text);
    EXPECT_STREQ("No", text);
}

TEST(LabelIniKeys, AreWrittenInTheLibraryOrder) {
    const char* expected[] = {"wPaperWidth",       "wPaperHeight",   "wFirstLabelPosLeft",
                              "wFirstLabelPosTop", "wLabelWidth",    "wLabelHeight",
                              "wNumVertical",      "wNumHorizontal", "wSepVertical",
                              "wSepHorizontal",    "bInch"};
    for (int i = 0; i < kLabelIniKeyCount; ++i) {
        EXPECT_STREQ(expected[i], kLabelIniKeys[i]);
    }
}

TEST(LabelIniSection, MissingKeysReadAsZeroAndLongNamesAreCut) {
    SheetFormat format{};
    format.wPaperWidth = 11905;
    format.wTextLeft = 283;
    int asked = 0;
    const std::string name(150, 'n');
    ReadLabelIniSection(format, name.c_str(), [&](const char* key, char* text, size_t size) {
        ++asked;
        if (std::strcmp(key, "wLabelWidth") == 0) {
            std::snprintf(text, size, "5618");
        } else if (std::strcmp(key, "bInch") == 0) {
            std::snprintf(text, size, "Yes");
        }
    });
    EXPECT_EQ(kLabelIniKeyCount, asked);
    EXPECT_EQ(5618, format.wLabelWidth);
    EXPECT_EQ(0, format.wPaperWidth);
    EXPECT_EQ(1u, format.bInch);
    EXPECT_EQ(283, format.wTextLeft) << "the text box belongs to the project";
    EXPECT_EQ(sizeof format.szName - 1, std::strlen(format.szName));
}

TEST(NeighbourAfterDelete, PicksTheEntryToSelectNext) {
    const char three[] = "A4\0Letter\0Braille\0";
    const char one[] = "Only\0";
    const struct {
        const char* what;
        const char* list;
        const char* name;
        const char* expected;
    } cases[] = {
        {"first of three", three, "A4", "Letter"},
        {"middle", three, "Letter", "A4"},
        {"last", three, "Braille", "Letter"},
        {"only one", one, "Only", ""},
        {"not in the list", three, "Missing", "Braille"},
        {"case differs", three, "a4", "Braille"},
        {"empty library", "\0", "A4", ""},
        {"no list", nullptr, "A4", ""},
    };
    for (const auto& c : cases) {
        char name[100];
        std::strcpy(name, c.name);
        NeighbourAfterDelete(c.list, name, name, sizeof name);
        EXPECT_STREQ(c.expected, name) << c.what;
    }
}

TEST(SectionListContains, IsExactAndCaseSensitive) {
    const char list[] = "A4 wide\0A4\0";
    EXPECT_TRUE(SectionListContains(list, "A4"));
    EXPECT_TRUE(SectionListContains(list, "A4 wide"));
    EXPECT_FALSE(SectionListContains(list, "a4"));
    EXPECT_FALSE(SectionListContains(list, "A4 w"));
    EXPECT_FALSE(SectionListContains(nullptr, "A4"));
}

} // namespace
