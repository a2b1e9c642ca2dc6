#include <algorithm>
#include <cstdio>
#include <map>

#include "qrf_syntax.h"
#include "qrf_table.h"

namespace tactr {
namespace {

constexpr int kMaxIncludeDepth = 8;
// Bounds the work of a table that includes files over and over.
constexpr int kMaxIncludes = 64;

struct PendingRule {
    std::string text;
    Rule rule;
    std::string where;
};

struct Builder {
    Table& t;
    TableKind kind;
    const FileReader& reader;
    std::string& error;
    std::vector<PendingRule> rules;
    std::vector<std::string> wordWhere;
    bool defined[256] = {};
    std::string where; // "file:line" of the line being read
    int nIncludes = 0;

    int Fail(const std::string& what) {
        error = where + ": " + what;
        return 0;
    }

    int DefineChar(const std::string& token, uint16_t flags, uint8_t& c) {
        if (!ParseChar(token, c))
            return Fail("'" + token + "' is not one character");
        if (defined[c])
            return Fail("character '" + token + "' is defined twice");
        defined[c] = true;
        t.flags[c] |= flags;
        return 1;
    }

    int Dots(const std::string& token, CellRun& run) {
        std::string why;
        if (!ParseDots(token, t.cells, run, why))
            return Fail(why);
        return 1;
    }

