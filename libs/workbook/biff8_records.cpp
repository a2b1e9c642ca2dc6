#include "biff8_records.h"

#include "byte_reader.h"
#include "text_utf8.h"

static const uint16_t kContinue = 0x003C;

void SplitBiffRecords(const std::vector<uint8_t>& stream, size_t offset,
                      std::vector<BiffRecord>& out) {
    out.clear();
    size_t at = offset;
    while (at + 4 <= stream.size()) {
        BiffRecord record;
        record.type = ReadU16(stream.data() + at);
        record.nLength = ReadU16(stream.data() + at + 2);
        if (record.nLength > stream.size() - at - 4)
            return;
        record.pData = stream.data() + at + 4;
        out.push_back(record);
        at += 4 + record.nLength;
        // Streams are padded to a sector with zeros after the last EOF.
        if (record.type == 0 && record.nLength == 0)
            break;
    }
}

ContinuedReader::ContinuedReader(const std::vector<BiffRecord>& records, size_t first) {
    segments_.push_back(&records[first]);
    for (size_t i = first + 1; i < records.size() && records[i].type == kContinue; ++i)
        segments_.push_back(&records[i]);
}

bool ContinuedReader::Advance() {
    if (segment_ + 1 >= segments_.size())
        return false;
    ++segment_;
    pos_ = 0;
    return true;
}

bool ContinuedReader::AtEnd() {
    while (pos_ == segments_[segment_]->nLength)
        if (!Advance())
            return true;
    return false;
}

// Plain fields may straddle a record boundary; they are read byte by byte
// through it.
const uint8_t* ContinuedReader::Take(size_t n) {
    if (bFailed_)
        return nullptr;
    while (pos_ == segments_[segment_]->nLength)
        if (!Advance()) {
            bFailed_ = true;
            return nullptr;
        }
    if (segments_[segment_]->nLength - pos_ < n) {
        bFailed_ = true;
        return nullptr;
    }
    const uint8_t* p = segments_[segment_]->pData + pos_;
    pos_ += n;
    return p;
}

uint8_t ContinuedReader::U8() {
    const uint8_t* p = Take(1);
    return p ? *p : 0;
}

uint16_t ContinuedReader::U16() {
    uint8_t low = U8();
    return uint16_t(low | (U8() << 8));
}

uint32_t ContinuedReader::U32() {
    uint32_t low = U16();
    return low | (uint32_t(U16()) << 16);
}

void ContinuedReader::Skip(size_t nBytes) {
    while (nBytes > 0 && !bFailed_) {
        if (pos_ == segments_[segment_]->nLength && !Advance()) {
            bFailed_ = true;
            return;
        }
        size_t here = segments_[segment_]->nLength - pos_;
        size_t step = here < nBytes ? here : nBytes;
        pos_ += step;
        nBytes -= step;
    }
}

std::string ContinuedReader::String(size_t nChars) {
    std::string text;
    uint8_t flags = U8();
    bool wide = flags & 0x01;
    size_t runs = (flags & 0x08) ? U16() : 0;
    size_t phonetic = (flags & 0x04) ? U32() : 0;
    while (nChars > 0 && !bFailed_) {
        if (pos_ == segments_[segment_]->nLength) {
            if (!Advance()) {
                bFailed_ = true;
                break;
            }
            // Characters continued in a CONTINUE record carry their own width.
            wide = U8() & 0x01;
            continue;
        }
        size_t here = segments_[segment_]->nLength - pos_;
        size_t count = wide ? here / 2 : here;
        if (count == 0) {
            bFailed_ = true;
            break;
        }
        if (count > nChars)
            count = nChars;
        const uint8_t* p = segments_[segment_]->pData + pos_;
        if (wide)
            AppendUtf16(text, p, count);
        else
            AppendLatin1(text, p, count);
        pos_ += wide ? 2 * count : count;
        nChars -= count;
    }
    Skip(4 * runs);
    Skip(phonetic);
    return text;
}
