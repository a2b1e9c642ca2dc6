// Pairs the quotation marks of a text before it is translated, so each mark
// knows whether it opens, closes or stands without a partner, and whether
// it takes the outermost (nonspecific) sign or the specific one of its kind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

#include "qrf_table.h"

namespace tactr {

enum QuoteRole : uint8_t {
    kQuotePlain = 0, // not used as a quotation mark (an apostrophe)
    kQuoteOpen = 1,
    kQuoteClose = 2,
    kQuoteUnpaired = 3,
    kQuoteRoleMask = 3,
    kQuoteSpecific = 4, // inside other quotation marks or inside a word
};

// roles[i] for every byte of the text (0 where there is no mark).
void PairQuotes(const Table& t, const uint8_t* s, size_t len, std::pmr::vector<uint8_t>& roles);

// The cells of mark c in the role found for it.
CellRun QuoteCells(const Table& t, uint8_t c, uint8_t role);

} // namespace tactr
