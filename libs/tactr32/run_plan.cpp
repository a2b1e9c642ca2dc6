#include "run_plan.h"

#include <algorithm>
#include <string_view>

namespace tactr {
namespace {

// Where the letters [k, m) stand in their word: parts end at cuts; the
// start of a part that continues a word is kAfter.
uint8_t PositionOf(const RunShape& r, size_t k, size_t m) {
    bool letterBefore = k > 0 && r.cut[k] != kPartCut;
    bool letterAfter = m < r.n && r.cut[m] != kPartCut;
    if (letterBefore)
        return letterAfter ? kMiddle : kEnd;
    if (k > 0 || !r.wordStart)
        return kAfter;
    if (letterAfter)
        return kBegin;
    return m == r.n && r.wordEnd && !r.noWordSigns ? kWord : kOther;
}

bool OneLetter(const Table& t, char pattern, uint8_t c) {
    if (pattern >= 'A' && pattern <= 'Z')
        return (t.letterClass[c] >> (pattern - 'A')) & 1;
    return static_cast<uint8_t>(pattern) == c;
}

// A context pattern against the letters after a contraction; without a
// final '$' it need only match their beginning. '*' is any letters.
bool Matches(const Table& t, std::string_view p, const uint8_t* s, size_t n) {
    bool anchored = !p.empty() && p.back() == '$';
    if (anchored)
        p.remove_suffix(1);
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t i = 0, j = 0, star = kNone, mark = 0;
    for (;;) {
        if (i == p.size() && (!anchored || j == n))
            return true;
        if (i < p.size() && p[i] == '*') {
            star = i++;
            mark = j;
            continue;
        }
        if (i < p.size() && j < n && OneLetter(t, p[i], s[j])) {
            ++i;
            ++j;
            continue;
        }
        if (star == kNone || mark >= n)
            return false;
        i = star + 1;
        j = ++mark;
    }
}

bool ContextHolds(const Table& t, const Rule& rule, const RunShape& r, size_t m) {
    return rule.context == 0 || ContextMatches(t, rule.context, r.low + m, r.n - m);
}

// Between choices of as many cells: fewer yielding signs, then more
// preferred ones; the caller gives ties to the longer sign.
bool NoWorse(const PlanScore& a, const PlanScore& b) {
    if (a.cells != b.cells)
        return a.cells < b.cells;
    if (a.yields != b.yields)
        return a.yields < b.yields;
    return a.preferred >= b.preferred;
}

PlanScore StepScore(const RunPlan& plan, const Rule& rule, size_t m) {
    const PlanScore& rest = plan.score[m];
    return {rule.cells.len + rest.cells,
            static_cast<uint16_t>(((rule.flags & kRuleYields) != 0) + rest.yields),
            static_cast<uint16_t>(((rule.flags & kRulePreferred) != 0) + rest.preferred)};
}

} // namespace

bool ContextMatches(const Table& t, uint16_t context, const uint8_t* after, size_t n) {
    if (context == 0)
        return true;
    const RuleContext& c = t.contexts[context];
    bool next = c.next.empty();
    for (const std::string& p : c.next)
        next = next || Matches(t, p, after, n);
    if (!next)
        return false;
    for (const std::string& p : c.notNext)
        if (Matches(t, p, after, n))
            return false;
    return true;
}

void MarkBoundaries(const Table& t, const uint8_t* low, size_t n, uint8_t* cut) {
    const LetterTrie& trie = t.boundaryTrie;
    if (trie.nodes.size() < 2 || n < t.nMinBoundary)
        return;
    for (size_t k = 0; k < n; ++k) {
        uint32_t bit =
            LetterTripleBit(low[k], k + 1 < n ? low[k + 1] : 0, k + 2 < n ? low[k + 2] : 0);
        if (!((t.boundaryStarts[bit / 64] >> (bit % 64)) & 1))
            continue;
        uint32_t node = trie.Child(0, low[k]);
        for (size_t m = k + 1; node != 0; ++m) {
            const TrieNode& nd = trie.nodes[node];
            for (uint32_t i = 0; i < nd.ruleCount; ++i) {
                const Boundary& b = t.boundaries[nd.firstRule + i];
                if ((b.atStart && k != 0) || (b.atEnd && m != n))
                    continue;
                for (size_t p = 0; p <= b.letters.size(); ++p)
                    if ((b.cuts >> p) & 1 && k + p > 0 && k + p < n && cut[k + p] == kNoCut)
                        cut[k + p] = kBoundaryCut;
            }
            if (m == n)
                break;
            node = trie.Child(node, low[m]);
        }
    }
}

void PlanRun(const Table& t, const RunShape& r, bool contract, RunPlan& plan) {
    plan.score[r.n] = {0, 0, 0};
    for (size_t k = r.n; k-- > 0;) {
        uint16_t bestLen = 1;
        const Rule* best = nullptr;
        PlanScore bestScore = plan.score[k + 1];
        bestScore.cells += t.chars[r.source[k]].len;
        if (r.forced && k == r.forcedAt && k + r.forcedLen <= r.n) {
            best = r.forced;
            bestLen = static_cast<uint16_t>(r.forcedLen);
            bestScore = StepScore(plan, *best, k + bestLen);
        } else if (contract) {
            const LetterTrie& trie = t.contractions;
            uint32_t node = trie.Child(0, r.low[k]);
            for (size_t m = k + 1; node != 0; ++m) {
                const TrieNode& nd = trie.nodes[node];
                uint8_t pos = PositionOf(r, k, m);
                for (uint32_t i = 0; i < nd.ruleCount; ++i) {
                    const Rule& rule = t.rules[nd.firstRule + i];
                    if (!(rule.positions & pos) || !ContextHolds(t, rule, r, m))
                        continue;
                    // Ties go to the longer sign: m only grows.
                    PlanScore score = StepScore(plan, rule, m);
                    if (NoWorse(score, bestScore)) {
                        bestScore = score;
                        best = &rule;
                        bestLen = static_cast<uint16_t>(m - k);
                    }
                }
                if (m == r.n || r.cut[m])
                    break;
                node = trie.Child(node, r.low[m]);
            }
        }
        plan.len[k] = bestLen;
        plan.rule[k] = best;
        plan.score[k] = bestScore;
    }
    plan.nCells = plan.score[0].cells;
}

bool PlanLooksLikeWordSign(const Table& t, const RunShape& r, const RunPlan& plan) {
    if (!r.wordStart || !r.wordEnd || t.wordSigns.empty())
        return false;
    if (plan.nCells > t.nMaxWordCells || r.n > 255)
        return false;
    // A word written as its own wordsign reads as itself; the first two
    // cells of the plan rule out most other words at once.
    if (plan.len[0] == r.n && plan.rule[0] && plan.rule[0]->positions == kWord)
        return false;
    CellRun first = plan.rule[0] ? plan.rule[0]->cells : t.chars[r.source[0]];
    if (first.len == 0)
        return false;
    uint8_t c0 = t.cells[first.off], c1 = 0;
    if (first.len > 1) {
        c1 = t.cells[first.off + 1];
    } else if (plan.len[0] < r.n) {
        size_t k = plan.len[0];
        CellRun second = plan.rule[k] ? plan.rule[k]->cells : t.chars[r.source[k]];
        c1 = second.len ? t.cells[second.off] : 0;
    }
    uint32_t bit = WordSignBit(plan.nCells, c0, c1);
    if (!((t.wordSignStarts[bit / 64] >> (bit % 64)) & 1))
        return false;
    char cells[256 * 4];
    size_t used = 0;
    for (size_t k = 0; k < r.n; k += plan.len[k]) {
        CellRun run = plan.rule[k] ? plan.rule[k]->cells : t.chars[r.source[k]];
        for (uint16_t i = 0; i < run.len && used < sizeof cells; ++i)
            cells[used++] = static_cast<char>(t.cells[run.off + i]);
    }
    if (!std::binary_search(t.wordSignHashes.begin(), t.wordSignHashes.end(),
                            HashBytes(cells, used)))
        return false;
    char word[256];
    for (size_t k = 0; k < r.n; ++k)
        word[k] = static_cast<char>(r.low[k]);
    std::string_view key(cells, used), self(word, r.n);
    auto it = std::lower_bound(t.wordSigns.begin(), t.wordSigns.end(), key,
                               [](const WordSign& w, std::string_view k) { return w.cells < k; });
    for (; it != t.wordSigns.end() && it->cells == key; ++it)
        if (it->text != self)
            return true;
    return false;
}

} // namespace tactr
