#include "spool_folder_win.h"

#include <cstdio>
#include <cstring>

#include "paths.h"
#include "project_file_io_win.h"
#include "settings_win.h"
#include "spool_names.h"

namespace {

std::vector<FolderEntry> ListFolder(const char* szFolder, const char* szPattern) {
    std::vector<FolderEntry> entries;
    char search[MAX_PATH];
    size_t len = strlen(szFolder);
    const char* sep = (len && szFolder[len - 1] == '\\') ? "" : "\\";
    int n = snprintf(search, sizeof search, "%s%s%s", szFolder, sep, szPattern);
    if (n < 0 || static_cast<size_t>(n) >= sizeof search)
        return entries;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(search, &found);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.push_back(
            {found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}

const char* PatternOf(const KeptFileKind& kind) {
    return kind.bOnlyExtension ? "*.dwp" : "*.*";
}

bool FolderExists(const char* szPath) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(szPath, &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates every missing folder of the path, from the left.
bool CreateFolderPath(const char* szPath) {
    char prefix[MAX_PATH];
    size_t len = strlen(szPath);
    if (len >= sizeof prefix)
        return false;
    for (size_t i = 1; i <= len; ++i) {
        if (i < len && szPath[i] != '\\')
            continue;
        memcpy(prefix, szPath, i);
        prefix[i] = 0;
        // A drive ("C:") is no folder to create.
        if (i == 2 && prefix[1] == ':')
            continue;
        if (!FolderExists(prefix) && !CreateDirectoryA(prefix, nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

bool AppendLevel(char* szPath, const char* szLevel) {
    size_t len = strlen(szPath);
    if (len + strlen(szLevel) >= MAX_PATH)
        return false;
    strcpy(szPath + len, szLevel);
    return FolderExists(szPath) || CreateFolderPath(szPath);
}

void DeleteOldest(const char* szFolder, const KeptFileKind& kind) {
    char path[kSpoolPathSize];
    if (OldestKeptFileName(szFolder, kind, ListFolder(szFolder, PatternOf(kind)), path))
        DeleteFileA(path);
}

void NextName(const char* szFolder, const KeptFileKind& kind, char* szPath) {
    NextKeptFileName(szFolder, kind, ListFolder(szFolder, PatternOf(kind)), szPath);
}

} // namespace

void MakeTempSpoolFile(char* szPath) {
    char folder[MAX_PATH];
    szPath[0] = 0;
    DWORD n = GetTempPathA(sizeof folder, folder);
    if (n == 0 || n >= sizeof folder || !GetTempFileNameA(folder, "VTF", 0, szPath))
        szPath[0] = 0;
}

int GetSpoolFolder(char* szPath) {
    if (!CommonAppDataFolder(szPath)) {
        szPath[0] = 0;
        return 0;
    }
    return AppendLevel(szPath, "\\Vantor") && AppendLevel(szPath, "\\Label") &&
           AppendLevel(szPath, "\\spoolFiles");
}

int32_t CountLabelFiles(const char* szFolder) {
    return CountLabelFiles(ListFolder(szFolder, "*.*"));
}

void NextLabelFileName(const char* szFolder, char* szPath) {
    NextName(szFolder, kLabelFiles, szPath);
}

void NextProjectFileName(const char* szFolder, char* szPath) {
    NextName(szFolder, kProjectFiles, szPath);
}

void DeleteOldestLabelFile(const char* szFolder) {
    DeleteOldest(szFolder, kLabelFiles);
}

void DeleteOldestProjectFile(const char* szFolder) {
    DeleteOldest(szFolder, kProjectFiles);
}

int WriteProjectSnapshot(HWND, AppState* state, const char* szPath) {
    // The project bytes carry no handles, so the record's open data source
    // and translator stay as they are.
    if (!WriteProjectFile(szPath, *state))
        return 0;
    SetLastDir(state->szProjectFile);
    return 1;
}
