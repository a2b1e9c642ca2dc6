#include "cfb_reader.h"

#include <cstring>

#include "byte_reader.h"

namespace {

const uint8_t kMagic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
const uint32_t kEndOfChain = 0xFFFFFFFE;
const uint32_t kFreeSect = 0xFFFFFFFF;

struct Container {
    const uint8_t* pData;
    size_t nSize;
    size_t nSectorSize;
    size_t nSectorCount; // sectors that start inside the file
    std::vector<uint32_t> fat;

    // A sector may be cut short by the end of the file; the caller takes
    // only the bytes it needs.
    const uint8_t* Sector(uint32_t n, size_t& nAvailable) const {
        if (n >= nSectorCount)
            return nullptr;
        size_t offset = (size_t(n) + 1) * nSectorSize;
        nAvailable = nSize - offset < nSectorSize ? nSize - offset : nSectorSize;
        return pData + offset;
    }
};

// Follows a chain through a sector table. A sector seen twice means a
// cyclic chain: the file is damaged, and reading on would repeat data.
bool ReadChain(const std::vector<uint32_t>& table, uint32_t start, uint64_t nBytes, size_t nUnit,
               const std::vector<const uint8_t*>& unitData, const std::vector<size_t>& unitSize,
               std::vector<uint8_t>& out) {
    out.clear();
    if (nBytes > uint64_t(unitData.size()) * nUnit)
        return false;
    out.reserve(size_t(nBytes));
    uint32_t sector = start;
    std::vector<bool> seen(table.size());
    while (out.size() < nBytes) {
        if (sector >= unitData.size() || sector >= table.size() || seen[sector])
            return false;
        seen[sector] = true;
        size_t want = size_t(nBytes) - out.size();
        if (want > nUnit)
            want = nUnit;
        if (unitSize[sector] < want)
            return false;
        out.insert(out.end(), unitData[sector], unitData[sector] + want);
        sector = table[sector];
    }
    return true;
}

bool ReadFat(Container& c, const uint8_t* header) {
    uint32_t nFatSectors = ReadU32(header + 0x2C);
    uint32_t difatSector = ReadU32(header + 0x44);
    uint32_t nDifatSectors = ReadU32(header + 0x48);
    if (nFatSectors > c.nSectorCount)
        return false;
    std::vector<uint32_t> fatSectors;
    for (int i = 0; i < 109 && fatSectors.size() < nFatSectors; ++i)
        fatSectors.push_back(ReadU32(header + 0x4C + 4 * i));
    size_t perDifat = c.nSectorSize / 4 - 1;
    for (uint32_t i = 0; i < nDifatSectors && fatSectors.size() < nFatSectors; ++i) {
        size_t available = 0;
        const uint8_t* p = c.Sector(difatSector, available);
        if (!p || available < c.nSectorSize)
            return false;
        for (size_t k = 0; k < perDifat && fatSectors.size() < nFatSectors; ++k)
            fatSectors.push_back(ReadU32(p + 4 * k));
        difatSector = ReadU32(p + 4 * perDifat);
    }
    if (fatSectors.size() < nFatSectors)
        return false;
    size_t perFat = c.nSectorSize / 4;
    for (uint32_t s : fatSectors) {
        size_t available = 0;
        const uint8_t* p = c.Sector(s, available);
        if (!p)
            return false;
        for (size_t k = 0; k < perFat && 4 * k + 4 <= available; ++k)
            c.fat.push_back(ReadU32(p + 4 * k));
        // Nothing of the file lies beyond what the table can describe.
        if (c.fat.size() >= c.nSectorCount)
            break;
    }
    return true;
}

bool ReadRegularChain(const Container& c, uint32_t start, uint64_t nBytes,
                      std::vector<uint8_t>& out) {
    std::vector<const uint8_t*> data(c.nSectorCount);
    std::vector<size_t> sizes(c.nSectorCount);
    for (uint32_t i = 0; i < c.nSectorCount; ++i)
        data[i] = c.Sector(i, sizes[i]);
    return ReadChain(c.fat, start, nBytes, c.nSectorSize, data, sizes, out);
}

// The whole chain of a table whose length is not stored (directory, mini
// table): read until the end of the chain.
bool ReadWholeChain(const Container& c, uint32_t start, std::vector<uint8_t>& out) {
    out.clear();
    uint32_t sector = start;
    std::vector<bool> seen(c.fat.size());
    while (sector != kEndOfChain && sector != kFreeSect) {
        size_t available = 0;
        const uint8_t* p = c.Sector(sector, available);
        if (!p || available < c.nSectorSize || sector >= c.fat.size() || seen[sector])
            return false;
        seen[sector] = true;
        out.insert(out.end(), p, p + c.nSectorSize);
        sector = c.fat[sector];
    }
    return true;
}

bool NameMatches(const uint8_t* entry, const char* pszName) {
    size_t nameBytes = ReadU16(entry + 0x40);
    size_t length = std::strlen(pszName);
    if (nameBytes != 2 * (length + 1) || nameBytes > 64)
        return false;
    for (size_t i = 0; i < length; ++i) {
        uint16_t ch = ReadU16(entry + 2 * i);
        char want = pszName[i];
        if (ch >= 'a' && ch <= 'z')
            ch = uint16_t(ch - 32);
        if (want >= 'a' && want <= 'z')
            want = char(want - 32);
        if (ch != uint16_t(uint8_t(want)))
            return false;
    }
    return true;
}

} // namespace

