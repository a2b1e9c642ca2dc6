#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "paths.h"
#include "win_test_support.h"

// Files the tests put into the data folder of the prefix; removed again, so
// other tests of the prefix find the folders as they were.
class DataFiles {
  public:
    DataFiles() = default;
    DataFiles(const DataFiles&) = delete;
    DataFiles& operator=(const DataFiles&) = delete;
    ~DataFiles() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            if (!DeleteFileA(it->c_str())) {
                RemoveDirectoryA(it->c_str());
            }
        }
    }
    void Put(const std::string& folder, const char* name, const std::string& text) {
        SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
        made_.push_back(folder + name);
        ASSERT_TRUE(WriteFileBytes(folder + name, text)) << folder << name;
    }
    void Folder(const std::string& folder, const char* name) {
        SHCreateDirectoryExA(nullptr, (folder + name).c_str(), nullptr);
        made_.push_back(folder + name);
    }

  private:
    std::vector<std::string> made_;
};

inline std::string RuleFolder() {
    char path[MAX_PATH];
    return RuleFilePath(path, sizeof path, "");
}

inline std::string ExceptionFolder() {
    char path[MAX_PATH];
    return ExceptionFilePath(path, sizeof path, "");
}
