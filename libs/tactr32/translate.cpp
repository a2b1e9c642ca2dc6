#include "translate.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory_resource>

#include "braille_writer.h"
#include "line_plan.h"
#include "quote_marks.h"

namespace tactr {
namespace {

// Consecutive all-capital words that make a capitalised passage.
constexpr int kPassageWords = 3;
constexpr size_t kNone = static_cast<size_t>(-1);

class Engine {
  public:
    // lookups = false translates a replacement: its words are not looked up
    // again, so no pair of replace entries can make translation recurse.
    Engine(const Table& t, const Table* ex, BrailleWriter& w, std::pmr::memory_resource* arena,
           bool lookups = true)
        : t_(t), w_(w), arena_(arena), planner_(t, ex, lookups), plan_(arena), roles_(arena) {}

    void Text(const uint8_t* s, size_t len);

  private:
    bool Is(uint8_t c, uint32_t flag) const { return (t_.flags[c] & flag) != 0; }
    bool Emit(CellRun r) { return r.len == 0 || w_.Cells(t_, r); }
    void Line(size_t b, size_t e);
    void Space(size_t i, size_t e);
    bool DigitsFollow(size_t p, size_t e) const;
    bool DigitAhead(size_t p) const;
    void Sequence(const SequenceInfo& q, bool leadWritten);
    void Other(size_t i, bool need, bool grade1);
    void Letters(const RunInfo& r, bool need, bool grade1);
    void Word(const RunInfo& r);
    bool SameAsDigit(uint8_t letter) const;
    bool AllUpper(const uint8_t* run, size_t n) const;
    void WordCapital(const uint8_t* run, size_t n);
    bool IsBreak(uint8_t c) const;
    static bool IsPrintable(uint8_t c);
    bool IsAddress(size_t i) const;
    bool OpensQuote(size_t i) const;
    void StartPassage(size_t i);
    void EndPassage();

