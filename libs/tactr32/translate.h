// The translation engine: 8-bit text in, braille cells out.
#pragma once

#include <cstddef>

#include "qrf_table.h"

namespace tactr {

// Room of the caller's braille buffer, including its NUL.
constexpr size_t kBrailleBufferSize = 1024;

// Translates the NUL-terminated `source` with `table`, letting whole words of
// `exceptions` (may be null) win. Writes at most outSize - 1 bytes and a NUL
// into `out`: one byte 0x40 + dots per cell, the source's CR and LF kept.
// When the text does not fit it is cut at a line end, else at a space.
// Gives the number of bytes before the NUL.
size_t Translate(const Table& table, const Table* exceptions, const char* source, char* out,
                 size_t outSize);

} // namespace tactr
