#include "quote_marks.h"

namespace tactr {
namespace {

// Quotation marks nested deeper than this are left as plain punctuation.
constexpr size_t kMaxDepth = 8;

struct OpenMark {
    size_t pos;
    uint8_t kind;
    bool inWord;     // opened right after a letter or digit
    bool afterDigit; // right after a digit: inches, seconds
    bool afterPunct; // right after closing punctuation: it closed a quote
    bool beforeWord; // a letter or digit follows it
};

// A mark closes after a letter, a digit, closing punctuation or a closing
// mark, and opens anywhere else (start of a line, after a blank, a hyphen,
// an opening bracket or mark).
bool OpeningPlace(const Table& t, const uint8_t* s, size_t i,
                  const std::pmr::vector<uint8_t>& roles) {
    if (i == 0)
        return true;
    uint8_t prev = s[i - 1];
    uint32_t f = t.flags[prev];
    if (f & kQuoteMark && (roles[i - 1] & kQuoteRoleMask) != kQuotePlain)
        return (roles[i - 1] & kQuoteRoleMask) == kQuoteOpen;
    return !(f & (kLetter | kDigit)) && !((f & kTrailing) && !(f & kLeading));
}

// A mark left without partner is no quotation: after closing punctuation
// it closes a quotation opened before the text; after a digit (inches,
// ditto) or before a word (an apostrophe typed as a left mark: '90s) it
// takes its sign for standing alone, if it has one; else its plain sign.
void LeaveOpen(const Table& t, const uint8_t* s, const OpenMark& m,
               std::pmr::vector<uint8_t>& roles) {
    const QuoteMark& q = t.quoteMarks[s[m.pos]];
    if (m.afterPunct && q.closes && !m.afterDigit)
        roles[m.pos] = kQuoteClose;
    else
        roles[m.pos] =
            q.unpaired.len && (m.afterDigit || m.beforeWord) ? kQuoteUnpaired : kQuotePlain;
}

} // namespace

void PairQuotes(const Table& t, const uint8_t* s, size_t len, std::pmr::vector<uint8_t>& roles) {
    roles.assign(len, kQuotePlain);
    OpenMark stack[kMaxDepth];
    size_t depth = 0;
    for (size_t i = 0; i < len; ++i) {
        uint8_t c = s[i];
        if (!(t.flags[c] & kQuoteMark))
            continue;
        const QuoteMark& m = t.quoteMarks[c];
        uint8_t next = i + 1 < len ? s[i + 1] : 0;
        bool opening = OpeningPlace(t, s, i, roles);
        uint32_t prev = i > 0 ? t.flags[s[i - 1]] : 0;
        bool afterWord = prev & (kLetter | kDigit);
        // A mark that may open does so where a word follows ("x "-" y"
        // closes); an apostrophe-like mark followed by a letter is an
        // apostrophe.
        bool nextInWord = t.flags[next] & (kLetter | kDigit);
        bool wordFollows =
            nextInWord || ((t.flags[next] & kLeading) && !(t.flags[next] & kTrailing));
        bool mayClose = m.closes && !(m.opens && opening && wordFollows) &&
                        !((t.flags[c] & kJoiner) && nextInWord);
        size_t match = depth;
        if (mayClose)
            for (size_t d = depth; d-- > 0 && match == depth;)
                if (stack[d].kind == m.kind)
                    match = d;
        if (match < depth) {
            for (size_t d = depth; --d > match;)
                LeaveOpen(t, s, stack[d], roles);
            uint8_t specific = match > 0 || stack[match].inWord ? kQuoteSpecific : 0;
            roles[stack[match].pos] = kQuoteOpen | specific;
            roles[i] = kQuoteClose | specific;
            depth = match;
        } else if (m.unpaired.len && (prev & kDigit)) {
            roles[i] = kQuoteUnpaired; // 12" x 8": inches, not quotation marks
        } else if (m.opens && depth < kMaxDepth && (opening || !(t.flags[c] & kJoiner))) {
            roles[i] = kQuoteOpen;
            bool afterPunct = !opening && !afterWord;
            stack[depth++] = {i, m.kind, afterWord, (prev & kDigit) != 0, afterPunct, nextInWord};
        }
    }
    while (depth > 0)
        LeaveOpen(t, s, stack[--depth], roles);
}

CellRun QuoteCells(const Table& t, uint8_t c, uint8_t role) {
    const QuoteMark& m = t.quoteMarks[c];
    const QuoteKind& k = t.quoteKinds[m.kind];
    bool specific = (role & kQuoteSpecific) || !t.ind.bNonspecific || k.bSpecific;
    switch (role & kQuoteRoleMask) {
    case kQuoteOpen:
        return specific ? k.open : t.ind.quoteOpen;
    case kQuoteClose:
        return specific ? k.close : t.ind.quoteClose;
    case kQuoteUnpaired:
        return m.unpaired;
    default:
        return t.chars[c];
    }
}

} // namespace tactr
