// Little-endian reads that never leave their buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

inline uint16_t ReadU16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t ReadU64(const uint8_t* p) {
    return ReadU32(p) | (uint64_t(ReadU32(p + 4)) << 32);
}
inline double ReadF64(const uint8_t* p) {
    uint64_t bits = ReadU64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A cursor over one buffer; a read past the end sets the failure flag and
// gives zeros, so parsers check once at the end of a step.
struct ByteCursor {
    const uint8_t* pData = nullptr;
    size_t nSize = 0;
    size_t nPos = 0;
    bool bFailed = false;

    bool Has(size_t n) const { return !bFailed && n <= nSize - nPos; }
    const uint8_t* Take(size_t n) {
        if (!Has(n)) {
            bFailed = true;
            return nullptr;
        }
        const uint8_t* p = pData + nPos;
        nPos += n;
        return p;
    }
    uint8_t U8() {
        const uint8_t* p = Take(1);
        return p ? p[0] : 0;
    }
    uint16_t U16() {
        const uint8_t* p = Take(2);
        return p ? ReadU16(p) : 0;
    }
    uint32_t U32() {
        const uint8_t* p = Take(4);
        return p ? ReadU32(p) : 0;
    }
    double F64() {
        const uint8_t* p = Take(8);
        return p ? ReadF64(p) : 0.0;
    }
};
