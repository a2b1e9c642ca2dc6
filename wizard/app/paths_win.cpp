#include "paths.h"

#include <windows.h>
#include <shlobj.h>

#include "file_locations.h"

char* ModuleFolderPath(char* dest, size_t size, const char* name) {
    char moduleName[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, moduleName, sizeof moduleName);
    ComposeModuleFolderPath(dest, size, moduleName, name);
    return dest;
}

namespace {

char* DataSubfolderPath(char* dest, size_t size, const char* subfolder, const char* name) {
    if (size) {
        dest[0] = '\0';
    }
    if (!DataFolderPath(dest, size, subfolder) || !*dest) {
        return dest;
    }
    AppendFileName(dest, size, name);
    return dest;
}

} // namespace

// Asks the shell through whichever of the two libraries that carry the
// entry can be loaded.
bool CommonAppDataFolder(char* folder) {
    using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    HMODULE library = LoadLibraryA("shFolder.dll");
    if (!library) {
        library = LoadLibraryA("shell32.dll");
    }
    if (!library) {
        return false;
    }
    auto getFolderPath =
        reinterpret_cast<GetFolderPathFn>(GetProcAddress(library, "SHGetFolderPathA"));
    const bool ok = getFolderPath &&
                    SUCCEEDED(getFolderPath(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder));
    FreeLibrary(library);
    return ok;
}

char* DataFolderPath(char* dest, size_t size, const char* name) {
    char commonAppData[MAX_PATH] = "";
    if (!CommonAppDataFolder(commonAppData)) {
        if (size) {
            dest[0] = '\0';
        }
        return dest;
    }
    ComposeDataFolderPath(dest, size, commonAppData, name);
    return dest;
}

char* RuleFilePath(char* dest, size_t size, const char* name) {
    return DataSubfolderPath(dest, size, "RuleFiles\\", name);
}

char* ExceptionFilePath(char* dest, size_t size, const char* name) {
    return DataSubfolderPath(dest, size, "ExceptionFiles\\", name);
}
