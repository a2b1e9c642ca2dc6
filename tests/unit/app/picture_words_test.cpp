#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "picture_words.h"

namespace {

SheetFormat Sheet(const char* name, uint16_t across, uint16_t down, uint32_t inch) {
    SheetFormat format{};
    std::strcpy(format.szName, name);
    format.wPaperWidth = 11905; // 210 x 297 mm
    format.wPaperHeight = 16837;
    format.wLabelWidth = 3969; // 70 x 37 mm
    format.wLabelHeight = 2098;
    format.wNumHorizontal = across;
    format.wNumVertical = down;
    format.bInch = inch;
    return format;
}

TEST(PictureWords, SheetInItsOwnUnit) {
    SheetFormat half = Sheet("", 2, 7, 0);
    half.wLabelHeight = 2126; // 37.5 mm
    const struct {
        SheetFormat format;
        const char* sheet;
        const char* paper;
    } cases[] = {
        {Sheet("A4", 3, 8, 0), "A4, 3 across, 8 down, labels 70 x 37 mm", "paper 210 x 297 mm"},
        {Sheet("A4", 3, 8, 1), "A4, 3 across, 8 down, labels 2.76 x 1.46 inches",
         "paper 8.27 x 11.69 inches"},
        {half, "2 across, 7 down, labels 70 x 37.5 mm", "paper 210 x 297 mm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.sheet, SheetInWords(c.format));
        EXPECT_EQ(c.paper, PaperInWords(c.format));
    }
}

TEST(PictureWords, StartSaysWhereTheFirstLabelGoes) {
    const SheetFormat format = Sheet("A4", 3, 8, 0);
    const struct {
        int32_t start;
        const char* words;
    } cases[] = {
        {1, "start at label 1: row 1, column 1"},
        {5, "start at label 5: row 2, column 2"},
        {24, "start at label 24: row 8, column 3"},
        {0, "start at label 0: row 8, column 3"}, // the last slot of a sheet of its own
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.words, StartInWords(format, c.start));
    EXPECT_EQ("start at label 3", StartInWords(Sheet("", 0, 0, 0), 3)) << "a sheet without labels";
}

TEST(PictureWords, LabelLinesThenItsBraille) {
    EXPECT_EQ("Label 3 of 24:", LabelCounterInWords(3, 24));
    const struct {
        const char* text;
        const char* cells;
        std::string words;
    } cases[] = {
        {"Ann\r\n\r\nSmith\r\n", nullptr, "Ann\nSmith"},
        {"M\xC3\xBCller", "", "M\xC3\xBCller"},
        // dots 1, a blank cell, dots 1-2-3-4-5-6; line ends as the translator keeps them
        {"a b\nc", "\x41\x40\x7F\r\n\x49",
         "a b\nc\nbraille:\n\xE2\xA0\x81\xE2\xA0\x80\xE2\xA0\xBF\n\xE2\xA0\x89"},
        {"", "\x41", "braille:\n\xE2\xA0\x81"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.words, LabelInWords(c.text, c.cells)) << c.text;
}

} // namespace
