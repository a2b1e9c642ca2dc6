#include "table_lists_win.h"

#include <cstring>

#include "paths.h"
#include "table_names.h"
#include "tactr32_win.h"

void ScanTranslationTables() {
    char folder[MAX_PATH];
    RuleFilePath(folder, sizeof folder, "");
    if (*folder) {
        ScanTableFolder(folder);
    }
}

void ScanTableFolder(const char* ruleFolder) {
    char pattern[MAX_PATH];
    if (std::strlen(ruleFolder) + 6 > sizeof pattern) {
        return;
    }
    std::strcpy(pattern, ruleFolder);
    std::strcat(pattern, "*.qrf");
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (entry.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY) {
            continue;
        }
        char path[MAX_PATH];
        if (std::strlen(ruleFolder) + std::strlen(entry.cFileName) < sizeof path) {
            std::strcpy(path, ruleFolder);
            std::strcat(path, entry.cFileName);
            TactrPrepareTable(path, ruleFolder);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

void FillTableCombo(HWND list, const char* folder, const char* current,
                    int (*readRemembered)(char* buffer, DWORD size)) {
    char pattern[MAX_PATH];
    if (std::strlen(folder) + 4 < sizeof pattern) {
        std::strcpy(pattern, folder);
        std::strcat(pattern, "*.*");
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA(pattern, &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                char name[MAX_PATH];
                if (lstrcmpiA(entry.cFileName, ".") == 0 || lstrcmpiA(entry.cFileName, "..") == 0 ||
                    (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
                    !*TableNameOf(name, sizeof name, entry.cFileName)) {
                    continue;
                }
                // A backup beside its table gives the same name once only.
                if (SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(name)) == CB_ERR) {
                    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
                }
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
    }

    char wanted[MAX_PATH];
    TableNameOf(wanted, sizeof wanted, current);
    if (!*wanted && !readRemembered(wanted, sizeof wanted)) {
        wanted[0] = '\0';
    }
    wanted[sizeof wanted - 1] = '\0';
    if (!*wanted) {
        return;
    }
    const LRESULT found = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wanted));
    if (found != CB_ERR) {
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    }
}

void CopySelection(HWND list, char* field, size_t size) {
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return;
    }
    char item[MAX_PATH];
    if (SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) >=
        static_cast<LRESULT>(sizeof item)) {
        return;
    }
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(item));
    char itemName[MAX_PATH], fieldName[MAX_PATH];
    TableNameOf(itemName, sizeof itemName, item);
    TableNameOf(fieldName, sizeof fieldName, field);
    if (std::strcmp(itemName, fieldName) != 0 && std::strlen(item) < size) {
        std::strcpy(field, item);
    }
}
