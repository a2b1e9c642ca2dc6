// Bounded output of braille cells; never writes past its capacity.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qrf_table.h"

namespace tactr {

class BrailleWriter {
  public:
    BrailleWriter(char* out, size_t outSize)
        : p_(out), cap_(outSize && out ? outSize - 1 : 0), room_(outSize > 0 && out) {}

    // Writes all cells or none, so a sign is never split at the end.
    bool Cells(const Table& t, CellRun run) {
        if (full_ || n_ + run.len > cap_)
            return Stop();
        // Locals: stores through a char pointer could alias the members.
        char* out = p_ + n_;
        const uint8_t* cells = t.cells.data() + run.off;
        for (uint16_t k = 0; k < run.len; ++k)
            out[k] = static_cast<char>(0x40 | cells[k]);
        n_ += run.len;
        return true;
    }

    bool Blank() {
        if (full_ || n_ >= cap_)
            return Stop();
        lastSpace_ = n_;
        p_[n_++] = 0x40;
        return true;
    }

    bool LineEnd(char c) {
        if (full_ || n_ >= cap_)
            return Stop();
        if (n_ == 0 || (p_[n_ - 1] != '\r' && p_[n_ - 1] != '\n'))
            lastBreak_ = n_;
        p_[n_++] = c;
        return true;
    }

    bool Full() const { return full_; }

    // Cuts a text that did not fit back to its last line end, else its last
    // space, so no word is left half written; a cut that would leave
    // nothing at all is not taken. Then ends the text with a NUL.
    size_t Finish() {
        if (full_) {
            if (lastBreak_ != kNone && lastBreak_ > 0)
                n_ = lastBreak_;
            else if (lastSpace_ != kNone && lastSpace_ > 0)
                n_ = lastSpace_;
        }
        if (room_)
            p_[n_] = '\0';
        return n_;
    }

  private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    bool Stop() {
        full_ = true;
        return false;
    }

    char* p_;
    size_t cap_;
    bool room_;
    size_t n_ = 0;
    size_t lastBreak_ = kNone;
    size_t lastSpace_ = kNone;
    bool full_ = false;
};

} // namespace tactr
