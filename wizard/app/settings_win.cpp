#include "settings_win.h"

#include <cstring>
#include <string>

#include "file_locations.h"

int RegReadValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, void* data,
                 DWORD size) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    // The stored type is not compared with the expected one.
    (void)type;
    DWORD storedType = 0;
    const LONG status =
        RegQueryValueExA(key, valueName, nullptr, &storedType, static_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

int RegWriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                  const void* data, DWORD size) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExA(root, keyPath, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 0;
    }
    const LONG status =
        RegSetValueExA(key, valueName, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

namespace {

// A string read is always terminated, whatever the registry held: the
// whole buffer is offered, so a value that fills it with its terminator
// (a 259-character path in 260 bytes) reads back, and one stored without a
// terminator ends at the buffer's zeros. A value that leaves no room for
// one is too long to be used and reads as missing.
int ReadString(const char* keyPath, const char* valueName, char* buffer, DWORD size) {
    if (size == 0) {
        return 0;
    }
    std::memset(buffer, 0, size);
    const int ok = RegReadValue(HKEY_CURRENT_USER, keyPath, valueName, REG_SZ, buffer, size) &&
                   buffer[size - 1] == '\0';
    if (!ok) {
        buffer[0] = '\0';
    }
    return ok;
}

int WriteString(const char* keyPath, const char* valueName, const char* text) {
    return RegWriteValue(HKEY_CURRENT_USER, keyPath, valueName, REG_SZ, text,
                         static_cast<DWORD>(std::strlen(text) + 1));
}

int ReadNumber(const char* valueName, DWORD* number) {
    return RegReadValue(HKEY_CURRENT_USER, SettingsKeyPath(), valueName, REG_DWORD, number,
                        sizeof *number);
}

int WriteNumber(const char* valueName, DWORD number) {
    return RegWriteValue(HKEY_CURRENT_USER, SettingsKeyPath(), valueName, REG_DWORD, &number,
                         sizeof number);
}

} // namespace

int GetLastDir(char* buffer, DWORD size) {
    return ReadString(SettingsKeyPath(), "LastDir", buffer, size);
}

int SetLastDir(const char* path) {
    if (!path || std::strlen(path) > 259) {
        return 0;
    }
    const std::string folder = NearestExistingFolder(path, [](const std::string& candidate) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(candidate.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            return false;
        }
        FindClose(search);
        return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    if (folder.empty()) {
        return 0;
    }
    return WriteString(SettingsKeyPath(), "LastDir", folder.c_str());
}

int GetPersonalFolder(char* buffer, DWORD size) {
    return ReadString("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Personal", buffer, size);
}

DWORD ReadLastProject(char* fileName, DWORD size) {
    if (size) {
        fileName[0] = '\0';
    }
    DWORD button = 0;
    if (!ReadNumber("LastProjectButton", &button)) {
        return 0;
    }
    if (button == 1) {
        ReadString(SettingsKeyPath(), "LastProjectFileName", fileName, size);
    }
    return button;
}

void WriteLastProject(DWORD button, const char* fileName) {
    if (WriteNumber("LastProjectButton", button)) {
        WriteString(SettingsKeyPath(), "LastProjectFileName", fileName);
    }
}

int ReadLastRuleFile(char* buffer, DWORD size) {
    return ReadString(SettingsKeyPath(), "LastRuleFile", buffer, size);
}

void WriteLastRuleFile(const char* name) {
    WriteString(SettingsKeyPath(), "LastRuleFile", name);
}

int ReadLastExceptionFile(char* buffer, DWORD size) {
    return ReadString(SettingsKeyPath(), "LastExceptionFile", buffer, size);
}

void WriteLastExceptionFile(const char* name) {
    WriteString(SettingsKeyPath(), "LastExceptionFile", name);
}

int ReadSelectedPrinter(char* buffer, DWORD size) {
    return ReadString(SettingsKeyPath(), "SelectedPrinter", buffer, size);
}

void WriteSelectedPrinter(const char* name) {
    WriteString(SettingsKeyPath(), "SelectedPrinter", name);
}

DWORD ReadMultipleImpacts() {
    DWORD impacts = 0;
    return ReadNumber("MultipleImpacts", &impacts) ? impacts : 1;
}

void WriteMultipleImpacts(DWORD impacts) {
    WriteNumber("MultipleImpacts", impacts >= 1 && impacts <= 5 ? impacts : 1);
}

int ReadLastSaved(char* buffer, DWORD size) {
    const std::string csvKey = std::string(SettingsKeyPath()) + "\\csv";
    return ReadString(csvKey.c_str(), "LastSaved", buffer, size);
}
