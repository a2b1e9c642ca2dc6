#pragma once
#include <string_view>

#include "app_state.h"

// Rebuilds `pFields` and `nFieldCount` from `szLabelText`: every `{X}` field,
// with a name of at most 259 characters.
void ScanLabelFields(AppState* state);

// 1 when the text holds at least one `{` and as many `{` as `}`.
int HasFieldBraces(std::string_view text);

// The label text as far as its terminator, never past its buffer.
std::string_view LabelText(const AppState& state);
