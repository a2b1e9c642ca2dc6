#pragma once
#include "app_state.h"

// The demo project: A4 address labels, 3 x 8 of 70 x 37 mm, three lines of
// contracted English braille from the list of names and addresses at
// `dataPath`, all 24 labels on `embosser`.
void DescribeDemoProject(AppState* state, const char* dataPath, const char* embosser);
