// Writes the demo project: A4 address labels, 3 x 8 of 70 x 37 mm, three
// lines of contracted English braille from a list of names and addresses.
//   make_demo OUTPUT.dwp DATA_PATH [EMBOSSER]
// DATA_PATH is the Windows path the wizard will find the list at.
#include <cstdio>
#include <cstring>
#include <memory>

#include "project_codec.h"
#include "text_box.h"

namespace {

constexpr int kDemoLabels = 24;

void DescribeDemo(AppState* state, const char* dataPath, const char* embosser) {
    ResetAppState(state);
    SheetFormat& sheet = state->Sheet;
    std::snprintf(sheet.szName, sizeof sheet.szName, "A4 3 x 8, 70 x 37 mm");
    sheet.wPaperWidth = 11905;
    sheet.wPaperHeight = 16837;
    sheet.wFirstLabelPosLeft = 0;
    sheet.wFirstLabelPosTop = 28;
    sheet.wLabelWidth = 3968;
    sheet.wLabelHeight = 2097;
    sheet.wNumVertical = 8;
    sheet.wNumHorizontal = 3;
    FitTextBox(&sheet);
    // Whole cells and lines, as the Label Layout page leaves them.
    sheet.wTextWidth = static_cast<uint16_t>(sheet.wTextWidth / 340 * 340);
    sheet.wTextHeight = static_cast<uint16_t>(sheet.wTextHeight / 566 * 566);
    std::snprintf(state->szLabelText, sizeof state->szLabelText, "{A}\r\n{B}\r\n{C} {D}");
    std::snprintf(state->szRuleFile, sizeof state->szRuleFile, "en-ueb-g2.qrf");
    std::snprintf(state->szExceptionFile, sizeof state->szExceptionFile, "default.qrf");
    std::snprintf(state->szDatabaseFile, sizeof state->szDatabaseFile, "%s", dataPath);
    std::snprintf(state->szSelectedPrinter, sizeof state->szSelectedPrinter, "%s", embosser);
    state->nSourceKind = 1;
    state->nMinLabel = 1;
    state->nMaxLabel = kDemoLabels;
    state->nFromLabel = 1;
    state->nToLabel = kDemoLabels;
    state->nStartPos = 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_demo OUTPUT.dwp DATA_PATH [EMBOSSER]\n");
        return 2;
    }
    auto state = std::make_unique<AppState>();
    DescribeDemo(state.get(), argv[2], argc > 3 ? argv[3] : "");
    uint8_t bytes[kProjectFileSizeV2];
    EncodeProject(*state, bytes);
    FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(bytes, sizeof bytes, 1, out) == 1;
    return std::fclose(out) == 0 && written ? 0 : 1;
}
