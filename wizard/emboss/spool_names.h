#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One entry of a folder listing, as the spool folder's walks see it.
struct FolderEntry {
    std::string name;
    bool bDirectory;
};

// Room of every path the spool folder deals in.
constexpr size_t kSpoolPathSize = 260;

// The two kinds of file kept per job: "label<N>.prn" copies of the job and
// "Project<N>.dwp" snapshots of the project.
struct KeptFileKind {
    const char* szStem;      // "label" or "Project"
    const char* szExtension; // ".prn" or ".dwp"
    bool bOnlyExtension;     // the folder is listed with "*<extension>"
};
extern const KeptFileKind kLabelFiles;
extern const KeptFileKind kProjectFiles;

// Files (not folders) whose name contains "label".
int32_t CountLabelFiles(const std::vector<FolderEntry>& entries);

// The number after the first stem in the name (leading digits, 0 when
// none); -1 when the digits do not fit in 32 bits.
int32_t KeptFileNumber(const std::string& name, const char* szStem);

// "<folder>\<stem><number><extension>", a backslash added when missing.
// 0 when it does not fit in kSpoolPathSize bytes (szPath is then empty).
int MakeKeptFileName(const char* szFolder, const KeptFileKind& kind, int32_t nNumber, char* szPath);

// The name of the next kept file: one above the highest number in use.
int NextKeptFileName(const char* szFolder, const KeptFileKind& kind,
                     const std::vector<FolderEntry>& entries, char* szPath);

// The kept file with the smallest number that really is in the folder; 0
// when there is none.
int OldestKeptFileName(const char* szFolder, const KeptFileKind& kind,
                       const std::vector<FolderEntry>& entries, char* szPath);