bool IsCompoundDocument(const uint8_t* pData, size_t nSize) {
    return nSize >= 512 && std::memcmp(pData, kMagic, 8) == 0;
}

bool ReadCompoundStream(const uint8_t* pData, size_t nSize, const char* pszName,
                        std::vector<uint8_t>& out) {
    if (!IsCompoundDocument(pData, nSize))
        return false;
    uint16_t shift = ReadU16(pData + 0x1E);
    uint16_t miniShift = ReadU16(pData + 0x20);
    if ((shift != 9 && shift != 12) || miniShift != 6)
        return false;
    Container c{pData, nSize, size_t(1) << shift, 0, {}};
    if (nSize <= c.nSectorSize)
        return false;
    c.nSectorCount = (nSize - c.nSectorSize + c.nSectorSize - 1) / c.nSectorSize;
    if (!ReadFat(c, pData))
        return false;

    std::vector<uint8_t> directory;
    if (!ReadWholeChain(c, ReadU32(pData + 0x30), directory) || directory.size() < 128)
        return false;
    const uint8_t* root = directory.data();
    if (root[0x42] != 5)
        return false;

    for (size_t at = 0; at + 128 <= directory.size(); at += 128) {
        const uint8_t* entry = directory.data() + at;
        if (entry[0x42] != 2 || !NameMatches(entry, pszName))
            continue;
        uint32_t start = ReadU32(entry + 0x74);
        uint64_t size = ReadU64(entry + 0x78);
        if (shift == 9)
            size &= 0xFFFFFFFF; // the high half is undefined in version 3 files
        if (size > nSize)
            return false;
        if (size >= ReadU32(pData + 0x38))
            return ReadRegularChain(c, start, size, out);

        // Small streams live in the mini stream, whose chain starts at the
        // root entry, in 64-byte units listed in the mini table.
        std::vector<uint8_t> miniStream, miniTableBytes;
        uint64_t miniSize = ReadU64(root + 0x78) & (shift == 9 ? 0xFFFFFFFF : ~0ull);
        if (miniSize > nSize || !ReadRegularChain(c, ReadU32(root + 0x74), miniSize, miniStream))
            return false;
        if (!ReadWholeChain(c, ReadU32(pData + 0x3C), miniTableBytes))
            return false;
        std::vector<uint32_t> miniTable(miniTableBytes.size() / 4);
        for (size_t i = 0; i < miniTable.size(); ++i)
            miniTable[i] = ReadU32(miniTableBytes.data() + 4 * i);
        size_t units = miniStream.size() / 64;
        std::vector<const uint8_t*> data(units);
        std::vector<size_t> sizes(units, 64);
        for (size_t i = 0; i < units; ++i)
            data[i] = miniStream.data() + 64 * i;
        return ReadChain(miniTable, start, size, 64, data, sizes, out);
    }
    return false;
}
