#pragma once

// What the program does before the wizard shows: seed the user's sheet
// formats, scan the translation tables, initialise the common controls and
// load the rich edit library (kept loaded for the life of the process).
void PrepareProgram();
