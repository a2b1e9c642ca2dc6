// Output checks shared by the translator fuzzers.
#pragma once

#include <cstdlib>
#include <cstring>
#include <memory>

#include "translate.h"

// Translates into a buffer of exactly the caller's size, so any overrun is
// caught, and stops on a byte the wizard could not take for a cell.
inline void TranslateAndCheck(const tactr::Table& t, const tactr::Table* ex, const char* text) {
    auto out = std::make_unique<char[]>(tactr::kBrailleBufferSize);
    size_t n = tactr::Translate(t, ex, text, out.get(), tactr::kBrailleBufferSize);
    if (n >= tactr::kBrailleBufferSize || out[n] != '\0' || std::strlen(out.get()) != n)
        std::abort();
    for (size_t i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        if (b != '\r' && b != '\n' && (b < 0x40 || b > 0x7F))
            std::abort();
    }
}
