#include "biff8_reader.h"

#include <string>

#include "biff8_records.h"
#include "byte_reader.h"

namespace {

enum : uint16_t {
    kBof = 0x0809,
    kEof = 0x000A,
    kFilePass = 0x002F,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kFormula = 0x0006,
    kString = 0x0207,
    kLabel = 0x0204,
    kRString = 0x00D6,
    kLabelSst = 0x00FD,
    kNumber = 0x0203,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kBoolErr = 0x0205,
    kBlank = 0x0201,
    kMulBlank = 0x00BE,
};

struct Globals {
    std::vector<std::string> sst;
    bool bHaveSheet = false;
    uint32_t sheetOffset = 0;
};

double DecodeRk(uint32_t rk) {
    double value;
    if (rk & 0x02) {
        value = double(int32_t(rk) >> 2);
    } else {
        uint64_t bits = uint64_t(rk & 0xFFFFFFFC) << 32;
        uint8_t bytes[8];
        for (int i = 0; i < 8; ++i)
            bytes[i] = uint8_t(bits >> (8 * i));
        value = ReadF64(bytes);
    }
    return (rk & 0x01) ? value / 100 : value;
}

bool IsBiff8Bof(const BiffRecord& r) {
    return r.type == kBof && r.nLength >= 4 && ReadU16(r.pData) == 0x0600;
}

void ReadSst(const std::vector<BiffRecord>& records, size_t at, std::vector<std::string>& sst) {
    ContinuedReader reader(records, at);
    reader.U32();
    uint32_t unique = reader.U32();
    // Writers are known to overstate the count; the data ends the table.
    for (uint32_t i = 0; i < unique && !reader.AtEnd(); ++i) {
        uint16_t count = reader.U16();
        std::string text = reader.String(count);
        if (reader.Failed())
            break;
        sst.push_back(std::move(text));
    }
}

bool ReadGlobals(const std::vector<BiffRecord>& records, Globals& g) {
    if (records.empty() || !IsBiff8Bof(records[0]))
        return false;
    for (size_t i = 1; i < records.size(); ++i) {
        const BiffRecord& r = records[i];
        if (r.type == kEof)
            return g.bHaveSheet;
        if (r.type == kFilePass)
            return false; // encrypted
        if (r.type == kSst && g.sst.empty())
            ReadSst(records, i, g.sst);
        if (r.type == kBoundSheet && !g.bHaveSheet && r.nLength >= 4) {
            g.sheetOffset = ReadU32(r.pData);
            g.bHaveSheet = true;
        }
    }
    return false;
}

// Cell records share a row, column, format prefix.
struct CellPosition {
    uint16_t row, column;
};

bool ReadCells(const std::vector<BiffRecord>& records, const Globals& g, CellStore& cells) {
    if (records.empty() || !IsBiff8Bof(records[0]))
        return false;
    int depth = 1;
    bool bPendingString = false;
    CellPosition pending{0, 0};
    for (size_t i = 1; i < records.size() && depth > 0; ++i) {
        const BiffRecord& r = records[i];
        if (r.type == kBof) {
            ++depth;
            continue;
        }
        if (r.type == kEof) {
            --depth;
            continue;
        }
        if (depth > 1)
            continue; // an embedded chart
        if (r.type == kString) {
            if (bPendingString) {
                ContinuedReader reader(records, i);
                uint16_t count = reader.U16();
                std::string text = reader.String(count);
                if (reader.Failed())
                    return false;
                cells.SetText(pending.row, pending.column, std::move(text));
            }
            bPendingString = false;
            continue;
        }
        if (r.nLength < 6)
            continue;
        uint16_t row = ReadU16(r.pData), column = ReadU16(r.pData + 2);
        const uint8_t* p = r.pData;
        switch (r.type) {
        case kNumber:
            if (r.nLength >= 14)
                cells.SetNumber(row, column, ReadF64(p + 6));
            break;
        case kRk:
            if (r.nLength >= 10)
                cells.SetNumber(row, column, DecodeRk(ReadU32(p + 6)));
            break;
        case kMulRk: {
            size_t count = (r.nLength - 6) / 6;
            for (size_t k = 0; k < count; ++k)
                cells.SetNumber(row, uint32_t(column + k), DecodeRk(ReadU32(p + 4 + 6 * k + 2)));
            break;
        }
        case kLabelSst:
            if (r.nLength >= 10) {
                uint32_t index = ReadU32(p + 6);
                if (index >= g.sst.size())
                    return false;
                cells.SetText(row, column, g.sst[index]);
            }
            break;
        case kLabel:
        case kRString: {
            ContinuedReader reader(records, i);
            reader.Skip(6);
            uint16_t count = reader.U16();
            std::string text = reader.String(count);
            if (reader.Failed())
                return false;
            cells.SetText(row, column, std::move(text));
            break;
        }
        case kBoolErr:
            if (r.nLength >= 8) {
                if (p[7])
                    cells.SetError(row, column, p[6], ErrorCodeText(p[6]));
                else
                    cells.SetBoolean(row, column, p[6] != 0);
            }
            break;
        case kBlank:
            cells.SetBlank(row, column);
            break;
        case kMulBlank: {
            size_t count = (r.nLength - 6) / 2;
            for (size_t k = 0; k < count; ++k)
                cells.SetBlank(row, uint32_t(column + k));
            break;
        }
        case kFormula:
            if (r.nLength < 14)
                break;
            bPendingString = false;
            if (ReadU16(p + 12) != 0xFFFF) {
                cells.SetNumber(row, column, ReadF64(p + 6));
            } else if (p[6] == 0) {
                // The text follows in a STRING record.
                cells.SetText(row, column, std::string());
                bPendingString = true;
                pending = {row, column};
            } else if (p[6] == 1) {
                cells.SetBoolean(row, column, p[8] != 0);
            } else if (p[6] == 2) {
                cells.SetError(row, column, p[8], ErrorCodeText(p[8]));
            } else {
                cells.SetText(row, column, std::string());
            }
            break;
        default:
            break;
        }
    }
    return depth == 0; // a sheet cut short is a damaged file
}

} // namespace

bool ReadBiff8FirstSheet(const std::vector<uint8_t>& stream, CellStore& cells) {
    std::vector<BiffRecord> records;
    SplitBiffRecords(stream, 0, records);
    Globals g;
    if (!ReadGlobals(records, g) || g.sheetOffset >= stream.size())
        return false;
    SplitBiffRecords(stream, g.sheetOffset, records);
    return ReadCells(records, g, cells);
}
