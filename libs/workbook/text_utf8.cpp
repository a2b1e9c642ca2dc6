#include "text_utf8.h"

#include "byte_reader.h"

void AppendCodePoint(std::string& out, uint32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void AppendLatin1(std::string& out, const uint8_t* p, size_t nCount) {
    for (size_t i = 0; i < nCount; ++i)
        AppendCodePoint(out, p[i]);
}

void AppendUtf16(std::string& out, const uint8_t* p, size_t nUnits) {
    for (size_t i = 0; i < nUnits; ++i) {
        uint32_t unit = ReadU16(p + 2 * i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < nUnits) {
            uint32_t low = ReadU16(p + 2 * (i + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendCodePoint(out, unit);
    }
}
