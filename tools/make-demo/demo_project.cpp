#include "demo_project.h"

#include <cstdio>

#include "text_box.h"

namespace {
constexpr int kDemoLabels = 24;
}

void DescribeDemoProject(AppState* state, const char* dataPath, const char* embosser) {
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
    const int64_t cell = BrailleCellTwips(sheet), line = BrailleLineTwips(sheet);
    sheet.wTextWidth = static_cast<uint16_t>(sheet.wTextWidth / cell * cell);
    sheet.wTextHeight = static_cast<uint16_t>(sheet.wTextHeight / line * line);
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