    const Table& t_;
    BrailleWriter& w_;
    std::pmr::memory_resource* arena_;
    LinePlanner planner_;
    LinePlan plan_;
    QuoteRoles roles_; // of the quotation marks
    const uint8_t* s_ = nullptr;
    size_t len_ = 0;
    bool numeric_ = false;
    size_t passageEnd_ = kNone;
    size_t noPassageUntil_ = 0;
    uint8_t seg_[kMaxRun];
    uint8_t segKind_[kMaxRun];
};

void Engine::Text(const uint8_t* s, size_t len) {
    s_ = s;
    len_ = len;
    bool marks = false;
    for (size_t i = 0; i < len && !marks && !t_.quoteKinds.empty(); ++i)
        marks = Is(s[i], kQuoteMark);
    if (marks)
        PairQuotes(t_, s, len, roles_);
    // The next CR and LF, found with memchr and kept until passed.
    const void* cr = std::memchr(s, '\r', len);
    const void* lf = std::memchr(s, '\n', len);
    size_t i = 0;
    while (i < len_ && !w_.Full()) {
        if (s_[i] == '\r' || s_[i] == '\n') {
            if (i == passageEnd_)
                EndPassage();
            w_.LineEnd(static_cast<char>(s_[i]));
            numeric_ = false;
            ++i;
            continue;
        }
        if (cr && static_cast<const uint8_t*>(cr) < s + i)
            cr = std::memchr(s + i, '\r', len - i);
        if (lf && static_cast<const uint8_t*>(lf) < s + i)
            lf = std::memchr(s + i, '\n', len - i);
        size_t e = std::min(cr ? static_cast<const uint8_t*>(cr) - s : len,
                            lf ? static_cast<const uint8_t*>(lf) - s : len);
        Line(i, e);
        i = e;
    }
    if (passageEnd_ != kNone && !w_.Full())
        EndPassage();
}

void Engine::Line(size_t b, size_t e) {
    planner_.Plan(s_, b, e, roles_, plan_);
    size_t next = 0;
    for (size_t i = b; i < e && !w_.Full();) {
        if (i == passageEnd_)
            EndPassage();
        if (Is(s_[i], kSpace)) {
            Space(i, e);
            ++i;
            continue;
        }
        const SequenceInfo& q = plan_.sequences[next++];
        // Grade 1 indicators come before capital ones.
        bool leadWord = q.wordAt == i && !q.passage;
        bool leadSign = !leadWord && !q.passage && q.nNeeds && plan_.needs[q.firstNeed] == i;
        Emit(q.passageStart ? t_.ind.letpassage
             : leadWord     ? t_.ind.letword
             : leadSign     ? t_.ind.letsign
                            : CellRun{});
        if (t_.ind.cappassage.len && passageEnd_ == kNone && i >= noPassageUntil_ &&
            !q.smallLetters)
            StartPassage(i);
        if (!t_.urlMarks.empty() && IsAddress(i))
            Emit(t_.ind.urlsign);
        Sequence(q, leadWord || leadSign);
        if (q.passageEnd)
            Emit(t_.ind.letterm);
        i = q.end;
    }
}

// A blank between two groups of digits keeps the number going as the
// numeric space; one before a sign written against the number is dropped.
void Engine::Space(size_t i, size_t e) {
    uint8_t c = s_[i], next = i + 1 < e ? s_[i + 1] : 0;
    if (numeric_ && t_.ind.bNumSpace && i > 0 && Is(s_[i - 1], kDigit) && DigitsFollow(i + 1, e)) {
        Emit(t_.ind.numspace);
        return;
    }
    if (numeric_ && Is(next, kNumSuffix))
        return; // "20 %" is written as one number
    if (i > 0 && Is(s_[i - 1], kNumLead) && Is(next, kDigit))
        return; // and "€ 5" too
    numeric_ = false;
    if (t_.chars[c].len == 1 && t_.cells[t_.chars[c].off] == 0)
        w_.Blank();
    else
        Emit(t_.chars[c]);
}

// Digits (with their separators) up to the next blank, closing punctuation
// allowed at the end: "3 245 000." but not "7 8s".
bool Engine::DigitsFollow(size_t p, size_t e) const {
    if (p >= e || !Is(s_[p], kDigit))
        return false;
    size_t q = p;
    while (q < e &&
           (Is(s_[q], kDigit) || (Is(s_[q], kNumSep) && q + 1 < e && Is(s_[q + 1], kDigit))))
        ++q;
    while (q < e && Is(s_[q], kTrailing) && !Is(s_[q], kLeading))
        ++q;
    return q == e || Is(s_[q], kSpace);
}

// A digit at p, or after further separators: a separator inside a number
// takes its own form there ("1-(-4)" in French).
bool Engine::DigitAhead(size_t p) const {
    while (p < len_ && Is(s_[p], kNumSep))
        ++p;
    return p < len_ && Is(s_[p], kDigit);
}

// leadWritten: the grade 1 indicator at the start is already written.
void Engine::Sequence(const SequenceInfo& q, bool leadWritten) {
    bool grade1 = q.passage;
    size_t run = q.firstRun, need = q.firstNeed, needEnd = q.firstNeed + q.nNeeds;
    for (size_t i = q.begin; i < q.end && !w_.Full();) {
        if (i == q.wordAt && !q.passage) {
            if (!(leadWritten && i == q.begin))
                Emit(t_.ind.letword);
            grade1 = true;
        }
        if (i == q.termAt && !q.passage) {
            Emit(t_.ind.letterm);
            grade1 = false;
        }
        bool needHere = need < needEnd && plan_.needs[need] == i;
        need += needHere;
        needHere = needHere && !(leadWritten && i == q.begin);
        uint8_t c = s_[i];
        if (Is(c, kLetter)) {
            const RunInfo& r = plan_.runs[run++];
            Letters(r, needHere, grade1);
            numeric_ = false;
            i += r.n;
        } else if (Is(c, kDigit)) {
            if (!numeric_)
                Emit(t_.ind.numeric);
            numeric_ = true;
            Emit(t_.chars[c]);
            ++i;
        } else if (!numeric_ && Is(c, kNumPrefix) && i + 1 < q.end && Is(s_[i + 1], kDigit) &&
                   (i == q.begin || !Is(s_[i - 1], kLetter))) {
            // The number begins with the sign: "+33", ".5". After a letter
            // the sign belongs to the word ("A-1" keeps its hyphen, "No.5").
            if (t_.numStart[c].len == 0 && Is(c, kNumPoint))
                Emit(t_.ind.numeric);
            Emit(t_.numStart[c].len ? t_.numStart[c] : t_.chars[c]);
            numeric_ = true;
            ++i;
        } else if (const tactr::Sequence* seq =
                       Is(c, kSeqStart) ? SequenceAt(t_, s_, i, q.end) : nullptr) {
            Emit(seq->cells);
            numeric_ = false;
            i += seq->text.size();
        } else {
            Other(i, needHere, grade1);
            ++i;
        }
    }
}

// Punctuation, signs and characters the table does not define.
void Engine::Other(size_t i, bool need, bool grade1) {
    uint8_t c = s_[i];
    if (need && !grade1)
        Emit(t_.ind.letsign);
    // A separator keeps the number going: "3.5", and "3.d" takes the
    // letter sign as "3d" does.
    bool inNumber = numeric_ && Is(c, kNumSep);
    if (!inNumber)
        numeric_ = false;
    uint8_t role = roles_.empty() ? 0 : roles_[i];
    if (inNumber && t_.numInside[c].len && DigitAhead(i + 1))
        Emit(t_.numInside[c]);
    else if (Is(c, kQuoteMark) && role)
        Emit(QuoteCells(t_, c, role));
    else if (t_.chars[c].len == 0)
        Emit(t_.ind.bUndefined && IsPrintable(c) ? t_.ind.undefined : CellRun{});
    else if (Is(c, kQuote) && !OpensQuote(i))
        Emit(t_.closing[c]);
    else
        Emit(t_.chars[c]);
}

bool Engine::SameAsDigit(uint8_t letter) const {
    CellRun l = t_.chars[letter];
    for (int d = '0'; d <= '9'; ++d) {
        CellRun r = t_.chars[d];
        if (r.len == l.len && r.len > 0 &&
            std::memcmp(&t_.cells[r.off], &t_.cells[l.off], r.len) == 0)
            return true;
    }
    return false;
}

void Engine::Letters(const RunInfo& r, bool need, bool grade1) {
    if (r.entry) {
        Word(r);
        return;
    }
    const uint8_t* run = s_ + r.start;
    size_t n = r.n;
    bool inPassage = passageEnd_ != kNone;
    // After a number a letter a-j would read as a digit, unless a capital
    // indicator stands between.
    bool digitLike =
        r.afterDigits && SameAsDigit(t_.lower[run[0]]) && (!Is(run[0], kUpper) || inPassage);
    if ((need && !grade1) || digitLike)
        Emit(t_.ind.letsign);
    // In grade 1 the letters are written one by one, not by the plan.
    const Step* step = grade1 || !r.contracted ? nullptr : &plan_.steps[r.firstStep];
    if (!r.hasCapital || inPassage) {
        for (size_t k = 0; k < n; k += step ? (step++)->len : 1)
            Emit(step && step->rule ? step->rule->cells : t_.chars[run[k]]);
        return;
    }
    planner_.Segments(run, n, seg_, segKind_);
    for (size_t k = 0; k < n && !w_.Full();) {
        size_t len = step ? step->len : 1;
        const Rule* rule = step ? step->rule : nullptr;
        if (step)
            ++step;
        bool segStart = k == 0 || seg_[k] != seg_[k - 1];
        if (segStart && segKind_[k] == kSegCapWord)
            Emit(t_.ind.capword);
        else if (segStart && segKind_[k] == kSegCapital)
            Emit(t_.ind.capital);
        if (rule)
            Emit(rule->cells);
        else if (segStart && segKind_[k] == kSegCapital && t_.capitalForm[run[k]].len)
            Emit(t_.capitalForm[run[k]]);
        else
            Emit(t_.chars[run[k]]);
        size_t next = k + len;
        if (next < n && segKind_[next - 1] == kSegCapWord && seg_[next] != seg_[next - 1])
            Emit(t_.ind.capterm);
        k = next;
    }
}

// A word of the exception list, or a replace entry.
void Engine::Word(const RunInfo& r) {
    if (r.entry->bReplace) {
        // A replacement brings its own capitals.
        Engine inner(t_, nullptr, w_, arena_, false);
        inner.Text(reinterpret_cast<const uint8_t*>(r.entry->replacement.data()),
                   r.entry->replacement.size());
        return;
    }
    WordCapital(s_ + r.start, r.n);
    // The cells live in the pool of the table that holds the word.
    w_.Cells(*r.owner, r.entry->cells);
}

bool Engine::AllUpper(const uint8_t* run, size_t n) const {
    for (size_t k = 0; k < n; ++k)
        if (!Is(run[k], kUpper))
            return false;
    return true;
}

// Capital indicator of a word translated as a whole (exceptions).
void Engine::WordCapital(const uint8_t* run, size_t n) {
    if (passageEnd_ != kNone || n == 0 || !Is(run[0], kUpper))
        return;
    if ((n >= 2 || t_.nCapWordMin == 1) && AllUpper(run, n))
        Emit(t_.ind.capword);
    else
        Emit(t_.ind.capital);
}

// A word holding one of the table's address marks ("@", "www.").
bool Engine::IsAddress(size_t i) const {
    size_t end = i;
    while (end < len_ && !IsBreak(s_[end]))
        ++end;
    std::string_view word(reinterpret_cast<const char*>(s_) + i, end - i);
    for (const std::string& mark : t_.urlMarks)
        if (word.find(mark) != std::string_view::npos)
            return true;
    return false;
}

// A quotation mark opens at the start, after a blank or after an opening
// bracket, and closes everywhere else.
bool Engine::OpensQuote(size_t i) const {
    if (i == 0 || IsBreak(s_[i - 1]))
        return true;
    uint8_t prev = s_[i - 1];
    return prev == '(' || prev == '[' || prev == '{';
}

// Control codes and the bytes Windows-1252 leaves unassigned are not text:
// no fallback sign is written for them.
bool Engine::IsPrintable(uint8_t c) {
    return c >= 0x20 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

bool Engine::IsBreak(uint8_t c) const {
    return c == '\r' || c == '\n' || Is(c, kSpace);
}

// A passage is three or more words of capitals on one line; words without
// letters (numbers) neither count nor break it.
void Engine::StartPassage(size_t i) {
    int count = 0;
    size_t lastEnd = kNone;
    while (i < len_ && s_[i] != '\r' && s_[i] != '\n') {
        if (Is(s_[i], kSpace)) {
            ++i;
            continue;
        }
        bool letters = false, small = false;
        while (i < len_ && !IsBreak(s_[i])) {
            letters |= Is(s_[i], kLetter);
            small |= Is(s_[i], kLetter) && !Is(s_[i], kUpper);
            ++i;
        }
        if (small)
            break;
        if (letters) {
            ++count;
            lastEnd = i;
        }
    }
    if (count >= kPassageWords) {
        Emit(t_.ind.cappassage);
        passageEnd_ = lastEnd;
    } else {
        noPassageUntil_ = i;
    }
}

void Engine::EndPassage() {
    Emit(t_.ind.capterm);
    passageEnd_ = kNone;
}

} // namespace

size_t Translate(const Table& table, const Table* exceptions, const char* source, char* out,
                 size_t outSize) {
    BrailleWriter w(out, outSize);
    if (source) {
        // A label's plan fits here; longer texts take more from the heap.
        alignas(std::max_align_t) std::byte buffer[16 * 1024];
        std::pmr::monotonic_buffer_resource arena(buffer, sizeof buffer);
        Engine e(table, exceptions, w, &arena);
        e.Text(reinterpret_cast<const uint8_t*>(source), std::strlen(source));
    }
    return w.Finish();
}

} // namespace tactr
