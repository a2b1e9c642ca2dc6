// State of one table compilation, shared by the line reader
// (qrf_compiler.cpp) and the final build of rules and lists (qrf_rules.cpp).
#pragma once

#include <string>
#include <vector>

#include "qrf_table.h"

namespace tactr {

struct PendingRule {
    std::string text;
    Rule rule;
    std::string where;
};

struct PendingList {
    std::string text; // a boundary or longer word as written
    std::string where;
    uint16_t context = 0;
};

struct Builder {
    Builder(Table& table, TableKind k, const FileReader& r, std::string& e)
        : t(table), kind(k), reader(r), error(e) {}

    Table& t;
    TableKind kind;
    const FileReader& reader;
    std::string& error;
    std::vector<PendingRule> rules;
    std::vector<PendingList> boundaries, longer, proper;
    std::vector<std::string> wordWhere;
    std::vector<std::string> quoteKindNames;
    std::vector<PendingList> preferred; // contractions that win ties
    std::vector<uint8_t> yieldCells;    // first cells of contractions that lose them
    bool defined[256] = {};
    std::string where; // "file:line" of the line being read
    int nIncludes = 0;

    int Fail(const std::string& what) {
        error = where + ": " + what;
        return 0;
    }

    int Dots(const std::string& token, CellRun& run);
    int DefineChar(const std::string& token, uint32_t flags, uint8_t& c);

    int File(const std::string& path, std::string_view text, int depth);
    int Line(const std::string& path, std::string_view line, int depth);
    int ContractionLine(uint8_t positions, const std::vector<std::string>& tok);
    int CharLine(const std::string& cmd, const std::vector<std::string>& tok);
    int QuoteLine(const std::string& cmd, const std::vector<std::string>& tok);
    int ListLine(const std::string& cmd, const std::vector<std::string>& tok);
    int ProperLine(const std::vector<std::string>& tok);
    int ParseContext(const std::vector<std::string>& tok, size_t from, uint16_t& context);
    int IndicatorLine(const std::string& cmd, const std::vector<std::string>& tok);

    // qrf_rules.cpp
    int Finish();
    int CheckRuleLetters();
    int BuildTrie();
    int BuildBoundaries();
    int BuildLongerWords();
    void MarkGroupsignLikePunctuation();
    int MarkTieBreaks();
};

} // namespace tactr
