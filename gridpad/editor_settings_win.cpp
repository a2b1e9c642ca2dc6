#include <cstdio>
#include <cstring>
#include <string>

#include "editor_win.h"
#include "resource.h"

static EditorFileDialogFn g_pfnOpenDialog = GetOpenFileNameA;
static EditorFileDialogFn g_pfnSaveDialog = GetSaveFileNameA;

void SetEditorFileDialogs(EditorFileDialogFn open, EditorFileDialogFn save) {
    g_pfnOpenDialog = open ? open : GetOpenFileNameA;
    g_pfnSaveDialog = save ? save : GetSaveFileNameA;
}

bool EditorKeyPathFromFile(const char* wizardFile, char* out, size_t capacity) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(wizardFile, &handle);
    if (size == 0) {
        return false;
    }
    std::string info(size, '\0');
    if (!GetFileVersionInfoA(wizardFile, 0, size, info.data())) {
        return false;
    }
    WORD* pairs = nullptr;
    UINT pairBytes = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pairs),
                        &pairBytes)) {
        return false;
    }
    for (UINT i = 0; i + 1 < pairBytes / sizeof(WORD); i += 2) {
        char query[64];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", pairs[i],
                      pairs[i + 1]);
        char* version = nullptr;
        UINT length = 0;
        if (VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&version), &length) &&
            length > 0) {
            return KeyPathFromVersion(version, out, capacity);
        }
    }
    return false;
}

// The wizard's program file lies beside the editor's.
bool EditorKeyPath(char* out, size_t capacity) {
    char path[MAX_PATH + 16];
    DWORD len = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) {
        return false;
    }
    char* slash = std::strrchr(path, '\\');
    if (slash == nullptr) {
        return false;
    }
    std::strcpy(slash + 1, "dotwell.exe");
    return EditorKeyPathFromFile(path, out, capacity);
}

bool ReadEditorValue(const char* name, char out[kPathBuffer]) {
    char keyPath[kPathBuffer];
    if (!EditorKeyPath(keyPath, sizeof keyPath)) {
        return false;
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = kPathBuffer;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(out), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) {
        return false;
    }
    out[size < kPathBuffer ? size : kPathBuffer - 1] = '\0';
    return true;
}

// Without a key path (no wizard beside the editor, or no version in it) the
// editor keeps no settings at all.
void WriteEditorValue(const char* name, const char* text) {
    char keyPath[kPathBuffer];
    if (!EditorKeyPath(keyPath, sizeof keyPath)) {
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
}

static bool ReadPersonalFolder(char out[kPathBuffer]) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD size = kPathBuffer;
    LONG rc =
        RegQueryValueExA(key, "Personal", nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        return false;
    }
    out[size < kPathBuffer ? size : kPathBuffer - 1] = '\0';
    return true;
}

static PathKind KindOfPath(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PATH_MISSING;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PATH_FOLDER : PATH_FILE;
}

BOOL AskForCsvFile(HWND owner, bool bSave, char path[kPathBuffer]) {
    char title[256];
    LoadStringA(GetModuleHandleA(nullptr), IDS_FILE_DIALOG_TITLE, title, sizeof title);
    char initialDir[kPathBuffer];
    bool bHaveDir = ReadEditorValue("LastDir", initialDir) || ReadPersonalFolder(initialDir);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "csv\0*.csv\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathBuffer;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = "csv";
    ofn.lpstrInitialDir = bHaveDir ? initialDir : nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_SHOWHELP;
    // A file that must already exist would make saving a new file impossible.
    if (!bSave) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
    }
    if (!(bSave ? g_pfnSaveDialog : g_pfnOpenDialog)(&ofn)) {
        return FALSE;
    }
    char lastDir[kPathBuffer];
    if (LastDirFromPath(path, KindOfPath, lastDir)) {
        WriteEditorValue("LastDir", lastDir);
    }
    return TRUE;
}
