// Finding a workbook's parts inside its package: the workbook, its first
// sheet and its shared strings.
#pragma once

#include <string>

#include "zip_reader.h"

struct XlsxParts {
    std::string sheet;         // path of the first sheet
    std::string sharedStrings; // path, empty when there are none
};

bool LocateXlsxParts(const ZipArchive& zip, XlsxParts& parts);
// Contents of a part; false when it is missing or damaged.
bool ReadPart(const ZipArchive& zip, const std::string& path, std::string& out);
