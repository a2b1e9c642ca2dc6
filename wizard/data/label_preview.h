#pragma once
#include <windows.h>

#include <cstdint>

#include "app_state.h"

// A page's label preview (rich edit 1043, counter 1026, spin 1016) for the
// record `recordIndex` (from 0). Modes and option as PreviewLabel's.
int PreviewLabelText(HWND page, int32_t recordIndex, AppState* state, int mode, int option);
