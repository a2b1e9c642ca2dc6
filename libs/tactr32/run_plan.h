// Choice of contractions for one run of letters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qrf_table.h"

namespace tactr {

constexpr size_t kMaxRun = 1024;

struct RunPlan {
    // Step starting at letter k: how many letters it takes and the rule used
    // (null: the letter itself). Only steps on the chosen path are meaningful.
    uint16_t len[kMaxRun + 1];
    const Rule* rule[kMaxRun + 1];
    size_t nCells;
};

struct RunShape {
    const uint8_t* source; // the letters as written
    const uint8_t* low;    // the same, lower case
    const uint8_t* seg;    // case segment of each letter
    size_t n;
    bool leftJoined, rightJoined;
};

// Picks contractions from the left, the longest that may stand at its place
// in the word; contract = false spells the run out.
void PlanRun(const Table& t, const RunShape& r, bool contract, RunPlan& plan);

// True when the run stands alone and its braille is the whole-word
// contraction of another word: a reader would take it for that word.
bool PlanLooksLikeWordSign(const Table& t, const RunShape& r, const RunPlan& plan);

} // namespace tactr
