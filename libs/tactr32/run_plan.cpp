#include "run_plan.h"

#include <algorithm>

namespace tactr {
namespace {

uint8_t PositionOf(const RunShape& r, size_t k, size_t m) {
    bool atStart = k == 0 && !r.leftJoined;
    bool atEnd = m == r.n && !r.rightJoined;
    return atStart ? (atEnd ? kWord : kBegin) : (atEnd ? kEnd : kMiddle);
}

uint32_t Child(const Table& t, uint32_t node, uint8_t c) {
    const TrieNode& nd = t.nodes[node];
    for (uint32_t e = 0; e < nd.edgeCount; ++e) {
        const TrieEdge& edge = t.edges[nd.firstEdge + e];
        if (edge.ch == c)
            return edge.node;
    }
    return 0;
}

} // namespace

void PlanRun(const Table& t, const RunShape& r, bool contract, RunPlan& plan) {
    plan.nCells = 0;
    for (size_t k = 0; k < r.n; k += plan.len[k]) {
        plan.len[k] = 1;
        plan.rule[k] = nullptr;
        uint32_t node = contract ? t.rootChild[r.low[k]] : 0;
        for (size_t m = k + 1; node != 0 && r.seg[m - 1] == r.seg[k]; ++m) {
            const TrieNode& nd = t.nodes[node];
            uint8_t pos = PositionOf(r, k, m);
            for (uint32_t i = 0; i < nd.ruleCount; ++i) {
                const Rule& rule = t.rules[nd.firstRule + i];
                if (rule.positions & pos) {
                    plan.len[k] = static_cast<uint16_t>(m - k);
                    plan.rule[k] = &rule;
                    break;
                }
            }
            if (m == r.n)
                break;
            node = Child(t, node, r.low[m]);
        }
        plan.nCells += plan.rule[k] ? plan.rule[k]->cells.len : t.chars[r.source[k]].len;
    }
}

bool PlanLooksLikeWordSign(const Table& t, const RunShape& r, const RunPlan& plan) {
    if (r.leftJoined || r.rightJoined || t.wordSigns.empty())
        return false;
    if (plan.nCells > t.nMaxWordCells || r.n > 255)
        return false;
    char cells[256];
    size_t used = 0;
    for (size_t k = 0; k < r.n; k += plan.len[k]) {
        CellRun run = plan.rule[k] ? plan.rule[k]->cells : t.chars[r.source[k]];
        for (uint16_t i = 0; i < run.len; ++i)
            cells[used++] = static_cast<char>(t.cells[run.off + i]);
    }
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
