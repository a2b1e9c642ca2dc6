// Compiled form of a *.qrf translation table or exception list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tactr {

// Character classes; a byte may be in several (a letter is also upper).
enum CharFlag : uint32_t {
    kLetter = 1,
    kUpper = 2,
    kDigit = 4,
    kPunct = 8,
    kSpace = 16,
    kSign = 32,
    kJoiner = 64,                 // part of a word without being a letter (the apostrophe)
    kNumSep = 128,                // keeps a number going (1,000; 3.d takes the letter sign as 3d)
    kNumPrefix = 256,             // a sign that begins a number (+33, German '56)
    kNumSuffix = 512,             // follows a number without its space (20 %)
    kSeqStart = 1024,             // begins a sequence written as one sign (\xB0C)
    kQuote = 2048,                // opens or closes by its place: chars[] opens, closing[] closes
    kLeading = 4096,              // may stand between a space and a word that stands alone
    kTrailing = 8192,             // may stand between such a word and a space
    kDivider = 16384,             // a hyphen or dash: the words beside it stand alone
    kQuoteMark = 32768,           // a quotation mark paired with its partner (quotemark)
    kGroupsignLike = 65536,       // punctuation written like a middle groupsign ("ea")
    kBeginGroupsignLike = 131072, // punctuation written like a word-initial one ("dis")
    kNumLead = 262144,            // precedes a number without its space (German € 5)
    kNumPoint = 524288,           // begins a number after the numeric indicator (.5)
};

// Where a contraction may stand inside a word. kAfter is the start of a
// part that continues a word: after an apostrophe or a change of case.
enum Position : uint8_t {
    kWord = 1,
    kBegin = 2,
    kMiddle = 4,
    kEnd = 8,
    kAfter = 16,
    kOther = 32, // any other place; only `anywhere` includes it
    kAnywhere = kWord | kBegin | kMiddle | kEnd | kAfter | kOther,
};

// A run of cells in Table::cells; each cell holds dots 1-6 in bits 0-5.
struct CellRun {
    uint32_t off = 0;
    uint16_t len = 0;
};

// Letters that must (or must not) follow a contraction. Each pattern holds
// small letters, class names (capital letters), '*' for any letters and
// '$' for the end of the word.
struct RuleContext {
    std::vector<std::string> next, notNext;
};

enum RuleFlag : uint8_t {
    kRuleYields = 1,    // gives way to other choices of as many cells
    kRulePreferred = 2, // wins over other choices of as many cells
};

struct Rule {
    uint8_t positions = 0;
    uint8_t flags = 0;
    uint16_t context = 0; // index into Table::contexts; 0: none
    CellRun cells;
};

// The items (rules, boundaries) whose text ends at a node of a trie.
struct TrieNode {
    uint32_t firstRule = 0;
    uint32_t ruleCount = 0;
};

// A trie of texts of small letters; node 0 is the root. Each node names
// its items (rules, boundaries) as a range of a list kept beside the trie.
struct LetterTrie {
    std::vector<TrieNode> nodes;
    // children[node * nSlots + slot[c]]: the child for letter c, 0 when there
    // is none. Only letters the texts use have a slot, and a trie has at
    // most 65535 nodes, which keeps the table small enough for the cache.
    std::vector<uint16_t> children;
    uint8_t slot[256] = {};
    uint32_t nSlots = 1;

    uint32_t Child(uint32_t node, uint8_t c) const {
        return slot[c] ? children[node * nSlots + slot[c]] : 0;
    }
};

// A bit for the first two or three letters of a word (4096 bits).
inline uint32_t LetterPairBit(uint8_t a, uint8_t b) {
    return (a * 31u + b) & 4095u;
}

inline uint32_t LetterTripleBit(uint8_t a, uint8_t b, uint8_t c) {
    return (a * 961u + b * 31u + c) & 4095u;
}

inline uint32_t WordSignBit(size_t cells, uint8_t first, uint8_t second) {
    return (static_cast<uint32_t>(cells) * 4096u + first * 64u + second) & 4095u;
}

// FNV-1a, to rule out most lookups in sorted lists before comparing texts.
inline uint64_t HashBytes(const void* data, size_t n) {
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < n; ++i)
        h = (h ^ static_cast<const uint8_t*>(data)[i]) * 1099511628211ull;
    return h;
}

// A whole word of an exception list (or a table's replace entry): either
// braille cells or a text to translate in its place.
struct WordEntry {
    std::string key; // folded to lower case
    CellRun cells;
    std::string replacement;
    bool bReplace = false;
};

struct Sequence {
    std::string text;
    CellRun cells;
};

struct WordSign {
    std::string cells;
    std::string text;
};

// A place inside words where no contraction may bridge: letters with the
// places marked, anchored to the start or end of the word when asked.
struct Boundary {
    std::string letters;
    uint32_t cuts = 0; // bit k: a boundary before letter k of `letters`
    bool atStart = false, atEnd = false;
};

