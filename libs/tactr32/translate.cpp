#include "translate.h"

#include <cstring>

#include "braille_writer.h"
#include "run_plan.h"

namespace tactr {
namespace {

// Consecutive all-capital words that make a capitalised passage.
constexpr int kPassageWords = 3;
constexpr size_t kNone = static_cast<size_t>(-1);

enum SegKind : uint8_t { kSegLower, kSegCapital, kSegCapWord };

class Engine {
  public:
    // lookups = false translates a replacement: its words are not looked up
    // again, so no pair of replace entries can make translation recurse.
    Engine(const Table& t, const Table* ex, BrailleWriter& w, bool lookups = true)
        : t_(t), ex_(ex), w_(w), lookups_(lookups) {}

    void Text(const uint8_t* s, size_t len);

  private:
    bool Is(uint8_t c, uint16_t flag) const { return (t_.flags[c] & flag) != 0; }
    bool Emit(CellRun r) { return r.len == 0 || w_.Cells(t_, r); }
    bool SameAsDigit(uint8_t letter) const;
    size_t Word(size_t i);
    void Letters(size_t n, bool leftJoined, bool rightJoined, bool afterNumber);
    void Segments(size_t n);
    bool AllUpper(size_t n) const;
    void WordCapital(size_t n);
    bool IsBreak(uint8_t c) const;
    static bool IsPrintable(uint8_t c);
    bool IsAddress(size_t i) const;
    bool OpensQuote(size_t i) const;
    size_t Sequence(size_t i);
    void StartPassage(size_t i);
    void EndPassage();

