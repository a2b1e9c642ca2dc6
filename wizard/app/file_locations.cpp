#include "file_locations.h"

#include <cstdio>
#include <cstring>

#include "version.h"

namespace {

bool EndsWithBackslash(const char* text) {
    const size_t length = std::strlen(text);
    return length > 0 && text[length - 1] == '\\';
}

int Fail(char* dest) {
    if (dest) {
        *dest = '\0';
    }
    return 0;
}

} // namespace

int ComposeModuleFolderPath(char* dest, size_t size, const char* moduleFileName, const char* name) {
    const char* lastBackslash = std::strrchr(moduleFileName, '\\');
    if (!lastBackslash || size == 0) {
        return Fail(dest);
    }
    const size_t folderLength = static_cast<size_t>(lastBackslash - moduleFileName);
    if (folderLength >= size) {
        return Fail(dest);
    }
    std::memcpy(dest, moduleFileName, folderLength);
    dest[folderLength] = '\0';
    if (name && *name) {
        const size_t needed = folderLength + 1 + std::strlen(name);
        if (needed >= size) {
            return Fail(dest);
        }
        if (!EndsWithBackslash(dest)) {
            std::strcat(dest, "\\");
        }
        std::strcat(dest, name);
    }
    return 1;
}

int ComposeDataFolderPath(char* dest, size_t size, const char* commonAppData, const char* name) {
    if (!commonAppData || std::strlen(commonAppData) + 1 >= size) {
        return Fail(dest);
    }
    std::strcpy(dest, commonAppData);
    if (!EndsWithBackslash(dest)) {
        std::strcat(dest, "\\");
    }
    const char* versioned = VersionedDataFolder();
    if (std::strlen(dest) + std::strlen(versioned) >= size) {
        return Fail(dest);
    }
    std::strcat(dest, versioned);
    if (name) {
        if (std::strlen(dest) + std::strlen(name) + 1 > size) {
            return Fail(dest);
        }
        std::strcat(dest, name);
    }
    return 1;
}

void AppendFileName(char* dest, size_t size, const char* name) {
    if (!name || !*name) {
        return;
    }
    const size_t separator = EndsWithBackslash(dest) ? 0 : 1;
    if (std::strlen(dest) + separator + std::strlen(name) >= size) {
        return;
    }
    if (separator) {
        std::strcat(dest, "\\");
    }
    std::strcat(dest, name);
}

const char* SettingsKeyPath() {
    static char key[64];
    std::snprintf(key, sizeof key, "%s %s.%s", "Software\\Vantor\\Dotwell",
                  DOTWELL_VERSION_MAJOR_STR, DOTWELL_VERSION_MINOR_STR);
    return key;
}

const char* VersionedDataFolder() {
    static char folder[64];
    std::snprintf(folder, sizeof folder, "%s %s.%s\\", "Vantor\\Dotwell", DOTWELL_VERSION_MAJOR_STR,
                  DOTWELL_VERSION_MINOR_STR);
    return folder;
}

const char* FullVersionText() {
    static char version[32];
    std::snprintf(version, sizeof version, "%s.%s.%s.%s", DOTWELL_VERSION_MAJOR_STR,
                  DOTWELL_VERSION_MINOR_STR, DOTWELL_VERSION_RELEASE_STR,
                  DOTWELL_VERSION_BUILD_STR);
    return version;
}

std::string NearestExistingFolder(const char* path,
                                  const std::function<bool(const std::string&)>& isFolder) {
    std::string candidate = path ? path : "";
    while (!candidate.empty()) {
        if (isFolder(candidate)) {
            return candidate;
        }
        const size_t cut = candidate.rfind('\\');
        if (cut == std::string::npos) {
            return {};
        }
        candidate.resize(cut);
    }
    return {};
}