    int Line(const std::string& path, std::string_view line, int depth);
    int File(const std::string& path, std::string_view text, int depth);
    int CharLine(const std::string& cmd, const std::vector<std::string>& tok);
    int IndicatorLine(const std::string& cmd, const std::vector<std::string>& tok);
    int Finish();
    int BuildTrie();
};

int Builder::File(const std::string& path, std::string_view text, int depth) {
    int nLine = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        ++nLine;
        where = path + ":" + std::to_string(nLine);
        if (!Line(path, text.substr(pos, end - pos), depth))
            return 0;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        pos = end + 1;
    }
    return 1;
}

int Builder::Line(const std::string& path, std::string_view line, int depth) {
    std::vector<std::string> tok = SplitTokens(line);
    if (tok.empty() || tok[0][0] == '#')
        return 1;
    const std::string& cmd = tok[0];

    if (cmd == "name" || cmd == "language" || cmd == "description") {
        std::string rest;
        if (!ParseMetadata(line, rest))
            return Fail("bad escape in the " + cmd);
        if (cmd == "name")
            t.szName = rest;
        if (cmd == "language")
            t.szLanguage = rest;
        if (cmd == "description")
            t.szDescription += (t.szDescription.empty() ? "" : "\n") + rest;
        return 1;
    }
    if (cmd == "grade") {
        if (tok.size() != 2 || tok[1].size() != 1 || tok[1][0] < '0' || tok[1][0] > '2')
            return Fail("grade must be 0, 1 or 2");
        t.nGrade = tok[1][0] - '0';
        return 1;
    }
    if (cmd == "include") {
        if (tok.size() != 2)
            return Fail("include needs one file name");
        if (++nIncludes > kMaxIncludes)
            return Fail("too many included files");
        if (depth >= kMaxIncludeDepth)
            return Fail("includes nested too deeply (a loop?)");
        std::string inc = FolderOf(path) + tok[1];
        std::string text;
        if (!reader(inc, text))
            return Fail("cannot read included file '" + tok[1] + "'");
        std::string saved = where;
        if (!File(inc, text, depth + 1))
            return 0;
        where = saved;
        return 1;
    }
    if (cmd == "replace") {
        if (tok.size() < 3)
            return Fail("replace needs a word and the text to use instead");
        WordEntry w;
        w.bReplace = true;
        if (!ParseText(tok[1], w.key))
            return Fail("bad escape in '" + tok[1] + "'");
        if (!ParseText(RestAfter(line, 2), w.replacement))
            return Fail("bad escape in the text of '" + tok[1] + "'");
        for (char& ch : w.key)
            ch = static_cast<char>(FoldCase(static_cast<uint8_t>(ch)));
        t.words.push_back(std::move(w));
        wordWhere.push_back(where);
        return 1;
    }
    uint8_t positions = 0;
    if (ParsePositions(cmd, positions)) {
        if (tok.size() != 3)
            return Fail(cmd + " needs a text and its dots");
        std::string text;
        if (!ParseText(tok[1], text) || text.empty())
            return Fail("bad text '" + tok[1] + "'");
        CellRun run;
        if (!Dots(tok[2], run))
            return 0;
        if (kind == TableKind::kExceptions) {
            if (positions != kWord)
                return Fail("an exception list holds whole words only");
            WordEntry w;
            for (char ch : text)
                w.key += static_cast<char>(FoldCase(static_cast<uint8_t>(ch)));
            w.cells = run;
            t.words.push_back(std::move(w));
            wordWhere.push_back(where);
            return 1;
        }
        rules.push_back({text, {positions, run}, where});
        return 1;
    }
    if (kind == TableKind::kExceptions)
        return Fail("'" + cmd + "' does not belong in an exception list");
    if (cmd == "letter" || cmd == "digit" || cmd == "punct" || cmd == "sign" || cmd == "space" ||
        cmd == "joiner" || cmd == "quote" || cmd == "numsep" || cmd == "numprefix" ||
        cmd == "numsuffix" || cmd == "numlead" || cmd == "numinside" || cmd == "numstart")
        return CharLine(cmd, tok);
    return IndicatorLine(cmd, tok);
}

int Builder::CharLine(const std::string& cmd, const std::vector<std::string>& tok) {
    if (cmd == "numsep" || cmd == "numprefix" || cmd == "numsuffix" || cmd == "numlead") {
        if (tok.size() != 2)
            return Fail(cmd + " needs a list of characters");
        std::string list;
        if (!ParseText(tok[1], list))
            return Fail("bad escape in '" + tok[1] + "'");
        for (char ch : list) {
            uint8_t c = static_cast<uint8_t>(ch);
            t.flags[c] |= cmd == "numsep"      ? kNumSep
                          : cmd == "numprefix" ? kNumPrefix
                          : cmd == "numsuffix" ? kNumSuffix
                                               : kNumLead;
        }
        return 1;
    }
    if (cmd == "numinside" || cmd == "numstart") {
        uint8_t c = 0;
        if (tok.size() != 3 || !ParseChar(tok[1], c))
            return Fail(cmd + " needs a character and its dots");
        bool inside = cmd == "numinside";
        CellRun& form = inside ? t.numInside[c] : t.numStart[c];
        if (form.len)
            return Fail(cmd + " is given twice for '" + tok[1] + "'");
        t.flags[c] |= inside ? kNumSep : kNumPrefix;
        return Dots(tok[2], form);
    }
    if (cmd == "letter") {
        if (tok.size() != 4 && tok.size() != 5)
            return Fail("letter needs lower case, upper case and dots");
        uint8_t lo = 0, up = 0;
        if (!DefineChar(tok[1], kLetter, lo))
            return 0;
        if (!Dots(tok[3], t.chars[lo]))
            return 0;
        t.lower[lo] = lo;
        if (!ParseChar(tok[2], up))
            return Fail("'" + tok[2] + "' is not one character");
        if (up == lo)
            return 1;
        if (!DefineChar(tok[2], kLetter | kUpper, up))
            return 0;
        t.chars[up] = t.chars[lo];
        t.lower[up] = lo;
        return tok.size() == 4 || Dots(tok[4], t.capitalForm[up]);
    }
    if (cmd == "quote") {
        if (tok.size() != 4)
            return Fail("quote needs a character, its opening and its closing dots");
        uint8_t q = 0;
        return DefineChar(tok[1], kPunct | kQuote, q) && Dots(tok[2], t.chars[q]) &&
               Dots(tok[3], t.closing[q]);
    }
    if (tok.size() != 3)
        return Fail(cmd + " needs a character and its dots");
    uint16_t flag = cmd == "digit"    ? kDigit
                    : cmd == "punct"  ? kPunct
                    : cmd == "space"  ? kSpace
                    : cmd == "joiner" ? kJoiner
                                      : kSign;
    uint8_t c = 0;
    if (!DefineChar(tok[1], flag, c))
        return 0;
    if (c == 0 || c == '\r' || c == '\n')
        return Fail("line ends and NUL cannot be defined");
    return Dots(tok[2], t.chars[c]);
}

int Builder::IndicatorLine(const std::string& cmd, const std::vector<std::string>& tok) {
    if (cmd == "capwordmin") {
        if (tok.size() != 2 || (tok[1] != "1" && tok[1] != "2"))
            return Fail("capwordmin must be 1 or 2");
        t.nCapWordMin = tok[1][0] - '0';
        return 1;
    }
    if (cmd == "sequence") {
        Sequence q;
        if (tok.size() != 3 || !ParseText(tok[1], q.text) || q.text.size() < 2)
            return Fail("sequence needs two or more characters and their dots");
        uint8_t first = static_cast<uint8_t>(q.text[0]);
        if (t.flags[first] & (kLetter | kDigit) || first == '\r' || first == '\n')
            return Fail("a sequence cannot begin with a letter, a digit or a line end");
        if (!Dots(tok[2], q.cells))
            return 0;
        t.flags[first] |= kSeqStart;
        t.sequences.push_back(q);
        return 1;
    }
    if (cmd == "urlmark") {
        std::string mark;
        if (tok.size() != 2 || !ParseText(tok[1], mark))
            return Fail("urlmark needs one text");
        t.urlMarks.push_back(mark);
        return 1;
    }
    Indicators& in = t.ind;
    CellRun* target = cmd == "capital"      ? &in.capital
                      : cmd == "capword"    ? &in.capword
                      : cmd == "cappassage" ? &in.cappassage
                      : cmd == "capterm"    ? &in.capterm
                      : cmd == "numeric"    ? &in.numeric
                      : cmd == "numspace"   ? &in.numspace
                      : cmd == "letsign"    ? &in.letsign
                      : cmd == "undefined"  ? &in.undefined
                      : cmd == "urlsign"    ? &in.urlsign
                                            : nullptr;
    if (!target)
        return Fail("unknown directive '" + cmd + "'");
    if (tok.size() != 2)
        return Fail(cmd + " needs its dots");
    if (!Dots(tok[1], *target))
        return 0;
    if (cmd == "numspace")
        in.bNumSpace = true;
    if (cmd == "undefined")
        in.bUndefined = true;
    return 1;
}

int Builder::Finish() {
    std::stable_sort(
        t.sequences.begin(), t.sequences.end(),
        [](const Sequence& a, const Sequence& b) { return a.text.size() > b.text.size(); });
    std::vector<size_t> order(t.words.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return t.words[a].key < t.words[b].key; });
    std::vector<WordEntry> sorted;
    sorted.reserve(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        if (!sorted.empty() && t.words[order[i]].key == sorted.back().key) {
            where = wordWhere[order[i]];
            return Fail("word '" + t.words[order[i]].key + "' is listed twice");
        }
        sorted.push_back(std::move(t.words[order[i]]));
        t.nMaxWord = std::max(t.nMaxWord, sorted.back().key.size());
    }
    t.words = std::move(sorted);
    if (kind == TableKind::kExceptions)
        return 1;
    for (const PendingRule& r : rules) {
        for (char ch : r.text) {
            uint8_t c = static_cast<uint8_t>(ch);
            if ((t.flags[c] & (kLetter | kUpper)) != kLetter) {
                where = r.where;
                return Fail("'" + r.text + "' holds a character that is not a lower-case letter");
            }
        }
    }
    return BuildTrie();
}

