// The last step of compiling a table: the trie of contractions, the word
// signs a spelled-out word must not be mistaken for, boundaries, longer
// words keeping a shortform and the lists looked up while translating.
#include <algorithm>
#include <map>

#include "qrf_builder.h"

namespace tactr {
namespace {

bool IsSmallLetter(const Table& t, uint8_t c) {
    return (t.flags[c] & (kLetter | kUpper)) == kLetter;
}

// A context pattern: small letters, classes (capitals), '*', '$' last.
bool ValidPattern(const Table& t, const std::string& p) {
    for (size_t i = 0; i < p.size(); ++i) {
        uint8_t c = static_cast<uint8_t>(p[i]);
        bool ok = IsSmallLetter(t, c) || (c >= 'A' && c <= 'Z') || c == '*' ||
                  (c == '$' && i + 1 == p.size());
        if (!ok)
            return false;
    }
    return true;
}

// The trie node of `text`; 0 when the table has no contraction of it.
uint32_t FindNode(const Table& t, std::string_view text) {
    uint32_t node = 0;
    for (char ch : text)
        if ((node = t.contractions.Child(node, static_cast<uint8_t>(ch))) == 0)
            return 0;
    return node;
}

// The rule for whole word `text` (a shortform); rules.size() when none.
uint32_t FindWordRule(const Table& t, const std::string& text) {
    uint32_t node = FindNode(t, text);
    const TrieNode& nd = t.contractions.nodes[node];
    for (uint32_t i = 0; node != 0 && i < nd.ruleCount; ++i)
        if (t.rules[nd.firstRule + i].positions & kWord && t.rules[nd.firstRule + i].context == 0)
            return nd.firstRule + i;
    return static_cast<uint32_t>(t.rules.size());
}

// A trie of texts (sorted, equal ones together): node n holds the items
// [firstRule, firstRule + ruleCount) of the same order.
// A table's tries have a few thousand nodes; this bounds the memory a
// malformed file can ask for.
constexpr size_t kMaxTrieCells = size_t{1} << 24;

bool BuildLetterTrie(const std::vector<std::string>& texts, LetterTrie& trie) {
    for (const std::string& text : texts)
        for (char ch : text)
            if (trie.slot[static_cast<uint8_t>(ch)] == 0 && trie.nSlots < 256)
                trie.slot[static_cast<uint8_t>(ch)] = static_cast<uint8_t>(trie.nSlots++);
    trie.nodes.assign(1, TrieNode{});
    trie.children.assign(trie.nSlots, 0);
    for (uint32_t i = 0; i < texts.size(); ++i) {
        uint32_t node = 0;
        for (char ch : texts[i]) {
            uint32_t at = node * trie.nSlots + trie.slot[static_cast<uint8_t>(ch)];
            if (trie.children[at] == 0) {
                if (trie.children.size() + trie.nSlots > kMaxTrieCells ||
                    trie.nodes.size() > 0xFFFF)
                    return false;
                trie.children[at] = static_cast<uint16_t>(trie.nodes.size());
                trie.nodes.emplace_back();
                trie.children.resize(trie.children.size() + trie.nSlots, 0);
            }
            node = trie.children[at];
        }
        if (trie.nodes[node].ruleCount++ == 0)
            trie.nodes[node].firstRule = i;
    }
    return true;
}

void AppendLetters(const Table& t, std::string_view letters, std::string& cells) {
    for (char ch : letters) {
        CellRun r = t.chars[static_cast<uint8_t>(ch)];
        cells.append(reinterpret_cast<const char*>(&t.cells[r.off]), r.len);
    }
}

} // namespace

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
    if (t.contexts.empty())
        t.contexts.emplace_back();
    if (!CheckRuleLetters() || !BuildTrie() || !BuildBoundaries() || !BuildLongerWords())
        return 0;
    MarkGroupsignLikePunctuation();
    return MarkTieBreaks();
}

int Builder::CheckRuleLetters() {
    for (const PendingRule& r : rules) {
        where = r.where;
        for (char ch : r.text)
            if (!IsSmallLetter(t, static_cast<uint8_t>(ch)))
                return Fail("'" + r.text + "' holds a character that is not a lower-case letter");
        const RuleContext& c = t.contexts[r.rule.context];
        for (const std::vector<std::string>* list : {&c.next, &c.notNext})
            for (const std::string& p : *list)
                if (!ValidPattern(t, p))
                    return Fail("'" + p + "' is not small letters, classes, '*' and a last '$'");
    }
    return 1;
}

