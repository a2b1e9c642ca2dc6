#pragma once
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "paths.h"
#include "win_test_support.h"

// Shipped tables copied into the data folder's RuleFiles for as long as the
// object lives. Other tests of the prefix list that folder, so the copies
// go again.
class CopiedRuleTables {
  public:
    explicit CopiedRuleTables(std::initializer_list<const char*> names) {
        char rules[MAX_PATH];
        RuleFilePath(rules, sizeof rules, "");
        SHCreateDirectoryExA(nullptr, std::string(rules, strlen(rules) - 1).c_str(), nullptr);
        for (const char* name : names) {
            copies_.push_back(std::string(rules) + name);
            const std::string from = SourcePath(std::string("libs/tactr32/tables/") + name);
            copied_ = CopyFileA(from.c_str(), copies_.back().c_str(), FALSE) && copied_;
        }
    }
    ~CopiedRuleTables() {
        for (const std::string& copy : copies_)
            DeleteFileA(copy.c_str());
    }
    CopiedRuleTables(const CopiedRuleTables&) = delete;
    CopiedRuleTables& operator=(const CopiedRuleTables&) = delete;

    bool copied() const { return copied_; }

  private:
    std::vector<std::string> copies_;
    bool copied_ = true;
};
