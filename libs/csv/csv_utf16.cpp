#include "csv_utf16.h"

#include <cstdint>
#include <cstdlib>

namespace {

unsigned Unit(const unsigned char* p, bool bigEndian) {
    return bigEndian ? (p[0] << 8) | p[1] : p[0] | (p[1] << 8);
}

char* PutUtf8(char* out, uint32_t code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

} // namespace

int CsvUtf16Order(const char* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    unsigned char a = static_cast<unsigned char>(data[0]);
    unsigned char b = static_cast<unsigned char>(data[1]);
    if (a == 0xFF && b == 0xFE) {
        return 1;
    }
    return a == 0xFE && b == 0xFF ? 2 : 0;
}

// Each 16-bit unit gives at most three bytes (a surrogate pair, two units,
// gives four), so 3/2 of the input always suffices. A stray surrogate or an
// odd last byte becomes U+FFFD rather than vanishing.
char* CsvUtf16ToUtf8(const char* data, size_t size, bool bigEndian, size_t* outSize) {
    char* buffer = static_cast<char*>(std::malloc(size / 2 * 3 + 4));
    if (buffer == nullptr) {
        return nullptr;
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size - size % 2;
    char* out = buffer;
    while (p < end) {
        uint32_t code = Unit(p, bigEndian);
        p += 2;
        if (code >= 0xD800 && code <= 0xDBFF && p < end) {
            unsigned low = Unit(p, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                p += 2;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        out = PutUtf8(out, code);
    }
    if (size % 2 != 0) {
        out = PutUtf8(out, 0xFFFD);
    }
    *outSize = static_cast<size_t>(out - buffer);
    return buffer;
}
