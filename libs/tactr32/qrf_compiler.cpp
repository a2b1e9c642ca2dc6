#include <algorithm>
#include <cstdio>

#include "qrf_builder.h"
#include "qrf_syntax.h"

namespace tactr {
namespace {

constexpr int kMaxIncludeDepth = 8;
// Bounds the work of a table that includes files over and over.
constexpr int kMaxIncludes = 64;

bool IsCharList(const std::string& cmd) {
    return cmd == "numsep" || cmd == "numprefix" || cmd == "numpoint" || cmd == "numsuffix" ||
           cmd == "numlead" || cmd == "leading" || cmd == "trailing" || cmd == "divider";
}

uint32_t CharListFlag(const std::string& cmd) {
    return cmd == "numsep"      ? kNumSep
           : cmd == "numprefix" ? kNumPrefix
           : cmd == "numpoint"  ? kNumPrefix | kNumPoint
           : cmd == "numsuffix" ? kNumSuffix
           : cmd == "numlead"   ? kNumLead
           : cmd == "leading"   ? kLeading
           : cmd == "trailing"  ? kTrailing
                                : kDivider;
}

} // namespace

int Builder::Dots(const std::string& token, CellRun& run) {
    std::string why;
    if (!ParseDots(token, t.cells, run, why))
        return Fail(why);
    return 1;
}

int Builder::DefineChar(const std::string& token, uint32_t flags, uint8_t& c) {
    if (!ParseChar(token, c))
        return Fail("'" + token + "' is not one character");
    if (defined[c])
        return Fail("character '" + token + "' is defined twice");
    defined[c] = true;
    t.flags[c] |= flags;
    return 1;
}

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
    if (ParsePositions(cmd, positions))
        return ContractionLine(positions, tok);
    if (kind == TableKind::kExceptions)
        return Fail("'" + cmd + "' does not belong in an exception list");
    if (cmd == "letter" || cmd == "digit" || cmd == "punct" || cmd == "sign" || cmd == "space" ||
        cmd == "joiner" || cmd == "quote" || IsCharList(cmd) || cmd == "class" ||
        cmd == "numinside" || cmd == "numstart")
        return CharLine(cmd, tok);
    if (cmd == "quotekind" || cmd == "quotemark" || cmd == "nonspecific")
        return QuoteLine(cmd, tok);
    if (cmd == "boundary" || cmd == "longer" || cmd == "endings" || cmd == "prefer" ||
        cmd == "yield")
        return ListLine(cmd, tok);
    if (cmd == "proper")
        return ProperLine(tok);
    return IndicatorLine(cmd, tok);
}

// <where> <letters> <dots> [next <patterns>] [!next <patterns>]
int Builder::ContractionLine(uint8_t positions, const std::vector<std::string>& tok) {
    const std::string& cmd = tok[0];
    if (tok.size() < 3)
        return Fail(cmd + " needs a text and its dots");
    std::string text;
    if (!ParseText(tok[1], text) || text.empty())
        return Fail("bad text '" + tok[1] + "'");
    CellRun run;
    if (!Dots(tok[2], run))
        return 0;
    if (kind == TableKind::kExceptions) {
        if (positions != kWord || tok.size() != 3)
            return Fail("an exception list holds whole words only");
        WordEntry w;
        for (char ch : text)
            w.key += static_cast<char>(FoldCase(static_cast<uint8_t>(ch)));
        w.cells = run;
        t.words.push_back(std::move(w));
        wordWhere.push_back(where);
        return 1;
    }
    if (positions == kWord && tok.size() == 3 &&
        std::any_of(text.begin(), text.end(),
                    [&](char ch) { return t.flags[static_cast<uint8_t>(ch)] & kJoiner; })) {
        WordEntry w;
        for (char ch : text)
            w.key += static_cast<char>(FoldCase(static_cast<uint8_t>(ch)));
        w.cells = run;
        t.joinedWords.push_back(std::move(w));
        return 1;
    }
    Rule rule{positions, 0, 0, run};
    if (!ParseContext(tok, 3, rule.context))
        return 0;
    rules.push_back({text, rule, where});
    return 1;
}

// [next <patterns>] [!next <patterns>] from tok[from]; 0 when none.
int Builder::ParseContext(const std::vector<std::string>& tok, size_t from, uint16_t& context) {
    RuleContext c;
    for (size_t i = from; i < tok.size(); i += 2) {
        bool negative = tok[i] == "!next";
        if ((tok[i] != "next" && !negative) || i + 1 >= tok.size())
            return Fail("only 'next <letters>' or '!next <letters>' may follow");
        std::vector<std::string>& list = negative ? c.notNext : c.next;
        if (!ParseLetterPatterns(tok[i + 1], list))
            return Fail("bad letters '" + tok[i + 1] + "' after " + tok[i]);
    }
    context = 0;
    if (c.next.empty() && c.notNext.empty())
        return 1;
    if (t.contexts.empty())
        t.contexts.emplace_back();
    if (t.contexts.size() > 0xFFFF)
        return Fail("too many contexts");
    context = static_cast<uint16_t>(t.contexts.size());
    t.contexts.push_back(std::move(c));
    return 1;
}

