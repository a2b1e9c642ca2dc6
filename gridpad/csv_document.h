#pragma once
#include <cstdint>

#include "csv.h"
#include "editor_text.h"

// The one open document of the editor.
struct CsvDocument {
    char szPath[kPathBuffer]; // empty: untitled
    CsvTable* hReader;        // only while a file is being loaded
    int32_t bModified;
};
