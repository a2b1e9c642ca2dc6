#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "spool_names.h"

namespace {

std::vector<FolderEntry> Files(std::initializer_list<const char*> names) {
    std::vector<FolderEntry> entries;
    for (const char* name : names)
        entries.push_back({name, false});
    return entries;
}

std::string Next(const KeptFileKind& kind, const std::vector<FolderEntry>& entries) {
    char path[kSpoolPathSize];
    EXPECT_TRUE(NextKeptFileName("C:\\spool", kind, entries, path));
    return path;
}

std::string Oldest(const KeptFileKind& kind, const std::vector<FolderEntry>& entries) {
    char path[kSpoolPathSize];
    return OldestKeptFileName("C:\\spool\\", kind, entries, path) ? path : "(none)";
}

TEST(SpoolNames, NextNumberIsOneAboveTheHighest) {
    struct Case {
        std::vector<FolderEntry> entries;
        std::string label;
        std::string project;
    } cases[] = {
        {{}, "C:\\spool\\label1.prn", "C:\\spool\\Project1.dwp"},
        {Files({"label1.prn", "label2.prn", "Project1.dwp", "Project2.dwp"}),
         "C:\\spool\\label3.prn", "C:\\spool\\Project3.dwp"},
        // Gaps are never filled: numbers grow past the highest.
        {Files({"label9.prn", "label2.prn", "Project7.dwp"}), "C:\\spool\\label10.prn",
         "C:\\spool\\Project8.dwp"},
        // Folders and snapshots without the .dwp extension do not count.
        {{{"label40.prn", true}, {"Project40.dwp", true}, {"Project41.txt", false}},
         "C:\\spool\\label1.prn",
         "C:\\spool\\Project1.dwp"},
        // The stem is case-sensitive; the extension filter is not.
        {Files({"LABEL8.prn", "Project4.DWP", "project9.dwp"}), "C:\\spool\\label1.prn",
         "C:\\spool\\Project5.dwp"},
        // A number too large for 32 bits is not ours.
        {Files({"label99999999999.prn", "label3.prn"}), "C:\\spool\\label4.prn",
         "C:\\spool\\Project1.dwp"},
        {Files({"label2147483647.prn"}), "C:\\spool\\label2147483647.prn",
         "C:\\spool\\Project1.dwp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Next(kLabelFiles, c.entries), c.label);
        EXPECT_EQ(Next(kProjectFiles, c.entries), c.project);
    }
}

TEST(SpoolNames, OldestIsTheSmallestKeptFileThatExists) {
    struct Case {
        std::vector<FolderEntry> entries;
        std::string label;
        std::string project;
    } cases[] = {
        {{}, "(none)", "(none)"},
        {Files({"label3.prn", "label2.prn", "label6.prn", "Project2.dwp", "Project6.dwp"}),
         "C:\\spool\\label2.prn", "C:\\spool\\Project2.dwp"},
        // Names that merely contain the stem would name files that are not
        // there, and then nothing would ever be deleted.
        {Files({"labels.txt", "mylabel0.prn", "label7.prn.bak", "label8.prn", "Project.dwp",
                "oldProject1.dwp", "Project9.dwp"}),
         "C:\\spool\\label8.prn", "C:\\spool\\Project9.dwp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Oldest(kLabelFiles, c.entries), c.label);
        EXPECT_EQ(Oldest(kProjectFiles, c.entries), c.project);
    }
}

TEST(SpoolNames, CountTakesFilesWithLabelInTheName) {
    std::vector<FolderEntry> entries = Files({"label1.prn", "labels.txt", "Label2.prn", "x.prn"});
    entries.push_back({"label-folder", true});
    EXPECT_EQ(CountLabelFiles(entries), 2);
}

// The keep-five rule as the spool step applies it, over a simulated folder.
std::vector<std::string> AfterJobs(std::vector<FolderEntry> folder, int jobs) {
    auto remove = [&](const std::string& path) {
        std::string name = path.substr(path.rfind('\\') + 1);
        std::erase_if(folder, [&](const FolderEntry& e) { return e.name == name; });
    };
    for (int job = 1; job <= jobs; ++job) {
        char path[kSpoolPathSize];
        if (CountLabelFiles(folder) >= 5) {
            if (OldestKeptFileName("D:\\s", kLabelFiles, folder, path))
                remove(path);
            if (OldestKeptFileName("D:\\s", kProjectFiles, folder, path))
                remove(path);
        }
        for (const KeptFileKind* kind : {&kLabelFiles, &kProjectFiles}) {
            EXPECT_TRUE(NextKeptFileName("D:\\s", *kind, folder, path));
            folder.push_back({std::string(path).substr(5), false});
        }
    }
    std::vector<std::string> names;
    for (const FolderEntry& e : folder)
        names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SpoolNames, FolderKeepsTheLastFiveJobs) {
    EXPECT_EQ(AfterJobs(Files({"label1.prn", "label2.prn", "label3.prn", "label4.prn", "label5.prn",
                               "Project1.dwp", "Project2.dwp", "Project3.dwp", "Project4.dwp",
                               "Project5.dwp"}),
                        1),
              (std::vector<std::string>{"Project2.dwp", "Project3.dwp", "Project4.dwp",
                                        "Project5.dwp", "Project6.dwp", "label2.prn", "label3.prn",
                                        "label4.prn", "label5.prn", "label6.prn"}));
    EXPECT_EQ(AfterJobs({}, 1), (std::vector<std::string>{"Project1.dwp", "label1.prn"}));
    // A stray file counts as a job copy but is never deleted: the folder
    // still stops growing.
    EXPECT_EQ(AfterJobs(Files({"labels.txt"}), 9),
              (std::vector<std::string>{"Project6.dwp", "Project7.dwp", "Project8.dwp",
                                        "Project9.dwp", "label6.prn", "label7.prn", "label8.prn",
                                        "label9.prn", "labels.txt"}));
}

TEST(SpoolNames, NameThatDoesNotFitIsRefused) {
    std::string folder(250, 'x');
    char path[kSpoolPathSize];
    EXPECT_FALSE(MakeKeptFileName(folder.c_str(), kLabelFiles, 12345, path));
    EXPECT_STREQ(path, "");
}

} // namespace
