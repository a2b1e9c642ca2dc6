#include "spool_names.h"

#include <cstdio>
#include <cstring>

const KeptFileKind kLabelFiles = {"label", ".prn", false};
const KeptFileKind kProjectFiles = {"Project", ".dwp", true};

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The folder is listed with a wildcard, which ignores letter case.
bool HasExtension(const std::string& name, const char* szExtension) {
    size_t n = strlen(szExtension);
    if (name.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (LowerAscii(name[name.size() - n + i]) != LowerAscii(szExtension[i]))
            return false;
    return true;
}

bool IsCandidate(const FolderEntry& entry, const KeptFileKind& kind) {
    if (entry.bDirectory || entry.name.find(kind.szStem) == std::string::npos)
        return false;
    return !kind.bOnlyExtension || HasExtension(entry.name, kind.szExtension);
}

} // namespace

int32_t CountLabelFiles(const std::vector<FolderEntry>& entries) {
    int32_t count = 0;
    for (const FolderEntry& entry : entries)
        if (!entry.bDirectory && entry.name.find(kLabelFiles.szStem) != std::string::npos)
            ++count;
    return count;
}

int32_t KeptFileNumber(const std::string& name, const char* szStem) {
    size_t at = name.find(szStem);
    if (at == std::string::npos)
        return 0;
    int64_t number = 0;
    for (size_t i = at + strlen(szStem); i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        number = number * 10 + (name[i] - '0');
        if (number > INT32_MAX)
            return -1;
    }
    return static_cast<int32_t>(number);
}

int MakeKeptFileName(const char* szFolder, const KeptFileKind& kind, int32_t nNumber,
                     char* szPath) {
    size_t len = strlen(szFolder);
    const char* sep = (len && szFolder[len - 1] == '\\') ? "" : "\\";
    int n = snprintf(szPath, kSpoolPathSize, "%s%s%s%d%s", szFolder, sep, kind.szStem, nNumber,
                     kind.szExtension);
    if (n < 0 || static_cast<size_t>(n) >= kSpoolPathSize) {
        szPath[0] = 0;
        return 0;
    }
    return 1;
}

int NextKeptFileName(const char* szFolder, const KeptFileKind& kind,
                     const std::vector<FolderEntry>& entries, char* szPath) {
    int32_t highest = 0;
    for (const FolderEntry& entry : entries) {
        if (!IsCandidate(entry, kind))
            continue;
        int32_t number = KeptFileNumber(entry.name, kind.szStem);
        if (number > highest)
            highest = number;
    }
    // A stray name at the top of the range is written over rather than
    // wrapping to a negative number.
    return MakeKeptFileName(szFolder, kind, highest < INT32_MAX ? highest + 1 : highest, szPath);
}

int OldestKeptFileName(const char* szFolder, const KeptFileKind& kind,
                       const std::vector<FolderEntry>& entries, char* szPath) {
    // Only names this program writes count: a stray "labels.txt" would
    // otherwise name a file that is not there, nothing would go, and the
    // folder would grow by one job each time.
    int32_t oldest = -1;
    char expected[kSpoolPathSize];
    for (const FolderEntry& entry : entries) {
        if (!IsCandidate(entry, kind))
            continue;
        int32_t number = KeptFileNumber(entry.name, kind.szStem);
        if (number < 0 || (oldest >= 0 && number >= oldest))
            continue;
        if (!MakeKeptFileName("", kind, number, expected) || entry.name != expected + 1)
            continue;
        oldest = number;
    }
    if (oldest < 0) {
        szPath[0] = 0;
        return 0;
    }
    return MakeKeptFileName(szFolder, kind, oldest, szPath);
}
