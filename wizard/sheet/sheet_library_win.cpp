#include "sheet_library.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "label_ini_format.h"

namespace {

constexpr DWORD kNameListSize = 2048;
constexpr DWORD kSeedBufferSize = 32768;
// Large enough for any library a person keeps; beyond it names are cut.
constexpr DWORD kMaxBufferSize = 1 << 20;

bool UsablePath(const char* iniPath) {
    return iniPath && *iniPath;
}

bool FileReadable(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// The platform cuts a list that does not fit and reports size - 2 then;
// a cut list would offer half a name, so the buffer grows instead.
char* ReadSectionNames(const char* iniPath, DWORD size) {
    for (;;) {
        char* names = new (std::nothrow) char[size];
        if (!names) {
            return nullptr;
        }
        const DWORD length = GetPrivateProfileSectionNamesA(names, size, iniPath);
        if (length == 0) {
            delete[] names;
            return nullptr;
        }
        if (length < size - 2 || size >= kMaxBufferSize) {
            return names;
        }
        delete[] names;
        size *= 2;
    }
}

} // namespace

char* ListSheetFormats(const char* iniPath) {
    if (!UsablePath(iniPath)) {
        return nullptr;
    }
    return ReadSectionNames(iniPath, kNameListSize);
}

void FreeSheetFormatList(char* list) {
    delete[] list;
}

int LoadSheetFormat(const char* iniPath, SheetFormat* format, const char* name, SheetFormat* copy) {
    if (!UsablePath(iniPath) || !format || !name) {
        return 0;
    }
    if (!FileReadable(iniPath)) {
        // A first start without a library: the default sheet becomes the
        // requested entry, and the record is named after it so that the
        // page does not store it a second time under the default's name.
        *format = DefaultSheetFormat();
        const int saved = SaveSheetFormat(iniPath, format, name);
        if (saved) {
            std::snprintf(format->szName, sizeof format->szName, "%s", name);
            if (copy) {
                *copy = *format;
            }
        }
        return saved;
    }
    ReadLabelIniSection(*format, name, [&](const char* key, char* text, size_t size) {
        GetPrivateProfileStringA(name, key, "", text, static_cast<DWORD>(size), iniPath);
    });
    if (copy) {
        *copy = *format;
    }
    return 1;
}

int SaveSheetFormat(const char* iniPath, const SheetFormat* format, const char* name) {
    if (!UsablePath(iniPath) || !format || !name || !*name) {
        return 0;
    }
    // A failed key does not stop the others, but the caller learns of it.
    bool written = true;
    char text[16];
    for (int i = 0; i < kLabelIniKeyCount; ++i) {
        FormatLabelIniValue(*format, i, text, sizeof text);
        written &= WritePrivateProfileStringA(name, kLabelIniKeys[i], text, iniPath) != FALSE;
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath);
    return written ? 1 : 0;
}

int DeleteSheetFormat(const char* iniPath, char* name, size_t size) {
    if (!UsablePath(iniPath) || !name) {
        return 0;
    }
    char* before = ListSheetFormats(iniPath);
    // An empty section name would address nothing the page ever wrote.
    const int result = *name ? WritePrivateProfileStringA(name, nullptr, nullptr, iniPath) : 0;
    NeighbourAfterDelete(before, name, name, size);
    FreeSheetFormatList(before);
    return result;
}

void SeedSheetFormatsFrom(const char* programIni, const char* userIni) {
    if (!UsablePath(programIni) || !UsablePath(userIni)) {
        return;
    }
    std::unique_ptr<char[]> names(ReadSectionNames(programIni, kSeedBufferSize));
    std::unique_ptr<char[]> section(new (std::nothrow) char[kSeedBufferSize]);
    if (!names || !section) {
        return;
    }
    bool copied = false;
    for (const char* name = names.get(); name; name = NextSectionName(name)) {
        char probe[4];
        if (GetPrivateProfileSectionA(name, probe, sizeof probe, userIni) > 0) {
            continue;
        }
        if (GetPrivateProfileSectionA(name, section.get(), kSeedBufferSize, programIni) > 0) {
            WritePrivateProfileSectionA(name, section.get(), userIni);
            copied = true;
        }
    }
    if (copied) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, userIni);
    }
}
