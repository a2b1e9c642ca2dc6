#include "label_placement.h"

#include <cstdlib>
#include <cstring>

#include "page_grid.h"

LabelJob MakeLabelJob(AppState* pState, uint8_t* pGrid, uint32_t W, uint32_t H, JobSink* pSink,
                      ComposeLabelFn pfnCompose) {
    return LabelJob{pState, pGrid, W, H, pSink, pfnCompose, 0, 0};
}

int LabelSlotOf(const SheetFormat& format, int32_t nSlot, int32_t* pRow, int32_t* pColumn) {
    int64_t across = format.wNumHorizontal;
    int64_t down = format.wNumVertical;
    if (across == 0 || down == 0 || nSlot < 0)
        return 0;
    int64_t perSheet = across * down;
    int64_t sheet = (nSlot + perSheet - 1) / perSheet;
    int64_t rowOverAll = (nSlot + across - 1) / across;
    int64_t column = nSlot % across;
    *pRow = static_cast<int32_t>(rowOverAll - (sheet - 1) * down);
    *pColumn = static_cast<int32_t>(column == 0 ? across : column);
    return 1;
}

int EndLabelPages(LabelJob& job) {
    if (!job.bPagePending)
        return 1;
    job.bPagePending = 0;
    return EmitPage(job.pGrid, *job.pSink, job.W, job.H, 1);
}

int PlaceLabel(LabelJob& job, int32_t nLabel, int32_t nSlot) {
    const SheetFormat& f = job.pState->Sheet;
    int32_t row = 0, column = 0;
    // A sheet too wide for the graphics header could never be written.
    if (!LabelSlotOf(f, nSlot, &row, &column) || job.W % 8 != 0 || job.W / 8 > kMaxRowBytes)
        return 0;
    int64_t X = int64_t{f.wFirstLabelPosLeft} + f.wTextLeft +
                (column - 1) * (int64_t{f.wLabelWidth} + f.wSepHorizontal);
    int64_t Y = int64_t{f.wFirstLabelPosTop} + f.wTextTop +
                (row - 1) * (int64_t{f.wLabelHeight} + f.wSepVertical);
    return DrawLabel(job, X, Y, nLabel, row, column);
}

int DrawLabel(LabelJob& job, int64_t X, int64_t Y, int32_t nLabel, int32_t nRow, int32_t nColumn) {
    char* text = static_cast<char*>(malloc(kLabelTextSize));
    if (!text)
        return 0;
    text[0] = text[1] = 0;
    const int composed = job.pfnCompose ? job.pfnCompose(text, nLabel, job.pState) : 0;
    if (composed < 0) {
        free(text);
        job.nComposeFailure = composed;
        return 0;
    }
    // A label whose composition fails is left blank but keeps its slot.
    if (!composed)
        text[0] = text[1] = 0;

    int64_t x = TwipsToUnits(X);
    int64_t y = TwipsToUnits(Y);
    // Lines are walked within the buffer even when the last one is not
    // terminated.
    for (size_t pos = 0; pos < kLabelTextSize && text[pos]; y += kLinePitch) {
        size_t len = strnlen(text + pos, kLabelTextSize - pos);
        DrawBrailleLine(job.pGrid, x, y, text + pos, len, job.W, job.H);
        pos += len + 1;
    }
    free(text);
    job.bPagePending = 1;

    const SheetFormat& f = job.pState->Sheet;
    if (nColumn == f.wNumHorizontal && nRow == f.wNumVertical) {
        job.bPagePending = 0;
        return EmitPage(job.pGrid, *job.pSink, job.W, job.H, 0);
    }
    return 1;
}
