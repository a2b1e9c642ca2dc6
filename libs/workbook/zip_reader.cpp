#include "zip_reader.h"

#include <zlib.h>

#include "byte_reader.h"

namespace {

const uint32_t kLocalSignature = 0x04034B50;
const uint32_t kCentralSignature = 0x02014B50;
const uint32_t kEndSignature = 0x06054B50;

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = char(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// Inflates raw deflate data into exactly nSize bytes; more output than
// declared is a damaged entry (or a bomb) and fails.
bool Inflate(const uint8_t* p, size_t nIn, size_t nSize, std::string& out) {
    out.assign(nSize, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(p);
    z.avail_in = uInt(nIn);
    unsigned char spare;
    z.next_out = nSize ? reinterpret_cast<Bytef*>(out.data()) : &spare;
    z.avail_out = uInt(nSize);
    int rc = inflate(&z, Z_FINISH);
    bool ok = rc == Z_STREAM_END && z.total_out == nSize;
    inflateEnd(&z);
    return ok;
}

} // namespace

bool IsZipArchive(const uint8_t* pData, size_t nSize) {
    return nSize >= 4 && ReadU32(pData) == kLocalSignature;
}

bool ZipArchive::Open(const uint8_t* pData, size_t nSize) {
    pData_ = pData;
    nSize_ = nSize;
    entries_.clear();
    if (nSize < 22)
        return false;
    // The end record sits within the last 64 KiB (its comment is at most that long).
    size_t end = nSize - 22;
    size_t lowest = nSize > 22 + 0xFFFF ? nSize - 22 - 0xFFFF : 0;
    while (ReadU32(pData + end) != kEndSignature) {
        if (end == lowest)
            return false;
        --end;
    }
    uint16_t count = ReadU16(pData + end + 10);
    uint32_t directorySize = ReadU32(pData + end + 12);
    uint32_t directoryOffset = ReadU32(pData + end + 16);
    if (directoryOffset > end || directorySize > end - directoryOffset)
        return false;
    ByteCursor cursor{pData + directoryOffset, directorySize};
    for (uint16_t i = 0; i < count; ++i) {
        if (cursor.U32() != kCentralSignature)
            return false;
        cursor.Take(6);
        ZipEntry entry;
        entry.method = cursor.U16();
        cursor.Take(4);
        entry.crc = cursor.U32();
        entry.compressedSize = cursor.U32();
        entry.size = cursor.U32();
        uint16_t nameLength = cursor.U16(), extraLength = cursor.U16(),
                 commentLength = cursor.U16();
        cursor.Take(8);
        entry.localOffset = cursor.U32();
        const uint8_t* name = cursor.Take(nameLength);
        cursor.Take(size_t(extraLength) + commentLength);
        if (cursor.bFailed)
            return false;
        entry.name.assign(reinterpret_cast<const char*>(name), nameLength);
        entries_.push_back(std::move(entry));
    }
    return true;
}

const ZipEntry* ZipArchive::Find(const std::string& name) const {
    for (const ZipEntry& entry : entries_)
        if (SameName(entry.name, name))
            return &entry;
    return nullptr;
}

bool ZipArchive::Extract(const ZipEntry& entry, std::string& out) const {
    out.clear();
    if (entry.size > kMaxZipEntrySize)
        return false;
    ByteCursor cursor{pData_, nSize_, entry.localOffset};
    if (entry.localOffset > nSize_ || cursor.U32() != kLocalSignature)
        return false;
    cursor.Take(22);
    uint16_t nameLength = cursor.U16(), extraLength = cursor.U16();
    cursor.Take(size_t(nameLength) + extraLength);
    const uint8_t* p = cursor.Take(entry.compressedSize);
    if (!p)
        return false;
    if (entry.method == 0) {
        if (entry.compressedSize != entry.size)
            return false;
        out.assign(reinterpret_cast<const char*>(p), entry.size);
    } else if (entry.method == 8) {
        if (!Inflate(p, entry.compressedSize, entry.size, out))
            return false;
    } else {
        return false;
    }
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data()), uInt(out.size()));
    if (crc != entry.crc)
        return false;
#endif
    return true;
}
