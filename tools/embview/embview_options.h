#pragma once
#include <string>

#include "sheet_format.h"

struct EmbviewOptions {
    std::string job;
    std::string svg;
    SheetFormat format{};
    bool bHasFormat = false;
};

// "wPaperWidth=11906,wNumVertical=8,..." over the fields of format.
bool ParseSheetFields(const std::string& text, SheetFormat* format, std::string* problem);

// The sheet format stored in a project file (either version).
bool ReadProjectSheet(const char* path, SheetFormat* format, std::string* problem);

bool ParseEmbviewOptions(int argc, char** argv, EmbviewOptions* options, std::string* problem);