    const Table& t_;
    const Table* ex_;
    BrailleWriter& w_;
    bool lookups_;
    const uint8_t* s_ = nullptr;
    size_t len_ = 0;
    bool numeric_ = false;
    size_t passageEnd_ = kNone;
    size_t noPassageUntil_ = 0;
    // The current letter run: source bytes, lower case, case segments.
    const uint8_t* run_ = nullptr;
    uint8_t low_[kMaxRun];
    uint8_t seg_[kMaxRun];
    uint8_t segKind_[kMaxRun];
    RunPlan plan_;
};

void Engine::Text(const uint8_t* s, size_t len) {
    s_ = s;
    len_ = len;
    size_t i = 0;
    while (i < len_ && !w_.Full()) {
        if (i == passageEnd_)
            EndPassage();
        uint8_t c = s_[i];
        if (t_.ind.cappassage.len && passageEnd_ == kNone && i >= noPassageUntil_ &&
            (i == 0 || IsBreak(s_[i - 1])) && !IsBreak(c))
            StartPassage(i);
        if (!t_.urlMarks.empty() && (i == 0 || IsBreak(s_[i - 1])) && !IsBreak(c) && IsAddress(i))
            Emit(t_.ind.urlsign);
        uint8_t next = i + 1 < len_ ? s_[i + 1] : 0;
        if (c == '\r' || c == '\n') {
            w_.LineEnd(static_cast<char>(c));
            numeric_ = false;
            ++i;
        } else if (Is(c, kLetter)) {
            i = Word(i);
        } else if (Is(c, kDigit)) {
            if (!numeric_)
                Emit(t_.ind.numeric);
            numeric_ = true;
            Emit(t_.chars[c]);
            ++i;
        } else if (numeric_ && Is(c, kSpace) && t_.ind.bNumSpace && Is(next, kDigit)) {
            Emit(t_.ind.numspace);
            ++i;
        } else if (numeric_ && Is(c, kSpace) && Is(next, kNumSuffix)) {
            ++i; // "20 %" is written as one number
        } else if (Is(c, kSpace) && i > 0 && Is(s_[i - 1], kNumLead) && Is(next, kDigit)) {
            ++i; // and "€ 5" too
        } else if (!numeric_ && Is(c, kNumPrefix) && Is(next, kDigit) &&
                   !(i > 0 && Is(s_[i - 1], kLetter))) {
            // The sign's cells hold the numeric indicator: "+33". After a
            // letter the sign belongs to the word ("A-1" keeps its hyphen).
            Emit(t_.numStart[c].len ? t_.numStart[c] : t_.chars[c]);
            numeric_ = true;
            ++i;
        } else if (size_t taken = Is(c, kSeqStart) ? Sequence(i) : 0) {
            numeric_ = false;
            i += taken;
        } else {
            // A separator keeps the number going up to the next digit, over
            // further separators: "1-(-4)" in French.
            bool goesOn = numeric_ && Is(c, kNumSep) && (Is(next, kDigit) || Is(next, kNumSep));
            if (!goesOn)
                numeric_ = false;
            if (goesOn && t_.numInside[c].len) {
                Emit(t_.numInside[c]);
            } else if (t_.chars[c].len == 0) {
                if (t_.ind.bUndefined && IsPrintable(c))
                    Emit(t_.ind.undefined);
            } else if (Is(c, kQuote) && !OpensQuote(i)) {
                Emit(t_.closing[c]);
            } else if (Is(c, kSpace) && t_.chars[c].len == 1 && t_.cells[t_.chars[c].off] == 0) {
                w_.Blank();
            } else {
                Emit(t_.chars[c]);
            }
            ++i;
        }
    }
    if (passageEnd_ != kNone && !w_.Full())
        EndPassage();
}

// Writes the longest sequence of the table that starts at i; gives its
// length, 0 when none does.
size_t Engine::Sequence(size_t i) {
    std::string_view rest(reinterpret_cast<const char*>(s_) + i, len_ - i);
    for (const tactr::Sequence& q : t_.sequences) {
        if (rest.starts_with(q.text)) {
            Emit(q.cells);
            return q.text.size();
        }
    }
    return 0;
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

// Translates the letter run starting at i; gives the index after it.
size_t Engine::Word(size_t i) {
    size_t j = i;
    while (j < len_ && j - i < kMaxRun && Is(s_[j], kLetter))
        ++j;
    size_t n = j - i;
    run_ = s_ + i;
    for (size_t k = 0; k < n; ++k)
        low_[k] = t_.lower[run_[k]];
    bool afterNumber = numeric_;
    numeric_ = false;
    bool leftJoined = i > 0 && (Is(s_[i - 1], kDigit) || Is(s_[i - 1], kLetter) ||
                                (Is(s_[i - 1], kJoiner) && i > 1 && Is(s_[i - 2], kLetter)));
    uint8_t after = j < len_ ? s_[j] : 0;
    // "can't" keeps its wordsign, so only the left side joins over an apostrophe.
    bool rightJoined = Is(after, kDigit) || Is(after, kLetter);

    const WordEntry* entry = nullptr;
    const Table* owner = ex_;
    if (lookups_ && ((ex_ && ex_->nMaxWord >= n) || t_.nMaxWord >= n)) {
        char folded[kMaxRun];
        for (size_t k = 0; k < n; ++k)
            folded[k] = static_cast<char>(FoldCase(run_[k]));
        std::string_view key(folded, n);
        if (ex_)
            entry = FindWord(*ex_, key);
        if (!entry) {
            entry = FindWord(t_, key);
            owner = &t_;
        }
    }
    if (entry && entry->bReplace) {
        // A replacement brings its own capitals.
        Engine inner(t_, nullptr, w_, false);
        inner.Text(reinterpret_cast<const uint8_t*>(entry->replacement.data()),
                   entry->replacement.size());
    } else if (entry) {
        WordCapital(n);
        // The cells live in the pool of the table that holds the word.
        w_.Cells(*owner, entry->cells);
    } else {
        Letters(n, leftJoined, rightJoined, afterNumber);
    }
    return j;
}

bool Engine::AllUpper(size_t n) const {
    for (size_t k = 0; k < n; ++k)
        if (!Is(run_[k], kUpper))
            return false;
    return true;
}

// Capital indicator of a word translated as a whole (exceptions).
void Engine::WordCapital(size_t n) {
    if (passageEnd_ != kNone || n == 0 || !Is(run_[0], kUpper))
        return;
    if ((n >= 2 || t_.nCapWordMin == 1) && AllUpper(n))
        Emit(t_.ind.capword);
    else
        Emit(t_.ind.capital);
}

// Splits the run by case: a string of two or more capitals is a capitalised
// word; a single capital starts a segment with the small letters after it.
void Engine::Segments(size_t n) {
    uint8_t id = 0;
    size_t k = 0;
    while (k < n) {
        size_t e = k;
        SegKind kind = kSegLower;
        if (Is(run_[k], kUpper)) {
            while (e < n && Is(run_[e], kUpper))
                ++e;
            if (e - k >= 2 || (t_.nCapWordMin == 1 && e == n)) {
                kind = kSegCapWord;
            } else {
                kind = kSegCapital;
                while (e < n && !Is(run_[e], kUpper))
                    ++e;
            }
        } else {
            while (e < n && !Is(run_[e], kUpper))
                ++e;
        }
        for (size_t m = k; m < e; ++m) {
            seg_[m] = id;
            segKind_[m] = kind;
        }
        ++id;
        k = e;
    }
}

void Engine::Letters(size_t n, bool leftJoined, bool rightJoined, bool afterNumber) {
    Segments(n);
    RunShape shape{run_, low_, seg_, n, leftJoined, rightJoined};
    bool contract = !afterNumber && t_.nodes.size() > 1;
    PlanRun(t_, shape, contract, plan_);
    // A contracted word that reads as another word's sign is spelled out;
    // a spelled-out one that does takes the letter sign.
    if (contract && PlanLooksLikeWordSign(t_, shape, plan_))
        PlanRun(t_, shape, false, plan_);
    if (afterNumber ? !Is(run_[0], kUpper) && SameAsDigit(low_[0])
                    : PlanLooksLikeWordSign(t_, shape, plan_))
        Emit(t_.ind.letsign);
    bool inPassage = passageEnd_ != kNone;
    for (size_t k = 0; k < n && !w_.Full(); k += plan_.len[k]) {
        if (!inPassage && (k == 0 || seg_[k] != seg_[k - 1])) {
            if (segKind_[k] == kSegCapWord)
                Emit(t_.ind.capword);
            else if (segKind_[k] == kSegCapital)
                Emit(t_.ind.capital);
        }
        bool ownCapital =
            !inPassage && segKind_[k] == kSegCapital && (k == 0 || seg_[k] != seg_[k - 1]);
        if (plan_.rule[k])
            Emit(plan_.rule[k]->cells);
        else if (ownCapital && t_.capitalForm[run_[k]].len)
            Emit(t_.capitalForm[run_[k]]);
        else
            Emit(t_.chars[run_[k]]);
        size_t next = k + plan_.len[k];
        if (!inPassage && next < n && segKind_[next - 1] == kSegCapWord &&
            seg_[next] != seg_[next - 1])
            Emit(t_.ind.capterm);
    }
}

} // namespace

size_t Translate(const Table& table, const Table* exceptions, const char* source, char* out,
                 size_t outSize) {
    BrailleWriter w(out, outSize);
    if (source) {
        Engine e(table, exceptions, w);
        e.Text(reinterpret_cast<const uint8_t*>(source), std::strlen(source));
    }
    return w.Finish();
}

} // namespace tactr
