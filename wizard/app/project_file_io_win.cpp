#include "project_file_io_win.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "label_fields.h"
#include "page_services_win.h"
#include "project_codec.h"
#include "resource.h"
#include "settings_win.h"

int ShowMessage(HWND owner, HINSTANCE instance, UINT stringId, UINT style, ...) {
    char format[1024] = "";
    char caption[64] = "";
    LoadStringA(instance, stringId, format, sizeof format);
    LoadStringA(instance, IDS_PRODUCT_NAME, caption, sizeof caption);
    va_list arguments;
    va_start(arguments, style);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return -1;
    }
    // No exception may leave a window procedure: a failed allocation is -1.
    char* text = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
    if (!text) {
        return -1;
    }
    va_start(arguments, style);
    std::vsnprintf(text, static_cast<size_t>(length) + 1, format, arguments);
    va_end(arguments);
    const int pressed = MessageBoxA(owner, text, caption, style);
    std::free(text);
    return pressed;
}

int ReadProject(HWND owner, AppState* state) {
    const char* path = state->szProjectFile;
    if (!*path || !std::strchr(path, '\\') || !FileExists(path)) {
        return 0;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        return 0;
    }
    uint8_t bytes[kProjectFileSizeV2 + 1];
    const size_t size = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (DecodeProject(bytes, size, state) != ProjectDecode::Ok) {
        ShowMessage(owner, GetModuleHandleA(nullptr), IDS_NOT_A_PROJECT, MB_OK);
        return 0;
    }
    ScanLabelFields(state);
    return 1;
}

bool WriteProjectFile(const char* path, const AppState& state) {
    char folder[MAX_PATH];
    lstrcpynA(folder, path, sizeof folder);
    char* lastBackslash = std::strrchr(folder, '\\');
    if (!lastBackslash) {
        return false;
    }
    *lastBackslash = '\0';
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return false;
    }
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder, "dwp", 0, temporary)) {
        return false;
    }
    static uint8_t bytes[kProjectFileSizeV2];
    EncodeProject(state, bytes);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = false;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD count = 0;
        written = WriteFile(file, bytes, sizeof bytes, &count, nullptr) && count == sizeof bytes &&
                  FlushFileBuffers(file);
        CloseHandle(file);
    }
    if (!written ||
        !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

int WriteProject(HWND, AppState* state, int makeReadOnly) {
    if (!WriteProjectFile(state->szProjectFile, *state)) {
        return 0;
    }
    SetLastDir(state->szProjectFile);
    const DWORD attributes = GetFileAttributesA(state->szProjectFile);
    SetFileAttributesA(state->szProjectFile, makeReadOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                                          : attributes & ~FILE_ATTRIBUTE_READONLY);
    return 1;
}

int ProjectChanged(HWND owner, const AppState* state) {
    if (!*state->szProjectFile) {
        return 0;
    }
    static AppState saved;
    ResetAppState(&saved);
    std::memcpy(saved.szProjectFile, state->szProjectFile, sizeof saved.szProjectFile);
    if (!ReadProject(owner, &saved)) {
        return 0;
    }
    const size_t textOffset = offsetof(AppState, szLabelText);
    const bool changed = std::memcmp(&saved.Sheet, &state->Sheet, sizeof saved.Sheet) != 0 ||
                         std::memcmp(reinterpret_cast<const char*>(&saved) + textOffset,
                                     reinterpret_cast<const char*>(state) + textOffset,
                                     kProjectBodyEnd - textOffset) != 0 ||
                         std::strncmp(saved.szSelectedPrinter, state->szSelectedPrinter,
                                      sizeof saved.szSelectedPrinter) != 0 ||
                         saved.nMaxLabel != state->nMaxLabel ||
                         saved.nMinLabel != state->nMinLabel ||
                         saved.nFromLabel != state->nFromLabel ||
                         saved.nToLabel != state->nToLabel || saved.nStartPos != state->nStartPos;
    std::free(saved.pFields);
    saved.pFields = nullptr;
    return changed;
}

int IsReadOnlyProject(HWND, const AppState* state) {
    // The attribute is asked first: a privileged account may open even a
    // read-only file for writing.
    const DWORD attributes = GetFileAttributesA(state->szProjectFile);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return 1;
    }
    HANDLE file = CreateFileA(state->szProjectFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    CloseHandle(file);
    return 0;
}