int Builder::BuildTrie() {
    std::stable_sort(rules.begin(), rules.end(),
                     [](const PendingRule& a, const PendingRule& b) { return a.text < b.text; });
    std::vector<std::map<uint8_t, uint32_t>> kids(1);
    std::vector<std::vector<Rule>> nodeRules(1);
    for (const PendingRule& r : rules) {
        uint32_t node = 0;
        for (char ch : r.text) {
            uint8_t c = static_cast<uint8_t>(ch);
            auto it = kids[node].find(c);
            if (it == kids[node].end()) {
                uint32_t fresh = static_cast<uint32_t>(kids.size());
                kids[node][c] = fresh;
                kids.emplace_back();
                nodeRules.emplace_back();
                node = fresh;
            } else {
                node = it->second;
            }
        }
        for (const Rule& old : nodeRules[node]) {
            if (old.positions & r.rule.positions) {
                where = r.where;
                return Fail("'" + r.text + "' is given twice for the same place in a word");
            }
        }
        nodeRules[node].push_back(r.rule);
    }
    t.nodes.assign(kids.size(), TrieNode{});
    for (size_t n = 0; n < kids.size(); ++n) {
        TrieNode& node = t.nodes[n];
        node.firstEdge = static_cast<uint32_t>(t.edges.size());
        node.edgeCount = static_cast<uint32_t>(kids[n].size());
        for (auto [c, child] : kids[n])
            t.edges.push_back({c, child});
        node.firstRule = static_cast<uint32_t>(t.rules.size());
        node.ruleCount = static_cast<uint32_t>(nodeRules[n].size());
        t.rules.insert(t.rules.end(), nodeRules[n].begin(), nodeRules[n].end());
    }
    for (auto [c, child] : kids[0])
        t.rootChild[c] = child;
    for (const PendingRule& r : rules) {
        if (r.rule.positions != kWord)
            continue;
        const uint8_t* p = &t.cells[r.rule.cells.off];
        t.wordSigns.push_back({std::string(p, p + r.rule.cells.len), r.text});
        t.nMaxWordCells = std::max<size_t>(t.nMaxWordCells, r.rule.cells.len);
    }
    std::sort(t.wordSigns.begin(), t.wordSigns.end(),
              [](const WordSign& a, const WordSign& b) { return a.cells < b.cells; });
    return 1;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    text.clear();
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

int CompileTableText(std::string_view text, const std::string& path, TableKind kind,
                     const FileReader& reader, Table& table, std::string& error) {
    table = Table{};
    Builder b{table, kind, reader, error, {}, {}, {}, {}};
    if (!b.File(path, text, 0) || !b.Finish()) {
        table = Table{};
        return 0;
    }
    return 1;
}

int CompileTable(const std::string& path, TableKind kind, const FileReader& reader, Table& table,
                 std::string& error) {
    std::string text;
    if (!reader(path, text)) {
        error = path + ": cannot be read";
        return 0;
    }
    return CompileTableText(text, path, kind, reader, table, error);
}

uint8_t FoldCase(uint8_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    if (c == 0x8A || c == 0x8C || c == 0x8E)
        return c + 0x10;
    if (c == 0x9F)
        return 0xFF;
    return c;
}

const WordEntry* FindWord(const Table& table, std::string_view folded) {
    if (folded.size() > table.nMaxWord || table.words.empty())
        return nullptr;
    auto it = std::lower_bound(table.words.begin(), table.words.end(), folded,
                               [](const WordEntry& w, std::string_view k) { return w.key < k; });
    if (it == table.words.end() || it->key != folded)
        return nullptr;
    return &*it;
}

} // namespace tactr
