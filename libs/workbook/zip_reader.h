// Entries of a zip archive (the container of .xlsx files), stored or
// deflated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// No entry of a workbook comes near this; anything larger is refused
// before it is inflated.
const size_t kMaxZipEntrySize = 64u << 20;

struct ZipEntry {
    std::string name;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localOffset = 0;
};

bool IsZipArchive(const uint8_t* pData, size_t nSize);

class ZipArchive {
  public:
    // False when there is no readable central directory.
    bool Open(const uint8_t* pData, size_t nSize);
    // Name lookup ignores ASCII case; null when absent.
    const ZipEntry* Find(const std::string& name) const;
    // False for a damaged, oversized or unsupported entry.
    bool Extract(const ZipEntry& entry, std::string& out) const;

  private:
    const uint8_t* pData_ = nullptr;
    size_t nSize_ = 0;
    std::vector<ZipEntry> entries_;
};
