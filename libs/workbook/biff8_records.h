// Records of a BIFF8 stream and the strings that may run on into CONTINUE
// records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BiffRecord {
    uint16_t type = 0;
    const uint8_t* pData = nullptr;
    size_t nLength = 0;
};

// Splits a stream into records from a byte offset, up to the first record
// that runs past the end.
void SplitBiffRecords(const std::vector<uint8_t>& stream, size_t offset,
                      std::vector<BiffRecord>& out);

// Reads one record's data and the CONTINUE records after it as a single
// byte sequence, except that character data re-reads its width flag at
// the start of every CONTINUE.
class ContinuedReader {
  public:
    ContinuedReader(const std::vector<BiffRecord>& records, size_t first);

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    void Skip(size_t nBytes);
    // XLUnicodeString body: flags byte then nChars characters (plus any
    // rich-text runs and phonetic data, skipped).
    std::string String(size_t nChars);
    bool Failed() const { return bFailed_; }
    bool AtEnd();

  private:
    bool Advance();
    const uint8_t* Take(size_t n);

    std::vector<const BiffRecord*> segments_;
    size_t segment_ = 0;
    size_t pos_ = 0;
    bool bFailed_ = false;
};
