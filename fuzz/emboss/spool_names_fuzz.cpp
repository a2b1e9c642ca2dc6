// Any folder listing as the spool folder: the next name of a kept file is
// new and fits a path buffer, and the oldest one named for deletion really
// is in the folder.
// Input: the folder, then the entries, separated by '/' (which no name can
// hold); an entry starting with '*' is a subfolder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "spool_names.h"

namespace {

bool EndsWithin(const char* path) {
    return std::memchr(path, '\0', kSpoolPathSize) != nullptr;
}

// The file name part of a path the functions made for `folder`.
std::string FileName(const std::string& folder, const char* path) {
    const size_t skip = folder.size() + (folder.empty() || folder.back() != '\\' ? 1 : 0);
    if (std::strncmp(path, folder.c_str(), folder.size()) != 0 || std::strlen(path) < skip) {
        std::abort();
    }
    return path + skip;
}

bool Listed(const std::vector<FolderEntry>& entries, const std::string& name) {
    for (const FolderEntry& entry : entries) {
        if (!entry.bDirectory && entry.name == name) {
            return true;
        }
    }
    return false;
}

void CheckKind(const std::string& folder, const KeptFileKind& kind,
               const std::vector<FolderEntry>& entries) {
    char path[kSpoolPathSize];
    std::memset(path, 'x', sizeof path);
    if (NextKeptFileName(folder.c_str(), kind, entries, path)) {
        const std::string name = FileName(folder, path);
        // Only a number already at the top of the range is written over.
        if (!EndsWithin(path) ||
            (Listed(entries, name) && KeptFileNumber(name, kind.szStem) != INT32_MAX)) {
            std::abort();
        }
    } else if (path[0] != '\0') {
        std::abort();
    }

    std::memset(path, 'x', sizeof path);
    if (OldestKeptFileName(folder.c_str(), kind, entries, path)) {
        if (!EndsWithin(path) || !Listed(entries, FileName(folder, path))) {
            std::abort();
        }
    } else if (path[0] != '\0') {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const std::string input(text, strnlen(text, size));
    size_t start = input.find('/');
    const std::string folder = input.substr(0, start);
    std::vector<FolderEntry> entries;
    while (start != std::string::npos) {
        const size_t end = input.find('/', start + 1);
        std::string name = input.substr(start + 1, end - start - 1);
        const bool directory = !name.empty() && name[0] == '*';
        entries.push_back({directory ? name.substr(1) : name, directory});
        start = end;
    }

    if (CountLabelFiles(entries) > static_cast<int32_t>(entries.size())) {
        std::abort();
    }
    CheckKind(folder, kLabelFiles, entries);
    CheckKind(folder, kProjectFiles, entries);
    return 0;
}
