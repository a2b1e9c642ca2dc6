// An exception list as the editor holds it: its entries, and every other
// line (metadata, comments, includes) kept as it was written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tactr {

struct ExceptionEntry {
    bool bReplace = false;
    std::string word;  // as typed, escapes resolved
    std::string value; // dots ("145-15") or the replacement text
};

class ExceptionList {
  public:
    void Parse(std::string_view text);
    // The file text: kept lines as they were, entries rewritten with escapes.
    std::string Text() const;

    size_t Count() const { return entryLines_.size(); }
    const ExceptionEntry& At(size_t i) const { return lines_[entryLines_[i]].entry; }
    // The index of the entry for `word` (any case), or -1.
    int Find(std::string_view word) const;

    // Each gives false with the reason when the entry cannot be stored.
    bool Add(const ExceptionEntry& entry, std::string& why);
    bool Change(size_t i, const ExceptionEntry& entry, std::string& why);
    void Remove(size_t i);

  private:
    struct Line {
        std::string raw;
        bool bEntry = false;
        ExceptionEntry entry;
    };
    bool Check(const ExceptionEntry& entry, int except, std::string& why) const;
    void Index();

    std::vector<Line> lines_;
    std::vector<size_t> entryLines_;
};

// Dots of braille cells (0x40 + dots) as "1-145-0", cells joined by '-'
// and lines by " / ".
std::string CellsAsDots(std::string_view cells);

// Translates `word` with a rule table and an exception list given as text;
// the braille as dots, or why it cannot be done.
bool TryWord(const std::string& tablePath, std::string_view listText, const std::string& listPath,
             const std::string& word, std::string& result);

// The file name of a new list called `name`: blanks trimmed, ".qrf" added;
// empty when the name cannot be a file name.
std::string ListFileName(std::string_view name);

} // namespace tactr