int Builder::BuildTrie() {
    std::stable_sort(rules.begin(), rules.end(),
                     [](const PendingRule& a, const PendingRule& b) { return a.text < b.text; });
    for (size_t i = 0; i < rules.size(); ++i) {
        for (size_t j = i; j-- > 0 && rules[j].text == rules[i].text;) {
            const Rule &a = rules[j].rule, &b = rules[i].rule;
            const RuleContext &x = t.contexts[a.context], &y = t.contexts[b.context];
            if (a.positions & b.positions && x.next == y.next && x.notNext == y.notNext) {
                where = rules[i].where;
                return Fail("'" + rules[i].text + "' is given twice for the same place in a word");
            }
        }
    }
    std::vector<std::string> texts;
    for (const PendingRule& r : rules) {
        texts.push_back(r.text);
        t.rules.push_back(r.rule);
    }
    if (!BuildLetterTrie(texts, t.contractions))
        return Fail("too many contractions");
    for (const PendingRule& r : rules) {
        if (r.rule.positions != kWord || r.rule.context != 0)
            continue;
        const uint8_t* p = &t.cells[r.rule.cells.off];
        t.wordSigns.push_back({std::string(p, p + r.rule.cells.len), r.text});
    }
    return 1;
}

// "ant|hill", "^micro|", "|ess$": letters with the boundaries marked.
int Builder::BuildBoundaries() {
    for (const PendingList& b : boundaries) {
        where = b.where;
        Boundary out;
        std::string_view text = b.text;
        if (text.starts_with('^')) {
            out.atStart = true;
            text.remove_prefix(1);
        }
        if (text.ends_with('$')) {
            out.atEnd = true;
            text.remove_suffix(1);
        }
        for (char ch : text) {
            if (ch == '|') {
                out.cuts |= 1u << out.letters.size();
            } else if (IsSmallLetter(t, static_cast<uint8_t>(ch)) && out.letters.size() < 31) {
                out.letters += ch;
            } else {
                return Fail("boundary '" + b.text +
                            "' needs at most 31 small letters, '|', '^' "
                            "first and '$' last");
            }
        }
        if (out.letters.empty() || out.cuts == 0)
            return Fail("boundary '" + b.text + "' marks no place with '|'");
        t.boundaries.push_back(out);
    }
    std::stable_sort(t.boundaries.begin(), t.boundaries.end(),
                     [](const Boundary& a, const Boundary& b) { return a.letters < b.letters; });
    std::vector<std::string> texts;
    for (const Boundary& b : t.boundaries) {
        texts.push_back(b.letters);
        if (t.nMinBoundary == 0 || b.letters.size() < t.nMinBoundary)
            t.nMinBoundary = b.letters.size();
        // Boundaries of one or two letters start before any letters after.
        const std::string& l = b.letters;
        for (int second = 0; second < 256; ++second) {
            if (l.size() > 1 && second != static_cast<uint8_t>(l[1]))
                continue;
            for (int third = 0; third < 256; ++third) {
                if (l.size() > 2 && third != static_cast<uint8_t>(l[2]))
                    continue;
                uint32_t bit =
                    LetterTripleBit(static_cast<uint8_t>(l[0]), static_cast<uint8_t>(second),
                                    static_cast<uint8_t>(third));
                t.boundaryStarts[bit / 64] |= 1ull << (bit % 64);
            }
        }
    }
    if (!BuildLetterTrie(texts, t.boundaryTrie))
        return Fail("too many boundaries");
    return 1;
}

