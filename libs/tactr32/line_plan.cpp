#include "line_plan.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "quote_marks.h"

namespace tactr {
namespace {

// Dots 1 and 4, the top row of a cell.
constexpr uint8_t kUpperDots = 1 | 8;
// Grade 1 symbol indicators in a sequence that may give way to the word
// indicator ("p-p-please" keeps two).
constexpr size_t kWordIndicatorNeeds = 3;

bool AllLowerCells(const Table& t, CellRun r) {
    for (uint16_t k = 0; k < r.len; ++k)
        if (t.cells[r.off + k] & kUpperDots)
            return false;
    return r.len > 0;
}

bool AnyUpperCell(const Table& t, CellRun r) {
    for (uint16_t k = 0; k < r.len; ++k)
        if (t.cells[r.off + k] & kUpperDots)
            return true;
    return false;
}

bool SameCells(const Table& t, CellRun a, CellRun b) {
    return a.len == b.len && std::memcmp(&t.cells[a.off], &t.cells[b.off], a.len) == 0;
}

} // namespace

const Sequence* SequenceAt(const Table& t, const uint8_t* s, size_t i, size_t end) {
    std::string_view rest(reinterpret_cast<const char*>(s) + i, end - i);
    for (const tactr::Sequence& q : t.sequences)
        if (rest.starts_with(q.text))
            return &q;
    return nullptr;
}

void LinePlanner::Plan(const uint8_t* s, size_t b, size_t e, const QuoteRoles& quoteRoles,
                       LinePlan& plan) {
    s_ = s;
    roles_ = &quoteRoles;
    plan_ = &plan;
    plan.sequences.clear();
    plan.runs.clear();
    plan.steps.clear();
    plan.needs.clear();
    // Room for the usual case up front: the arena makes that cheap.
    plan.sequences.reserve((e - b) / 2 + 1);
    plan.runs.reserve((e - b) / 2 + 1);
    plan.steps.reserve(e - b);
    for (size_t p = b; p < e;) {
        if (Is(s[p], kSpace)) {
            ++p;
            continue;
        }
        // A sign of several characters may hold a blank (German "\xA7 "): it
        // stays inside its sequence.
        size_t q = p;
        while (q < e && !Is(s[q], kSpace)) {
            const tactr::Sequence* seq = Is(s[q], kSeqStart) ? SequenceAt(t_, s, q, e) : nullptr;
            q += seq ? seq->text.size() : 1;
        }
        Sequence(p, q);
        p = q;
    }
    ChoosePassages();
}

void LinePlanner::Sequence(size_t b, size_t e) {
    SequenceInfo q;
    q.begin = b;
    q.end = e;
    q.firstRun = plan_->runs.size();
    q.firstNeed = plan_->needs.size();
    // A number also makes the letters right after it grade 1 ("4th",
    // "report3.doc"): they are spelled out.
    bool numeric = false;
    for (size_t i = b; i < e;) {
        uint8_t c = s_[i];
        if (const WordEntry* w = Is(c, kLetter) ? JoinedWordAt(i, q) : nullptr) {
            RunInfo r;
            r.start = i;
            r.n = w->key.size();
            r.entry = w;
            r.owner = &t_;
            r.contracted = true;
            plan_->runs.push_back(r);
            numeric = false;
            i += r.n;
            continue;
        }
        if (Is(c, kLetter)) {
            size_t j = i;
            while (j < e && j - i < kMaxRun && Is(s_[j], kLetter)) {
                q.smallLetters = q.smallLetters || !Is(s_[j], kUpper);
                ++j;
            }
            Run(i, j, q, numeric);
            numeric = false;
            i = j;
            continue;
        }
        if (Is(c, kDigit)) {
            numeric = true;
            ++i;
            continue;
        }
        if (const tactr::Sequence* seq = Is(c, kSeqStart) ? SequenceAt(t_, s_, i, e) : nullptr) {
            numeric = false;
            i += seq->text.size();
            continue;
        }
        if (!(numeric && Is(c, kNumSep)))
            numeric = false;
        Punctuation(i, q);
        ++i;
    }
    q.nRuns = plan_->runs.size() - q.firstRun;
    CheckLowerSigns(q);
    q.nNeeds = plan_->needs.size() - q.firstNeed;
    for (size_t k = 0; k < q.nRuns; ++k)
        q.spelled = q.spelled && !plan_->runs[q.firstRun + k].contracted;
    ChooseGrade1(q);
    plan_->sequences.push_back(q);
}

void LinePlanner::Run(size_t i, size_t j, const SequenceInfo& q, bool afterDigits) {
    RunInfo r;
    r.start = i;
    r.n = j - i;
    r.afterDigits = afterDigits;
    r.wordStart = StartsWord(i, q.begin);
    r.wordEnd = EndsWord(j, q.end);
    const uint8_t* src = s_ + i;
    size_t n = r.n;
    if (lookups_ && ((ex_ && ex_->nMaxWord >= n) || t_.nMaxWord >= n)) {
        char folded[kMaxRun];
        for (size_t k = 0; k < n; ++k)
            folded[k] = static_cast<char>(FoldCase(src[k]));
        std::string_view key(folded, n);
        r.owner = ex_;
        r.entry = ex_ ? FindWord(*ex_, key) : nullptr;
        if (!r.entry) {
            r.owner = &t_;
            r.entry = FindWord(t_, key);
        }
        if (r.entry) {
            r.contracted = true;
            plan_->runs.push_back(r);
            return;
        }
    }
    PlanLetters(r, false);
    if (r.letsign)
        plan_->needs.push_back(i);
    plan_->runs.push_back(r);
}

// Chooses the contractions of a run (again, when a lower wordsign has to
// go: noWordSigns) and stores its steps.
void LinePlanner::PlanLetters(RunInfo& r, bool noWordSigns) {
    const uint8_t* src = s_ + r.start;
    size_t n = r.n;
    r.hasCapital = false;
    for (size_t k = 0; k < n; ++k) {
        low_[k] = t_.lower[src[k]];
        r.hasCapital = r.hasCapital || low_[k] != src[k];
    }
    std::memset(cut_, kNoCut, n);
    if (r.hasCapital) {
        Segments(src, n, seg_, segKind_);
        for (size_t k = 1; k < n; ++k)
            cut_[k] = seg_[k] != seg_[k - 1] ? kPartCut : kNoCut;
    }
    bool contract = !r.afterDigits && t_.contractions.nodes.size() > 1;
    if (!contract) {
        // Letter by letter: nothing to plan, nothing that reads as a word.
        r.contracted = r.letsign = r.lowerSign = false;
        return;
    }
    RunShape shape{src, low_, cut_, n, r.wordStart, r.wordEnd, nullptr, 0, 0, noWordSigns};
    MarkBoundaries(t_, low_, n, cut_);
    shape.forced = ForcedShortform(src, n, shape.forcedAt, shape.forcedLen);
    // Nothing bridges a shortform kept whole; the letters around it still
    // belong to the word ("be" of "befriend").
    if (shape.forced) {
        if (shape.forcedAt > 0 && cut_[shape.forcedAt] == kNoCut)
            cut_[shape.forcedAt] = kBoundaryCut;
        if (shape.forcedAt + shape.forcedLen < n &&
            cut_[shape.forcedAt + shape.forcedLen] == kNoCut)
            cut_[shape.forcedAt + shape.forcedLen] = kBoundaryCut;
    }
    PlanRun(t_, shape, true, runPlan_);
    // A contracted word that reads as another word's sign is spelled out; a
    // spelled-out one that still does takes the grade 1 indicator.
    bool looksLike = PlanLooksLikeWordSign(t_, shape, runPlan_);
    if (looksLike) {
        shape.forced = nullptr;
        PlanRun(t_, shape, false, runPlan_);
        looksLike = PlanLooksLikeWordSign(t_, shape, runPlan_);
    }
    r.letsign = !r.afterDigits && looksLike;
    StoreSteps(r, shape);
}

// A word written with a joiner that stands alone here ("o'clock").
const WordEntry* LinePlanner::JoinedWordAt(size_t i, const SequenceInfo& q) const {
    for (const WordEntry& w : t_.joinedWords) {
        size_t n = w.key.size();
        if (i + n > q.end || (i + n < q.end && Is(s_[i + n], kLetter)) || !StartsWord(i, q.begin))
            continue;
        bool same = true;
        for (size_t k = 0; k < n && same; ++k) {
            uint8_t c = s_[i + k], want = static_cast<uint8_t>(w.key[k]);
            same = Is(want, kJoiner) ? Is(c, kJoiner) : t_.lower[c] == want && Is(c, kLetter);
        }
        if (same && EndsWord(i + n, q.end))
            return &w;
    }
    return nullptr;
}

// A shortform kept inside a longer word: listed words, and the start or end
// of a proper name.
const Rule* LinePlanner::ForcedShortform(const uint8_t* source, size_t n, size_t& at,
                                         size_t& len) const {
    std::string_view word(reinterpret_cast<const char*>(low_), n);
    if (const LongerWord* w = FindLongerWord(t_, word)) {
        at = w->at;
        len = w->len;
        return &t_.rules[w->rule];
    }
    if (!Is(source[0], kUpper))
        return nullptr;
    for (const LongerWord& p : t_.properShortforms) {
        size_t k = p.key.size();
        if (k >= n)
            continue;
        bool begins = word.starts_with(p.key) && ContextMatches(t_, p.context, low_ + k, n - k);
        if (begins || word.ends_with(p.key)) {
            at = begins ? 0 : n - k;
            len = k;
            return &t_.rules[p.rule];
        }
    }
    return nullptr;
}

// Steps are kept for contracted runs only: the others are written letter
// by letter.
void LinePlanner::StoreSteps(RunInfo& r, const RunShape& shape) {
    r.firstStep = plan_->steps.size();
    r.contracted = false;
    for (size_t k = 0; k < r.n && !r.contracted; k += runPlan_.len[k])
        r.contracted = runPlan_.rule[k];
    for (size_t k = 0; k < r.n && r.contracted; k += runPlan_.len[k])
        plan_->steps.push_back({runPlan_.len[k], runPlan_.rule[k]});
    const Rule* whole = runPlan_.len[0] == r.n ? runPlan_.rule[0] : nullptr;
    r.lowerSign = whole && (whole->positions & kWord) && shape.wordStart && shape.wordEnd &&
                  AllLowerCells(t_, whole->cells);
}

// Writes the letters of one step of a run one by one.
void LinePlanner::SpellStep(RunInfo& r, size_t step) {
    std::pmr::vector<Step>& steps = plan_->steps;
    size_t first = steps.size(), k = 0, i = 0;
    steps.reserve(first + r.n);
    r.contracted = false;
    for (; k < r.n; ++i) {
        Step st = steps[r.firstStep + i];
        if (i == step) {
            for (uint16_t m = 0; m < st.len; ++m)
                steps.push_back({1, nullptr});
        } else {
            steps.push_back(st);
            r.contracted = r.contracted || st.rule;
        }
        k += st.len;
    }
    r.firstStep = first;
}

// Punctuation that would read as something else takes the grade 1
// indicator: a groupsign-like cell between letters ("a:b") or before a
// word (".com"), or a cell like the opening quotation mark where a mark
// could open ("Wh-?").
void LinePlanner::Punctuation(size_t i, const SequenceInfo& q) {
    uint8_t c = s_[i];
    bool letterAfter = i + 1 < q.end && Is(s_[i + 1], kLetter);
    bool betweenLetters = i > q.begin && Is(s_[i - 1], kLetter) && letterAfter;
    bool beforeWord = letterAfter && StartsWord(i, q.begin);
    bool likeOpening = t_.ind.bNonspecific && Is(c, kPunct) && !Is(c, kQuoteMark) &&
                       SameCells(t_, t_.chars[c], t_.ind.quoteOpen) &&
                       (i == q.begin || Is(s_[i - 1], kDivider));
    if ((Is(c, kGroupsignLike) && betweenLetters) || (Is(c, kBeginGroupsignLike) && beforeWord) ||
        likeOpening)
        plan_->needs.push_back(i);
}

// The left side of standing alone: only leading punctuation between the run
// and a blank, the start of the line, a hyphen or a dash.
bool LinePlanner::StartsWord(size_t i, size_t b) const {
    size_t p = i;
    while (p > b && Is(s_[p - 1], kLeading) && !Is(s_[p - 1], kLetter | kDigit))
        --p;
    return p == b || Is(s_[p - 1], kDivider);
}

// The right side: trailing punctuation, and an apostrophe with one of the
// table's endings ("can't", "you'll").
bool LinePlanner::EndsWord(size_t j, size_t e) const {
    size_t p = j;
    if (p < e && Is(s_[p], kJoiner)) {
        for (const std::string& ending : t_.apostropheEndings) {
            size_t stop = p + 1 + ending.size();
            if (stop > e || (stop < e && Is(s_[stop], kLetter)))
                continue;
            bool same = true;
            for (size_t k = 0; k < ending.size() && same; ++k)
                same = t_.lower[s_[p + 1 + k]] == static_cast<uint8_t>(ending[k]);
            if (same) {
                p = stop;
                break;
            }
        }
    }
    while (p < e && Is(s_[p], kTrailing) && !Is(s_[p], kLetter | kDigit))
        ++p;
    return p == e || Is(s_[p], kDivider);
}

// A lower wordsign (be, his, in, was...) is spelled out where it touches a
// quotation mark or follows a hyphen after a word; and no sequence is left
// of nothing but lower cells, which a reader cannot place.
void LinePlanner::CheckLowerSigns(SequenceInfo& q) {
    const QuoteRoles& roles = *roles_;
    for (size_t k = 0; k < q.nRuns; ++k) {
        RunInfo& r = plan_->runs[q.firstRun + k];
        if (!r.lowerSign)
            continue;
        size_t before = r.start, after = r.start + r.n;
        bool touches = false;
        if (before > q.begin) {
            uint8_t p = s_[before - 1];
            touches = (Is(p, kQuoteMark) && !roles.empty() &&
                       (roles[before - 1] & kQuoteRoleMask) == kQuoteOpen) ||
                      (Is(p, kDivider) && before - 1 > q.begin && Is(s_[before - 2], kLetter));
        }
        if (after < q.end && Is(s_[after], kQuoteMark) && !roles.empty() &&
            (roles[after] & kQuoteRoleMask) == kQuoteClose)
            touches = true;
        if (touches)
            PlanLetters(r, true);
    }
    bool alone = q.nRuns == 1 && plan_->runs[q.firstRun].start == q.begin &&
                 plan_->runs[q.firstRun].n == q.end - q.begin;
    if (!alone && !HasUpperCell(q))
        SpellLastLowerSign(q);
}

// The last contraction of lower cells gives way: a lower wordsign is
// written as the word's other contractions, a groupsign as its letters.
bool LinePlanner::SpellLastLowerSign(SequenceInfo& q) {
    for (size_t k = q.nRuns; k-- > 0;) {
        RunInfo& r = plan_->runs[q.firstRun + k];
        if (r.entry || !r.contracted)
            continue;
        if (r.lowerSign) {
            PlanLetters(r, true);
            return true;
        }
        size_t last = kNoPlace, i = 0;
        for (size_t m = 0; m < r.n; m += plan_->steps[r.firstStep + i].len, ++i) {
            const Rule* rule = plan_->steps[r.firstStep + i].rule;
            if (rule && AllLowerCells(t_, rule->cells))
                last = i;
        }
        if (last != kNoPlace) {
            SpellStep(r, last);
            return true;
        }
    }
    return false;
}

bool LinePlanner::HasUpperCell(const SequenceInfo& q) const {
    for (size_t k = 0; k < q.nRuns; ++k) {
        const RunInfo& r = plan_->runs[q.firstRun + k];
        if (r.entry)
            return true;
        const Step* step = r.contracted ? &plan_->steps[r.firstStep] : nullptr;
        for (size_t m = 0; m < r.n; m += step ? (step++)->len : 1) {
            CellRun cells = step && step->rule ? step->rule->cells : t_.chars[s_[r.start + m]];
            if (AnyUpperCell(t_, cells))
                return true;
        }
    }
    for (size_t i = q.begin; i < q.end; ++i) {
        uint8_t c = s_[i];
        if (Is(c, kDigit))
            return true; // the numeric indicator
        if (Is(c, kLetter))
            continue;
        uint8_t role = roles_->empty() ? 0 : (*roles_)[i];
        CellRun cells = Is(c, kQuoteMark) && role ? QuoteCells(t_, c, role) : t_.chars[c];
        if (AnyUpperCell(t_, cells))
            return true;
    }
    return false;
}

// Three or more grade 1 symbol indicators in a sequence may give way to one
// grade 1 word indicator, set as early as the spelled-out letters allow and
// ended where a contracted word follows, whichever takes fewer cells.
void LinePlanner::ChooseGrade1(SequenceInfo& q) {
    const Indicators& in = t_.ind;
    if (q.nNeeds < kWordIndicatorNeeds || in.letword.len == 0)
        return;
    size_t first = plan_->needs[q.firstNeed];
    size_t at = first;
    for (size_t k = q.nRuns; k-- > 0;) {
        const RunInfo& r = plan_->runs[q.firstRun + k];
        if (r.start > first)
            continue;
        if (r.contracted)
            break;
        at = r.start;
    }
    size_t term = kNoPlace;
    for (size_t k = 0; k < q.nRuns && term == kNoPlace; ++k) {
        const RunInfo& r = plan_->runs[q.firstRun + k];
        if (r.start > at && r.contracted)
            term = r.start;
    }
    size_t later = 0;
    for (size_t k = 0; k < q.nNeeds; ++k)
        later += plan_->needs[q.firstNeed + k] >= term && term != kNoPlace;
    size_t cost = in.letword.len + (term != kNoPlace ? in.letterm.len : 0) + later * in.letsign.len;
    if (cost <= q.nNeeds * in.letsign.len) {
        q.wordAt = at;
        q.termAt = term;
    }
}

size_t LinePlanner::SymbolCost(const SequenceInfo& q) const {
    if (q.wordAt == kNoPlace)
        return q.nNeeds * t_.ind.letsign.len;
    return t_.ind.letword.len; // a spelled sequence needs no terminator
}

// Three or more sequences in a row that each need the grade 1 indicator and
// lose no contraction to it make a grade 1 passage, when that is shorter.
void LinePlanner::ChoosePassages() {
    const Indicators& in = t_.ind;
    std::pmr::vector<SequenceInfo>& seqs = plan_->sequences;
    if (in.letpassage.len == 0)
        return;
    auto candidate = [](const SequenceInfo& q) { return q.nNeeds > 0 && q.spelled; };
    for (size_t i = 0; i < seqs.size();) {
        if (!candidate(seqs[i])) {
            ++i;
            continue;
        }
        size_t j = i, cost = 0;
        for (; j < seqs.size() && candidate(seqs[j]); ++j)
            cost += SymbolCost(seqs[j]);
        if (j - i >= 3 && in.letpassage.len + in.letterm.len <= cost) {
            for (size_t k = i; k < j; ++k)
                seqs[k].passage = true;
            seqs[i].passageStart = true;
            seqs[j - 1].passageEnd = true;
        }
        i = j;
    }
}

// Splits a run by case: a string of two or more capitals is a capitalised
// word; a single capital starts a segment with the small letters after it.
void LinePlanner::Segments(const uint8_t* run, size_t n, uint8_t* seg, uint8_t* segKind) const {
    uint8_t id = 0;
    size_t k = 0;
    while (k < n) {
        size_t e = k;
        SegKind kind = kSegLower;
        if (Is(run[k], kUpper)) {
            while (e < n && Is(run[e], kUpper))
                ++e;
            if (e - k >= 2 || (t_.nCapWordMin == 1 && e == n)) {
                kind = kSegCapWord;
            } else {
                kind = kSegCapital;
                while (e < n && !Is(run[e], kUpper))
                    ++e;
            }
        } else {
            while (e < n && !Is(run[e], kUpper))
                ++e;
        }
        for (size_t m = k; m < e; ++m) {
            seg[m] = id;
            segKind[m] = kind;
        }
        ++id;
        k = e;
    }
}

} // namespace tactr
