#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "text_box.h"

namespace {

SheetFormat Label(uint16_t width, uint16_t height) {
    SheetFormat format{};
    format.wLabelWidth = width;
    format.wLabelHeight = height;
    return format;
}

TEST(TextBox, ZeroedBoxFillsTheLabel) {
    SheetFormat format = Label(5669, 2835); // 100 x 50 mm
    FitTextBox(&format);
    EXPECT_EQ(format.wTextWidth, 5669);
    EXPECT_EQ(format.wTextHeight, 2835);
    EXPECT_EQ(format.wTextLeft, 0);
    EXPECT_EQ(format.wTextTop, 0);
}

TEST(TextBox, FitMovesAndStretchesToTheBottomEdge) {
    const struct {
        uint16_t left, top, width, height;
        uint16_t fitLeft, fitTop, fitWidth, fitHeight;
    } cases[] = {
        {0, 0, 5669, 680, 0, 0, 5669, 2835},        // short box stretched down
        {3000, 0, 4000, 2835, 1669, 0, 4000, 2835}, // too far right
        {0, 2000, 1000, 2000, 0, 835, 1000, 2000},  // too low: moved up
        {0, 100, 9000, 9000, 0, 0, 5669, 2835},     // larger than the label
    };
    for (const auto& c : cases) {
        SheetFormat format = Label(5669, 2835);
        format.wTextLeft = c.left;
        format.wTextTop = c.top;
        format.wTextWidth = c.width;
        format.wTextHeight = c.height;
        FitTextBox(&format);
        EXPECT_EQ(format.wTextLeft, c.fitLeft) << c.left << "," << c.top;
        EXPECT_EQ(format.wTextTop, c.fitTop) << c.left << "," << c.top;
        EXPECT_EQ(format.wTextWidth, c.fitWidth) << c.left << "," << c.top;
        EXPECT_EQ(format.wTextHeight, c.fitHeight) << c.left << "," << c.top;
    }
}

TEST(TextBox, RangesFollowTheOtherFields) {
    SheetFormat format = Label(5669, 2835);
    format.wTextLeft = 100;
    format.wTextTop = 200;
    format.wTextWidth = 3000;
    format.wTextHeight = 1000;
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Top).max, 1835);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Left).max, 2669);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Width).min, 340);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Width).max, 5569);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Height).min, 566);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Height).max, 2635);
    format.bInch = 1;
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Width).min, 340);
    EXPECT_EQ(TextBoxRange(format, TextBoxField::Height).min, 566);
}

std::string Cut(const char* text, uint16_t boxHeight) {
    auto state = std::make_unique<AppState>();
    ResetAppState(state.get());
    std::strcpy(state->szLabelText, text);
    state->Sheet.wTextHeight = boxHeight;
    CutTextToBox(state.get());
    return state->szLabelText;
}

TEST(CutTextToBox, TextKeepsTheLinesTheBoxHolds) {
    const struct {
        const char* text;
        uint16_t height;
        const char* kept;
    } cases[] = {
        {"a\nb\nc\nd\ne\nf\ng", 2835, "a\nb\nc\nd\ne"}, // 5 lines
        {"a\nb", 566, ""},                              // 0 lines: emptied
        {"a\nb", 567, "a"},                             // the line feed goes too
        {"a\nb", 1134, "a\nb"},
        {"", 567, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(c.text, c.height), c.kept) << c.text << " in " << c.height;
    }
}

// A box lower than one braille line holds no text at all, even when the
// text starts with an empty line.
TEST(CutTextToBox, ABoxWithoutLinesEmptiesTheText) {
    const struct {
        const char* text;
        uint16_t height;
        const char* kept;
    } cases[] = {
        {"\na", 566, ""},      {"\n\n\n", 0, ""},       {"\na\nb", 567, ""},
        {"\n\na", 1134, "\n"}, {"a\n\nb", 1134, "a\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(c.text, c.height), c.kept) << '"' << c.text << "\" in " << c.height;
    }
}

} // namespace
