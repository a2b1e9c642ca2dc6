#include <windows.h>

#include "paths.h"
#include "sheet_library.h"

int LabelIniPath(char* dest, size_t size) {
    return *DataFolderPath(dest, size, "Label.ini") ? 1 : 0;
}

void SeedSheetFormats() {
    char programIni[MAX_PATH];
    char userIni[MAX_PATH];
    ModuleFolderPath(programIni, sizeof programIni, "label.ini");
    LabelIniPath(userIni, sizeof userIni);
    SeedSheetFormatsFrom(programIni, userIni);
}
