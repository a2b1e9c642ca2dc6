// What a line of text will be written as, decided before any cell is
// written: the contractions of every run of letters, where the grade 1
// indicators go, and which lower wordsigns stay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

#include "qrf_table.h"
#include "run_plan.h"

namespace tactr {

constexpr size_t kNoPlace = static_cast<size_t>(-1);

struct Step {
    uint16_t len;
    const Rule* rule; // null: the letter itself
};

// One run of letters.
struct RunInfo {
    size_t start = 0, n = 0;
    size_t firstStep = 0;             // its steps in LinePlan::steps, when contracted
    const WordEntry* entry = nullptr; // a word of the exception list (or a replace)
    const Table* owner = nullptr;     // the table that holds `entry`
    bool contracted = false;          // written otherwise than letter by letter
    bool letsign = false;             // stands alone and would read as another word
    bool afterDigits = false;         // right after a number: spelled out, a-j read as digits
    bool lowerSign = false;           // a lower wordsign standing alone
    bool hasCapital = false;
    bool wordStart = false, wordEnd = false; // the sides of standing alone
};

// A symbols-sequence: the characters between two blanks.
struct SequenceInfo {
    size_t begin = 0, end = 0;
    size_t firstRun = 0, nRuns = 0;
    size_t firstNeed = 0, nNeeds = 0; // places needing the grade 1 symbol indicator
    size_t wordAt = kNoPlace;         // grade 1 word indicator before this place
    size_t termAt = kNoPlace;         // grade 1 terminator before this place
    bool spelled = true;              // no run contracted: grade 1 changes nothing
    bool smallLetters = false;        // a capital passage cannot start here
    bool passage = false;             // inside a grade 1 passage
    bool passageStart = false, passageEnd = false;
};

// The lists live in an arena the translation sets up, so a label costs no
// allocation of its own.
struct LinePlan {
    explicit LinePlan(std::pmr::memory_resource* arena)
        : sequences(arena), runs(arena), steps(arena), needs(arena) {}

    std::pmr::vector<SequenceInfo> sequences;
    std::pmr::vector<RunInfo> runs;
    std::pmr::vector<Step> steps;
    std::pmr::vector<size_t> needs; // source places, ascending
};

using QuoteRoles = std::pmr::vector<uint8_t>;

class LinePlanner {
  public:
    // lookups = false: words are not looked up in the exception list or
    // among replace entries (a replacement being translated).
    LinePlanner(const Table& t, const Table* ex, bool lookups)
        : t_(t), ex_(ex), lookups_(lookups) {}

    // Plans s[b, e) (one line, no line ends); quoteRoles may be empty.
    void Plan(const uint8_t* s, size_t b, size_t e, const QuoteRoles& quoteRoles, LinePlan& plan);

    // Case segments of a run as LinePlanner uses them, for writing it.
    void Segments(const uint8_t* run, size_t n, uint8_t* seg, uint8_t* segKind) const;

  private:
    bool Is(uint8_t c, uint32_t flag) const { return (t_.flags[c] & flag) != 0; }
    void Sequence(size_t b, size_t e);
    void Run(size_t i, size_t j, const SequenceInfo& q, bool afterDigits);
    const WordEntry* JoinedWordAt(size_t i, const SequenceInfo& q) const;
    void PlanLetters(RunInfo& r, bool noWordSigns);
    void Punctuation(size_t i, const SequenceInfo& q);
    bool StartsWord(size_t i, size_t b) const;
    bool EndsWord(size_t j, size_t e) const;
    const Rule* ForcedShortform(const uint8_t* source, size_t n, size_t& at, size_t& len) const;
    void StoreSteps(RunInfo& r, const RunShape& shape);
    void SpellStep(RunInfo& r, size_t step);
    void CheckLowerSigns(SequenceInfo& q);
    bool SpellLastLowerSign(SequenceInfo& q);
    bool HasUpperCell(const SequenceInfo& q) const;
    void ChooseGrade1(SequenceInfo& q);
    void ChoosePassages();
    size_t SymbolCost(const SequenceInfo& q) const;

    const Table& t_;
    const Table* ex_;
    bool lookups_;
    const uint8_t* s_ = nullptr;
    const QuoteRoles* roles_ = nullptr;
    LinePlan* plan_ = nullptr;
    uint8_t low_[kMaxRun];
    uint8_t cut_[kMaxRun + 1];
    uint8_t seg_[kMaxRun];
    uint8_t segKind_[kMaxRun];
    RunPlan runPlan_;
};

enum SegKind : uint8_t { kSegLower, kSegCapital, kSegCapWord };

// The table's sequence (several characters written as one sign) starting
// at s[i], the longest; null when none does.
const Sequence* SequenceAt(const Table& t, const uint8_t* s, size_t i, size_t end);

} // namespace tactr
