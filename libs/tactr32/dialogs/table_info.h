// What the properties dialog shows about a table, read from its own file
// without compiling it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tactr {

struct TableInfo {
    std::string szName, szLanguage, szDescription;
    int nGrade = -1;
};

// False when the file cannot be read.
bool ReadTableInfo(const std::string& path, TableInfo& info);

// "Contracted" and so on; empty for an unknown grade.
const char* GradeText(int grade);

// Tables of a listing (file names) whose language is `language`, given as
// file names, sorted; `read` supplies each one's info.
std::vector<std::string>
RelatedTables(const std::vector<std::string>& fileNames, const std::string& language,
              const std::function<bool(const std::string& name, TableInfo& info)>& read);

} // namespace tactr
