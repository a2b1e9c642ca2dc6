#include "startup.h"

#include <windows.h>
#include <commctrl.h>

#include "data_services.h"
#include "sheet_library.h"
#include "table_lists.h"

void PrepareProgram() {
    SeedSheetFormats();
    ScanTranslationTables();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryA("riched20.dll");
    InstallDataServices();
}
