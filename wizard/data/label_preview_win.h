#pragma once
#include <windows.h>

#include <cstdint>

#include "app_state.h"

// A page's label preview (rich edit 1043, counter 1026, spin 1016), through
// the program's data source and translator; as label_compose.h's.
void PreviewLabelRange(AppState* state);
void ReopenLabelPreview(HWND page, AppState* state, int32_t recordIndex, bool translate);
void ShowLabelPreview(HWND page, AppState* state, int32_t recordIndex);
void ReleaseLabelPreview(HWND page, AppState* state);
