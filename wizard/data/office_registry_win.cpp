#include "office_registry.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr size_t kVersionSize = 64;

// A string value, always terminated; 0 when missing or empty.
int ReadRegistryText(HKEY root, const char* keyPath, const char* valueName, char* text,
                     size_t size) {
    if (size == 0) {
        return 0;
    }
    text[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(size - 1);
    const LONG status =
        RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        text[0] = '\0';
        return 0;
    }
    text[bytes < size ? bytes : size - 1] = '\0';
    return text[0] != '\0';
}

} // namespace

int OfficeVersion(char* version) {
    char current[kVersionSize];
    if (!ReadRegistryText(HKEY_CLASSES_ROOT, "Word.Application\\CurVer", nullptr, current,
                          sizeof current)) {
        return 0;
    }
    const char* dot = std::strrchr(current, '.');
    const char* number = dot ? dot + 1 : current;
    std::strncpy(version, number, kVersionSize - 1);
    version[kVersionSize - 1] = '\0';
    return 1;
}

int ExcelFolder(char* path, size_t size) {
    char version[kVersionSize];
    if (size < 2 || !OfficeVersion(version)) {
        return 0;
    }
    std::string key = std::string("Software\\Microsoft\\Office\\") + version;
    if (!std::strchr(version, '.')) {
        key += ".0";
    }
    key += "\\Excel\\InstallRoot";
    // Room for the backslash that may be added.
    if (!ReadRegistryText(HKEY_LOCAL_MACHINE, key.c_str(), "Path", path, size - 1)) {
        return 0;
    }
    const size_t length = std::strlen(path);
    if (path[length - 1] != '\\') {
        path[length] = '\\';
        path[length + 1] = '\0';
    }
    return 1;
}

int ExcelInstalled() {
    char path[1024];
    if (!ExcelFolder(path, sizeof path - 9)) {
        return 0;
    }
    std::strcat(path, "excel.exe");
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
