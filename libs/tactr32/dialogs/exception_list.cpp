#include "exception_list.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "qrf_syntax.h"
#include "qrf_table.h"
#include "translate.h"

namespace tactr {
namespace {

std::string Folded(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(FoldCase(static_cast<uint8_t>(c)));
    }
    return out;
}

// Lists stay ASCII: everything else is written as an escape.
std::string Escaped(std::string_view text, bool blanksAllowed) {
    std::string out;
    for (unsigned char c : text) {
        char hex[8];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == ' ' && blanksAllowed) {
            out += ' ';
        } else if (c == ' ') {
            out += "\\s";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c >= 0x7F) {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    // The rest of a line loses its outer blanks when read back.
    if (blanksAllowed) {
        while (!out.empty() && out.back() == ' ') {
            out.replace(out.size() - 1, 1, "\\s");
        }
        size_t lead = 0;
        while (lead < out.size() && out[lead] == ' ') {
            ++lead;
        }
        std::string front;
        for (size_t i = 0; i < lead; ++i) {
            front += "\\s";
        }
        out.replace(0, lead, front);
    }
    return out;
}

std::string EntryLine(const ExceptionEntry& e) {
    if (e.bReplace) {
        return "replace " + Escaped(e.word, false) + " " + Escaped(e.value, true);
    }
    return "word " + Escaped(e.word, false) + " " + e.value;
}

} // namespace

void ExceptionList::Parse(std::string_view text) {
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        Line line;
        line.raw = std::string(raw);
        const std::vector<std::string> tok = SplitTokens(raw);
        if (tok.size() >= 3 && (tok[0] == "word" || tok[0] == "replace") &&
            ParseText(tok[1], line.entry.word)) {
            line.entry.bReplace = tok[0] == "replace";
            line.bEntry = line.entry.bReplace ? ParseText(RestAfter(raw, 2), line.entry.value)
                                              : (line.entry.value = tok[2], tok.size() == 3);
        }
        lines_.push_back(std::move(line));
        start = end + 1;
    }
    Index();
}

std::string ExceptionList::Text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.bEntry ? EntryLine(line.entry) : line.raw;
        out += "\r\n";
    }
    return out;
}

int ExceptionList::Find(std::string_view word) const {
    const std::string key = Folded(word);
    for (size_t i = 0; i < Count(); ++i) {
        if (Folded(At(i).word) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ExceptionList::Check(const ExceptionEntry& e, int except, std::string& why) const {
    if (e.word.empty() || e.word.find_first_of(" \t\r\n") != std::string::npos) {
        why = "The word must be one word without blanks.";
        return false;
    }
    const int found = Find(e.word);
    if (found >= 0 && found != except) {
        why = "'" + e.word + "' is already in the list.";
        return false;
    }
    if (e.bReplace) {
        if (e.value.empty() || e.value.find_first_of("\r\n") != std::string::npos) {
            why = "Type the text to translate instead, on one line.";
            return false;
        }
        return true;
    }
    std::vector<uint8_t> pool;
    CellRun run;
    if (!ParseDots(e.value, pool, run, why)) {
        why = "Bad braille '" + e.value + "': dots 1 to 6 for each cell, cells joined by '-'.";
        return false;
    }
    return true;
}

bool ExceptionList::Add(const ExceptionEntry& entry, std::string& why) {
    if (!Check(entry, -1, why)) {
        return false;
    }
    Line line;
    line.bEntry = true;
    line.entry = entry;
    lines_.push_back(std::move(line));
    Index();
    return true;
}

bool ExceptionList::Change(size_t i, const ExceptionEntry& entry, std::string& why) {
    if (i >= Count() || !Check(entry, static_cast<int>(i), why)) {
        return false;
    }
    lines_[entryLines_[i]].entry = entry;
    return true;
}

void ExceptionList::Remove(size_t i) {
    if (i < Count()) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(entryLines_[i]));
        Index();
    }
}

void ExceptionList::Index() {
    entryLines_.clear();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].bEntry) {
            entryLines_.push_back(i);
        }
    }
}

std::string ListFileName(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '.')) {
        name.remove_suffix(1);
    }
    std::string file(name);
    if (file.size() >= 4 && Folded(file.substr(file.size() - 4)) == ".qrf") {
        file.resize(file.size() - 4);
    }
    if (file.empty() || file.find_first_of("\\/:*?\"<>|") != std::string::npos ||
        std::any_of(file.begin(), file.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        return std::string();
    }
    return file + ".qrf";
}

std::string CellsAsDots(std::string_view cells) {
    std::string out;
    bool lineStart = true;
    for (unsigned char c : cells) {
        if (c == '\r' || c == '\n') {
            if (!lineStart) {
                out += " / ";
            }
            lineStart = true;
            continue;
        }
        if (!lineStart) {
            out += '-';
        }
        lineStart = false;
        const int dots = c & 0x3F;
        if (!dots) {
            out += '0';
        }
        for (int d = 0; d < 6; ++d) {
            if (dots & (1 << d)) {
                out += static_cast<char>('1' + d);
            }
        }
    }
    return out;
}

bool TryWord(const std::string& tablePath, std::string_view listText, const std::string& listPath,
             const std::string& word, std::string& result) {
    auto table = std::make_unique<Table>();
    auto list = std::make_unique<Table>();
    if (!CompileTable(tablePath, TableKind::kTranslation, ReadWholeFile, *table, result) ||
        !CompileTableText(listText, listPath, TableKind::kExceptions, ReadWholeFile, *list,
                          result)) {
        return false;
    }
    char braille[kBrailleBufferSize];
    Translate(*table, list.get(), word.c_str(), braille, sizeof braille);
    result = CellsAsDots(braille);
    return true;
}

} // namespace tactr
