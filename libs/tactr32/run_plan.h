// Choice of contractions for one run of letters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qrf_table.h"

namespace tactr {

constexpr size_t kMaxRun = 1024;

// How a choice of contractions from some letter to the end of the run
// compares with another: cells, then signs that yield, then preferred ones.
struct PlanScore {
    uint32_t cells;
    uint16_t yields, preferred;
};

struct RunPlan {
    // Step starting at letter k: how many letters it takes and the rule used
    // (null: the letter itself). Only steps on the chosen path are meaningful.
    uint16_t len[kMaxRun + 1];
    const Rule* rule[kMaxRun + 1];
    size_t nCells;
    // Work space of the choice: the best score from letter k to the end.
    PlanScore score[kMaxRun + 1];
};

struct RunShape {
    const uint8_t* source; // the letters as written
    const uint8_t* low;    // the same, lower case
    // cut[k] (0 < k < n): no contraction bridges the letters before and
    // from k. kPartCut also makes them different parts of the word (a
    // change of case); a boundary of the table or the edge of a shortform
    // kept whole (kBoundaryCut) only keeps contractions from bridging it.
    const uint8_t* cut;
    size_t n;
    // The run begins (ends) a word: only spaces, hyphens, dashes and the
    // table's leading (trailing) punctuation stand between it and a space.
    bool wordStart, wordEnd;
    // A shortform kept inside a longer word covers [forcedAt, forcedAt +
    // forcedLen); null when there is none.
    const Rule* forced;
    size_t forcedAt, forcedLen;
    // No whole-word contraction, even where the run stands alone.
    bool noWordSigns;
};

enum CutKind : uint8_t { kNoCut = 0, kPartCut = 1, kBoundaryCut = 2 };

// The letters after a contraction (lower case) against one of the table's
// contexts; context 0 always holds.
bool ContextMatches(const Table& t, uint16_t context, const uint8_t* after, size_t n);

// Marks the table's boundaries found in the letters in `cut`
// (kBoundaryCut where no part cut is).
void MarkBoundaries(const Table& t, const uint8_t* low, size_t n, uint8_t* cut);

// Picks, among the contractions that may stand at their places, the choice
// with the fewest cells; between choices of as many cells, the one with the
// fewest signs that yield (initial-letter contractions), then the most
// preferred ones (strong contractions), then the longest sign first.
// contract = false spells the run out.
void PlanRun(const Table& t, const RunShape& r, bool contract, RunPlan& plan);

// True when the run stands alone and its braille is the whole-word
// contraction of another word (or reads as a longer word keeping a
// shortform): a reader would take it for that word.
bool PlanLooksLikeWordSign(const Table& t, const RunShape& r, const RunPlan& plan);

} // namespace tactr
