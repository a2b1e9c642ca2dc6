#pragma once
#include <cstddef>
#include <cstdint>

#include "app_state.h"
#include "job_sink.h"

constexpr size_t kLabelTextSize = 4096;

// Writes record nRecord's composed label into a kLabelTextSize buffer:
// NUL-terminated lines of braille cells, ended by an extra NUL. 1, 0 (the
// label stays blank), or below 0 when the job must end (the kCompose codes
// of label_compose.h).
using ComposeLabelFn = int (*)(char* pBuffer, int32_t nRecord, AppState* pState);

// One running job's placement state. The grid is allocated by the caller
// (W x H, see page_grid.h); bPagePending is set while it holds a drawn label
// not yet written; nComposeFailure keeps the result below 0 that ended it.
struct LabelJob {
    AppState* pState;
    uint8_t* pGrid;
    uint32_t W;
    uint32_t H;
    JobSink* pSink;
    ComposeLabelFn pfnCompose;
    int bPagePending;
    int nComposeFailure;
};

LabelJob MakeLabelJob(AppState* pState, uint8_t* pGrid, uint32_t W, uint32_t H, JobSink* pSink,
                      ComposeLabelFn pfnCompose);

// Row and column (from 1) of a slot on its sheet, filled row by row from
// the top. Slot 0 is the last slot of a sheet of its own. 0 when the sheet
// has no labels or the slot is negative.
int LabelSlotOf(const SheetFormat& format, int32_t nSlot, int32_t* pRow, int32_t* pColumn);

// Draws label nLabel, whatever its number, into slot nSlot and writes the
// sheet when it is full. 0 when the label cannot be placed or a write fails;
// the job must then end as failed.
int PlaceLabel(LabelJob& job, int32_t nLabel, int32_t nSlot);

// Ends the job's pages: a partly filled sheet is written without a form
// feed. 0 when the write fails.
int EndLabelPages(LabelJob& job);

// X and Y in twips: the text box's top left corner on the sheet.
int DrawLabel(LabelJob& job, int64_t X, int64_t Y, int32_t nLabel, int32_t nRow, int32_t nColumn);
