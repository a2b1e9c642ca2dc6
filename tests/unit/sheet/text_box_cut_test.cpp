#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "text_box.h"

namespace {

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
        auto state = std::make_unique<AppState>();
        std::strcpy(state->szLabelText, c.text);
        state->Sheet.wTextHeight = c.height;
        CutTextToBox(state.get());
        EXPECT_EQ(std::string(c.kept), state->szLabelText) << '"' << c.text << "\" in " << c.height;
    }
}

} // namespace
