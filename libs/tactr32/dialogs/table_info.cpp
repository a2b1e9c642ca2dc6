#include "table_info.h"

#include <algorithm>

#include "qrf_syntax.h"
#include "qrf_table.h"

namespace tactr {
namespace {

// Decoded as the compiler decodes it; a bad escape shows as written (the
// status line then says why the table cannot be used).
std::string MetadataText(std::string_view line) {
    std::string text;
    return ParseMetadata(line, text) ? text : RestAfter(line, 1);
}

} // namespace

bool ReadTableInfo(const std::string& path, TableInfo& info) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        return false;
    }
    info = TableInfo();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::vector<std::string> tok = SplitTokens(line);
        if (tok.empty()) {
            continue;
        }
        if (tok[0] == "name") {
            info.szName = MetadataText(line);
        } else if (tok[0] == "language") {
            info.szLanguage = MetadataText(line);
        } else if (tok[0] == "description") {
            if (!info.szDescription.empty()) {
                info.szDescription += '\n';
            }
            info.szDescription += MetadataText(line);
        } else if (tok[0] == "grade" && tok.size() == 2 && tok[1].size() == 1 && tok[1][0] >= '0' &&
                   tok[1][0] <= '2') {
            info.nGrade = tok[1][0] - '0';
        }
    }
    return true;
}

const char* GradeText(int grade) {
    switch (grade) {
    case 0:
        return "Uncontracted (national)";
    case 1:
        return "Uncontracted, with grade 1 rules";
    case 2:
        return "Contracted";
    }
    return "";
}

std::vector<std::string>
RelatedTables(const std::vector<std::string>& fileNames, const std::string& language,
              const std::function<bool(const std::string& name, TableInfo& info)>& read) {
    std::vector<std::string> related;
    for (const std::string& name : fileNames) {
        TableInfo info;
        if (!language.empty() && read(name, info) && info.szLanguage == language) {
            related.push_back(name);
        }
    }
    std::sort(related.begin(), related.end());
    return related;
}

} // namespace tactr
