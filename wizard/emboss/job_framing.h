#pragma once
#include <cstdint>

#include "job_sink.h"

// Paper size for the job header: twips rounded half up to whole inches.
int32_t PaperWholeInches(uint16_t wTwips);

// ESC W, "PW..,PL..,MI..,DP1,FP0;", ESC TAB. Widths and heights are whole
// inches; impacts outside 1..5 are sent as 1, the embosser's own default.
int WriteJobHeader(JobSink& sink, int32_t nWidthInches, int32_t nHeightInches,
                   uint32_t nMultipleImpacts);

// ESC LF, then the end-of-job mark 0x1A.
int WriteJobEnd(JobSink& sink);

// 1 when the driver name equals a table entry, ignoring letter case.
int IsEmbosserDriver(const char* szDriver);