int Builder::CharLine(const std::string& cmd, const std::vector<std::string>& tok) {
    if (IsCharList(cmd)) {
        if (tok.size() != 2)
            return Fail(cmd + " needs a list of characters");
        std::string list;
        if (!ParseText(tok[1], list))
            return Fail("bad escape in '" + tok[1] + "'");
        for (char ch : list)
            t.flags[static_cast<uint8_t>(ch)] |= CharListFlag(cmd);
        return 1;
    }
    if (cmd == "class") {
        std::string letters;
        if (tok.size() != 3 || tok[1].size() != 1 || tok[1][0] < 'A' || tok[1][0] > 'Z' ||
            !ParseText(tok[2], letters))
            return Fail("class needs a capital letter A-Z and the small letters in it");
        for (char ch : letters) {
            uint8_t c = static_cast<uint8_t>(ch);
            if ((t.flags[c] & (kLetter | kUpper)) != kLetter)
                return Fail("class " + tok[1] + " holds a character that is not a small letter");
            t.letterClass[c] |= 1u << (tok[1][0] - 'A');
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
    uint32_t flag = cmd == "digit"    ? kDigit
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

int Builder::QuoteLine(const std::string& cmd, const std::vector<std::string>& tok) {
    if (cmd == "nonspecific") {
        if (tok.size() != 3)
            return Fail("nonspecific needs the opening and the closing dots");
        t.ind.bNonspecific = true;
        return Dots(tok[1], t.ind.quoteOpen) && Dots(tok[2], t.ind.quoteClose);
    }
    // quotekind <kind> <open> <close> [specific]: "specific" keeps the
    // kind's own signs even where its marks are the outermost.
    if (cmd == "quotekind") {
        if ((tok.size() != 4 && tok.size() != 5) || (tok.size() == 5 && tok[4] != "specific"))
            return Fail("quotekind needs a name, its opening and its closing dots, then "
                        "'specific' or nothing");
        if (std::find(quoteKindNames.begin(), quoteKindNames.end(), tok[1]) != quoteKindNames.end())
            return Fail("quote kind '" + tok[1] + "' is given twice");
        if (quoteKindNames.size() >= 255)
            return Fail("too many quote kinds");
        QuoteKind k;
        if (!Dots(tok[2], k.open) || !Dots(tok[3], k.close))
            return 0;
        k.bSpecific = tok.size() == 5;
        quoteKindNames.push_back(tok[1]);
        t.quoteKinds.push_back(k);
        return 1;
    }
    // quotemark <char> <kind> <opens|closes|both> [<dots without partner>]
    if (tok.size() != 4 && tok.size() != 5)
        return Fail("quotemark needs a character, a quote kind and opens, closes or both");
    uint8_t c = 0;
    if (!ParseChar(tok[1], c))
        return Fail("'" + tok[1] + "' is not one character");
    if (!defined[c] || (t.flags[c] & (kLetter | kDigit | kSpace)))
        return Fail("a quotation mark must first be defined as punctuation");
    if (t.flags[c] & kQuoteMark)
        return Fail("quotation mark '" + tok[1] + "' is given twice");
    auto kindIt = std::find(quoteKindNames.begin(), quoteKindNames.end(), tok[2]);
    if (kindIt == quoteKindNames.end())
        return Fail("unknown quote kind '" + tok[2] + "'");
    QuoteMark& m = t.quoteMarks[c];
    m.kind = static_cast<uint8_t>(kindIt - quoteKindNames.begin());
    m.opens = tok[3] == "opens" || tok[3] == "both";
    m.closes = tok[3] == "closes" || tok[3] == "both";
    if (!m.opens && !m.closes)
        return Fail("a quotation mark opens, closes or both");
    t.flags[c] |= kQuoteMark;
    return tok.size() == 4 || Dots(tok[4], m.unpaired);
}

int Builder::ListLine(const std::string& cmd, const std::vector<std::string>& tok) {
    if (tok.size() < 2)
        return Fail(cmd + " needs one or more entries");
    for (size_t i = 1; i < tok.size(); ++i) {
        if (cmd == "yield") {
            CellRun run;
            if (!Dots(tok[i], run))
                return 0;
            if (run.len != 1)
                return Fail("yield takes single cells");
            yieldCells.push_back(t.cells[run.off]);
            continue;
        }
        std::string text;
        if (!ParseText(tok[i], text) || text.empty())
            return Fail("bad text '" + tok[i] + "'");
        if (cmd == "endings")
            t.apostropheEndings.push_back(text);
        else if (cmd == "prefer")
            preferred.push_back({text, where});
        else
            (cmd == "boundary" ? boundaries : longer).push_back({text, where});
    }
    return 1;
}

// proper <shortform> [!next <letters>]: a proper name may begin or end with
// the shortform, not where the letters follow it.
int Builder::ProperLine(const std::vector<std::string>& tok) {
    std::string text;
    if (tok.size() < 2 || !ParseText(tok[1], text) || text.empty())
        return Fail("proper needs a shortform");
    PendingList p{text, where};
    if (!ParseContext(tok, 2, p.context))
        return 0;
    proper.push_back(p);
    return 1;
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
                      : cmd == "letword"    ? &in.letword
                      : cmd == "letpassage" ? &in.letpassage
                      : cmd == "letterm"    ? &in.letterm
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
    Builder b{table, kind, reader, error};
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

} // namespace tactr
