// Compiled form of a *.qrf translation table or exception list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tactr {

// Character classes; a byte may be in several (a letter is also upper).
enum CharFlag : uint16_t {
    kLetter = 1,
    kUpper = 2,
    kDigit = 4,
    kPunct = 8,
    kSpace = 16,
    kSign = 32,
    kJoiner = 64,     // part of a word without being a letter (the apostrophe)
    kNumSep = 128,    // keeps a number going up to its next digit (1,000)
    kNumPrefix = 256, // a sign that begins a number (+33, German '56)
    kNumSuffix = 512, // follows a number without its space (20 %)
    kSeqStart = 1024, // begins a sequence written as one sign (\xB0C)
    kQuote = 2048,    // opens or closes by its place: chars[] opens, closing[] closes
    kNumLead = 4096,  // precedes a number without its space (German € 5)
};

// Where a contraction may stand inside a word.
enum Position : uint8_t {
    kWord = 1,
    kBegin = 2,
    kMiddle = 4,
    kEnd = 8,
    kAnywhere = kWord | kBegin | kMiddle | kEnd,
};

// A run of cells in Table::cells; each cell holds dots 1-6 in bits 0-5.
struct CellRun {
    uint32_t off = 0;
    uint16_t len = 0;
};

struct Rule {
    uint8_t positions = 0;
    CellRun cells;
};

struct TrieNode {
    uint32_t firstEdge = 0;
    uint32_t edgeCount = 0;
    uint32_t firstRule = 0;
    uint32_t ruleCount = 0;
};

struct TrieEdge {
    uint8_t ch = 0;
    uint32_t node = 0;
};

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

struct Indicators {
    CellRun capital, capword, cappassage, capterm, urlsign;
    CellRun numeric, numspace, letsign, undefined;
    bool bNumSpace = false;
    bool bUndefined = false;
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
    uint16_t flags[256] = {};
    uint8_t lower[256] = {}; // the lower-case letter of each upper one
    CellRun chars[256];
    // A capital that takes the capital letter sign on its own may be written
    // differently (the ligature \xC6 capitalises both of its letters).
    CellRun capitalForm[256];
    CellRun closing[256];
    // A sign's form inside a number (German 11:25) and where it begins one
    // (German -5); empty where the sign keeps its own cells.
    CellRun numInside[256];
    CellRun numStart[256];
    Indicators ind;
    std::vector<uint8_t> cells;
    // Root node 0; rootChild maps a first letter straight to its node.
    std::vector<TrieNode> nodes;
    std::vector<TrieEdge> edges;
    std::vector<Rule> rules;
    uint32_t rootChild[256] = {};
    std::vector<WordEntry> words; // sorted by key
    size_t nMaxWord = 0;          // longest key, to skip lookups cheaply
    // Braille of every whole-word contraction, sorted: a word spelled out
    // the same way would be misread.
    std::vector<WordSign> wordSigns;
    size_t nMaxWordCells = 0;
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

} // namespace tactr
