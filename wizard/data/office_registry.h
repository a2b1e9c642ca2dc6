#pragma once
#include <cstddef>

// The installed Office version from "Word.Application\CurVer" (for
// example "11"); `version` holds at least 64 bytes. 1 when found.
int OfficeVersion(char* version);

// The spreadsheet application's folder, ending in a backslash. 1 when found.
int ExcelFolder(char* path, size_t size);

// 1 when "excel.exe" is in ExcelFolder.
int ExcelInstalled();