// "here|about|s": the shortform between the bars is kept in the longer word.
int Builder::BuildLongerWords() {
    for (const PendingList& l : longer) {
        where = l.where;
        size_t a = l.text.find('|'), b = a == std::string::npos ? a : l.text.find('|', a + 1);
        if (b == std::string::npos || l.text.find('|', b + 1) != std::string::npos)
            return Fail("longer word '" + l.text + "' needs its shortform between two '|'");
        std::string shortform = l.text.substr(a + 1, b - a - 1);
        LongerWord w;
        w.key = l.text.substr(0, a) + shortform + l.text.substr(b + 1);
        w.at = static_cast<uint16_t>(a);
        w.len = static_cast<uint16_t>(shortform.size());
        w.rule = FindWordRule(t, shortform);
        if (w.rule == t.rules.size())
            return Fail("'" + shortform + "' is not a word entry of the table");
        for (char ch : w.key)
            if (!IsSmallLetter(t, static_cast<uint8_t>(ch)) || w.key.size() > 255)
                return Fail("longer word '" + l.text +
                            "' holds a character that is not a "
                            "lower-case letter");
        // Spelled out, the same letters would read as the longer word.
        std::string cells;
        AppendLetters(t, std::string_view(w.key).substr(0, w.at), cells);
        const Rule& r = t.rules[w.rule];
        cells.append(reinterpret_cast<const char*>(&t.cells[r.cells.off]), r.cells.len);
        AppendLetters(t, std::string_view(w.key).substr(w.at + w.len), cells);
        t.wordSigns.push_back({cells, w.key});
        t.nMaxLonger = std::max(t.nMaxLonger, w.key.size());
        if (t.nMinLonger == 0 || w.key.size() < t.nMinLonger)
            t.nMinLonger = w.key.size();
        t.longerWords.push_back(std::move(w));
    }
    std::stable_sort(t.longerWords.begin(), t.longerWords.end(),
                     [](const LongerWord& x, const LongerWord& y) { return x.key < y.key; });
    for (size_t i = 1; i < t.longerWords.size(); ++i)
        if (t.longerWords[i].key == t.longerWords[i - 1].key)
            return Fail("longer word '" + t.longerWords[i].key + "' is listed twice");
    for (const PendingList& p : proper) {
        where = p.where;
        LongerWord w{p.text, 0, static_cast<uint16_t>(p.text.size()), FindWordRule(t, p.text),
                     p.context};
        if (w.rule == t.rules.size())
            return Fail("'" + p.text + "' is not a word entry of the table");
        t.properShortforms.push_back(w);
    }
    std::sort(t.wordSigns.begin(), t.wordSigns.end(),
              [](const WordSign& a, const WordSign& b) { return a.cells < b.cells; });
    for (const WordSign& w : t.wordSigns) {
        t.nMaxWordCells = std::max(t.nMaxWordCells, w.cells.size());
        t.wordSignHashes.push_back(HashBytes(w.cells.data(), w.cells.size()));
    }
    for (const WordSign& w : t.wordSigns) {
        if (w.cells.empty())
            continue;
        uint32_t bit = WordSignBit(w.cells.size(), static_cast<uint8_t>(w.cells[0]) & 63,
                                   w.cells.size() > 1 ? static_cast<uint8_t>(w.cells[1]) & 63 : 0);
        t.wordSignStarts[bit / 64] |= 1ull << (bit % 64);
    }
    std::sort(t.wordSignHashes.begin(), t.wordSignHashes.end());
    for (const LongerWord& w : t.longerWords) {
        t.longerHashes.push_back(HashBytes(w.key.data(), w.key.size()));
        uint32_t bit = LetterPairBit(static_cast<uint8_t>(w.key[0]),
                                     w.key.size() > 1 ? static_cast<uint8_t>(w.key[1]) : 0);
        t.longerStarts[bit / 64] |= 1ull << (bit % 64);
    }
    std::sort(t.longerHashes.begin(), t.longerHashes.end());
    return 1;
}

// A comma written inside a word would read as the groupsign "ea", a full
// stop before a word as "dis": punctuation with the cell of a one-cell
// groupsign takes the grade 1 indicator where that groupsign could stand.
void Builder::MarkGroupsignLikePunctuation() {
    for (int c = 0; c < 256; ++c) {
        CellRun p = t.chars[c];
        if (!(t.flags[c] & kPunct) || p.len != 1)
            continue;
        for (const Rule& r : t.rules) {
            if (r.cells.len != 1 || t.cells[r.cells.off] != t.cells[p.off])
                continue;
            if (r.positions & kMiddle)
                t.flags[c] |= kGroupsignLike;
            if (r.positions & kBegin)
                t.flags[c] |= kBeginGroupsignLike;
        }
    }
}

// Between choices of as many cells, contractions that begin with a yield
// cell (initial-letter contractions) give way, and preferred ones (strong
// contractions) win.
int Builder::MarkTieBreaks() {
    for (Rule& r : t.rules) {
        uint8_t first = t.cells[r.cells.off];
        if (r.cells.len > 1 &&
            std::find(yieldCells.begin(), yieldCells.end(), first) != yieldCells.end())
            r.flags |= kRuleYields;
    }
    for (const PendingList& p : preferred) {
        where = p.where;
        uint32_t node = FindNode(t, p.text);
        if (node == 0 || t.contractions.nodes[node].ruleCount == 0)
            return Fail("'" + p.text + "' is not a contraction of the table");
        const TrieNode& nd = t.contractions.nodes[node];
        for (uint32_t i = 0; i < nd.ruleCount; ++i)
            t.rules[nd.firstRule + i].flags |= kRulePreferred;
    }
    return 1;
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

const LongerWord* FindLongerWord(const Table& table, std::string_view folded) {
    if (folded.size() > table.nMaxLonger || folded.size() < table.nMinLonger || folded.empty())
        return nullptr;
    uint32_t bit = LetterPairBit(static_cast<uint8_t>(folded[0]),
                                 folded.size() > 1 ? static_cast<uint8_t>(folded[1]) : 0);
    if (!((table.longerStarts[bit / 64] >> (bit % 64)) & 1) ||
        !std::binary_search(table.longerHashes.begin(), table.longerHashes.end(),
                            HashBytes(folded.data(), folded.size())))
        return nullptr;
    auto it = std::lower_bound(table.longerWords.begin(), table.longerWords.end(), folded,
                               [](const LongerWord& w, std::string_view k) { return w.key < k; });
    if (it == table.longerWords.end() || it->key != folded)
        return nullptr;
    return &*it;
}

} // namespace tactr
