#include "startup.h"

#include <windows.h>
#include <commctrl.h>

#include "data_services_win.h"
#include "sheet_library.h"
#include "table_lists_win.h"

void PrepareProgram() {
    SeedSheetFormats();
    ScanTranslationTables();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryA("riched20.dll");
    InstallDataServices();
}