// A longer word that keeps a shortform: the shortform's rule is used for
// the letters [at, at + len) of the word.
struct LongerWord {
    std::string key;
    uint16_t at = 0, len = 0;
    uint32_t rule = 0;
    uint16_t context = 0; // letters that must not follow (proper names)
};

// Quotation marks by kind (double, single...): the specific signs, used
// where the marks stand inside others or inside a word, or always.
struct QuoteKind {
    CellRun open, close;
    bool bSpecific = false; // never takes the outermost (nonspecific) signs
};

struct QuoteMark {
    uint8_t kind = 0;
    bool opens = false, closes = false;
    CellRun unpaired; // a mark without partner (inches, ditto); empty: none
};

struct Indicators {
    CellRun capital, capword, cappassage, capterm, urlsign;
    CellRun numeric, numspace, letsign, letword, letpassage, letterm, undefined;
    CellRun quoteOpen, quoteClose; // outermost quotation marks
    bool bNumSpace = false;
    bool bUndefined = false;
    bool bNonspecific = false;
};

struct Table {
    std::string szName, szLanguage, szDescription;
    int nGrade = -1;
    // Capitals in a row that take the capital-word indicator; with 1 a
    // capital with no small letter after it counts as a word ("A", "AbC").
    int nCapWordMin = 2;
    // Texts that make a word an address (e-mail, web) taking the url sign.
    std::vector<std::string> urlMarks;
    // Runs of characters written as one sign, longest first.
    std::vector<Sequence> sequences;
    uint32_t flags[256] = {};
    uint8_t lower[256] = {};        // the lower-case letter of each upper one
    uint32_t letterClass[256] = {}; // bit c - 'A': in class c
    CellRun chars[256];
    // A capital that takes the capital letter sign on its own may be written
    // differently (the ligature \xC6 capitalises both of its letters).
    CellRun capitalForm[256];
    CellRun closing[256];
    // A sign's form inside a number (German 11:25) and where it begins one
    // (German -5); empty where the sign keeps its own cells.
    CellRun numInside[256];
    CellRun numStart[256];
    QuoteMark quoteMarks[256];
    std::vector<QuoteKind> quoteKinds;
    Indicators ind;
    std::vector<uint8_t> cells;
    LetterTrie contractions; // items: rules
    std::vector<Rule> rules;
    std::vector<RuleContext> contexts; // [0] is the empty one
    std::vector<WordEntry> words;      // sorted by key
    // Whole words written with a joiner ("o'clock"): matched where the
    // joined run stands alone.
    std::vector<WordEntry> joinedWords;
    size_t nMaxWord = 0; // longest key, to skip lookups cheaply
    // Braille of every whole-word contraction, sorted: a word spelled out
    // the same way would be misread.
    std::vector<WordSign> wordSigns;
    std::vector<uint64_t> wordSignHashes; // sorted
    // Bit WordSignBit() of each word sign's length and first two cells:
    // most words are ruled out before any search.
    uint64_t wordSignStarts[64] = {};
    size_t nMaxWordCells = 0;
    // Boundaries in a trie of their letters, like the contractions.
    LetterTrie boundaryTrie; // items: boundaries
    std::vector<Boundary> boundaries;
    size_t nMinBoundary = 0;             // fewest letters of a boundary: shorter words have none
    uint64_t boundaryStarts[64] = {};    // bit LetterPairBit() of each one's first letters
    std::vector<LongerWord> longerWords; // sorted by key
    std::vector<uint64_t> longerHashes;  // sorted
    uint64_t longerStarts[64] = {};      // bit LetterPairBit() of each key's first letters
    size_t nMinLonger = 0, nMaxLonger = 0;
    // Shortforms that proper names may begin or end with.
    std::vector<LongerWord> properShortforms;
    // Letters after an apostrophe that keep the word before it standing
    // alone ("can't", "you'll").
    std::vector<std::string> apostropheEndings;
};

// Reads a whole file; false when it cannot be read.
using FileReader = std::function<bool(const std::string& path, std::string& text)>;

bool ReadWholeFile(const std::string& path, std::string& text);

enum class TableKind { kTranslation, kExceptions };

// Compiles a table file (with its includes). On failure gives 0 and a
// reason of the form "file:line: what is wrong".
int CompileTable(const std::string& path, TableKind kind, const FileReader& reader, Table& table,
                 std::string& error);

// Same, from text already in memory; includes go through the reader
// relative to `path`.
int CompileTableText(std::string_view text, const std::string& path, TableKind kind,
                     const FileReader& reader, Table& table, std::string& error);

// Windows-1252 lower case, used for exception keys.
uint8_t FoldCase(uint8_t c);

const WordEntry* FindWord(const Table& table, std::string_view folded);

const LongerWord* FindLongerWord(const Table& table, std::string_view folded);

} // namespace tactr
