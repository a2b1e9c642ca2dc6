// Replacing fields and clipping lines on arbitrary texts: the result always
// fits its buffer, and clipped lines obey the text box.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "label_text.h"

namespace {

// The input is: two width bytes, then text, pattern and replacement
// separated by NUL bytes.
std::string NextPart(const uint8_t*& data, size_t& size) {
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t length = end ? static_cast<size_t>(end - data) : size;
    std::string part(reinterpret_cast<const char*>(data), length);
    const size_t used = end ? length + 1 : length;
    data += used;
    size -= used;
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    const uint16_t width = static_cast<uint16_t>(data[0] | data[1] << 8);
    const size_t capacity = 1 + data[2] % 64 * 64;
    data += 3;
    size -= 3;
    const std::string text = NextPart(data, size);
    const std::string pattern = NextPart(data, size);
    const std::string replacement = NextPart(data, size);

    // The buffer is exactly `capacity` bytes, so ASan catches any overrun.
    char* buffer = static_cast<char*>(std::malloc(capacity));
    const size_t kept = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(buffer, text.data(), kept);
    buffer[kept] = '\0';
    ReplaceAll(buffer, capacity, pattern.c_str(), replacement.c_str());
    if (std::strlen(buffer) >= capacity) {
        std::abort();
    }

    AppState state{};
    state.Sheet.wTextWidth = width;
    const size_t before = std::strlen(buffer);
    ClipLabelLines(&state, buffer);
    const size_t after = std::strlen(buffer);
    if (after > before) {
        std::abort();
    }
    const size_t cells = static_cast<size_t>(CellsPerLine(width));
    size_t line = 0;
    for (size_t i = 0; i < after; ++i) {
        if (buffer[i] == '\r' || (cells > 0 && buffer[i] == '\n' && i + 1 == after)) {
            std::abort();
        }
        line = buffer[i] == '\n' ? 0 : line + 1;
        if (line > cells) {
            std::abort();
        }
    }
    std::free(buffer);
    ColumnNumberOf(pattern.c_str());
    return 0;
}
