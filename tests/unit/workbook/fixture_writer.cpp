#include "fixture_writer.h"

#include <cstring>

#include <zlib.h>

void PutU16(Bytes& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutU32(Bytes& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutF64(Bytes& out, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    PutU32(out, uint32_t(bits));
    PutU32(out, uint32_t(bits >> 32));
}

namespace {

const uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSect = 0xFFFFFFFD;

void PutDirEntry(Bytes& dir, const std::string& name, uint8_t type, uint32_t child, uint32_t right,
                 uint32_t start, uint32_t size) {
    Bytes e(128, 0);
    for (size_t i = 0; i < name.size(); ++i)
        e[2 * i] = uint8_t(name[i]);
    e[0x40] = uint8_t(2 * (name.size() + 1));
    e[0x42] = type;
    e[0x43] = 1; // black
    std::memset(&e[0x44], 0xFF, 12);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            e[at + i] = uint8_t(v >> (8 * i));
    };
    put(0x44, kFree); // left
    put(0x48, right);
    put(0x4C, child);
    put(0x74, start);
    put(0x78, size);
    dir.insert(dir.end(), e.begin(), e.end());
}

Bytes Padded(Bytes data, size_t unit) {
    data.resize((data.size() + unit - 1) / unit * unit, 0);
    return data;
}

} // namespace

Bytes MakeCompoundFile(const std::vector<std::pair<std::string, Bytes>>& streams) {
    // The mini stream and its table first, then regular streams.
    Bytes mini, miniFat;
    std::vector<uint32_t> miniStarts, regularIndex;
    for (const auto& [name, data] : streams) {
        if (data.size() < 4096 && !data.empty()) {
            uint32_t first = uint32_t(mini.size() / 64);
            miniStarts.push_back(first);
            Bytes padded = Padded(data, 64);
            uint32_t units = uint32_t(padded.size() / 64);
            for (uint32_t k = 0; k < units; ++k)
                PutU32(miniFat, k + 1 < units ? first + k + 1 : kEnd);
            mini.insert(mini.end(), padded.begin(), padded.end());
        } else {
            miniStarts.push_back(kEnd);
        }
    }
    std::vector<Bytes> chains; // directory, mini table, mini stream, streams
    Bytes dir;
    chains.push_back({});
    chains.push_back(Padded(miniFat, 512));
    chains.push_back(Padded(mini, 512));
    for (const auto& stream : streams)
        chains.push_back(stream.second.size() >= 4096 ? Padded(stream.second, 512) : Bytes());
    size_t dirEntries = streams.size() + 1;
    chains[0].resize((dirEntries * 128 + 511) / 512 * 512);

    size_t dataSectors = 0;
    for (const Bytes& c : chains)
        dataSectors += c.size() / 512;
    size_t fatSectors = 1;
    while (fatSectors * 128 < dataSectors + fatSectors)
        ++fatSectors;
    std::vector<uint32_t> fat(fatSectors * 128, kFree);
    for (size_t i = 0; i < fatSectors; ++i)
        fat[i] = kFatSect;
    std::vector<uint32_t> starts;
    uint32_t next = uint32_t(fatSectors);
    for (const Bytes& c : chains) {
        uint32_t count = uint32_t(c.size() / 512);
        starts.push_back(count ? next : kEnd);
        for (uint32_t k = 0; k < count; ++k)
            fat[next + k] = k + 1 < count ? next + k + 1 : kEnd;
        next += count;
    }
    // Root, then the streams as a right-leaning chain of siblings.
    PutDirEntry(dir, "Root Entry", 5, streams.empty() ? kFree : 1, kFree, starts[2],
                uint32_t(mini.size()));
    for (size_t i = 0; i < streams.size(); ++i) {
        const Bytes& data = streams[i].second;
        uint32_t start = data.size() >= 4096 ? starts[3 + i] : miniStarts[i];
        uint32_t right = i + 1 < streams.size() ? uint32_t(i + 2) : kFree;
        PutDirEntry(dir, streams[i].first, 2, kFree, right, data.empty() ? kEnd : start,
                    uint32_t(data.size()));
    }
    std::copy(dir.begin(), dir.end(), chains[0].begin());

    Bytes out(0x18, 0);
    const uint8_t magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (size_t i = 0; i < 8; ++i)
        out[i] = magic[i];
    PutU16(out, 0x3E);
    PutU16(out, 3);
    PutU16(out, 0xFFFE);
    PutU16(out, 9);
    PutU16(out, 6);
    out.resize(0x2C, 0);
    PutU32(out, uint32_t(fatSectors));
    PutU32(out, starts[0]);
    PutU32(out, 0);
    PutU32(out, 4096);
    PutU32(out, starts[1]);
    PutU32(out, uint32_t(chains[1].size() / 512));
    PutU32(out, kEnd);
    PutU32(out, 0);
    for (size_t i = 0; i < 109; ++i)
        PutU32(out, i < fatSectors ? uint32_t(i) : kFree);
    for (uint32_t v : fat)
        PutU32(out, v);
    for (const Bytes& c : chains)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

static void PutRecord(Bytes& out, uint16_t type, const Bytes& data) {
    PutU16(out, type);
    PutU16(out, uint16_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

static Bytes Bof(uint16_t kind) {
    Bytes b;
    PutU16(b, 0x0600);
    PutU16(b, kind);
    b.resize(16, 0);
    return b;
}

// The second sheet's records come first in the stream, so only a reader
// that follows the sheet list finds the first sheet.
Bytes MakeBiff8Stream(const std::vector<BiffRecordDef>& sstRecords,
                      const std::vector<BiffRecordDef>& sheetRecords,
                      const std::vector<BiffRecordDef>& secondSheetRecords) {
    Bytes out;
    PutRecord(out, 0x0809, Bof(0x0005));
    for (const auto& r : sstRecords)
        PutRecord(out, r.type, r.data);
    size_t boundSheets[2];
    for (size_t k = 0; k < 2; ++k) {
        boundSheets[k] = out.size() + 4;
        Bytes entry;
        PutU32(entry, 0);
        entry.push_back(0);
        entry.push_back(0);
        entry.push_back(6);
        entry.push_back(0);
        for (char c : std::string(k == 0 ? "Sheet1" : "Sheet2"))
            entry.push_back(uint8_t(c));
        PutRecord(out, 0x0085, entry);
    }
    PutRecord(out, 0x000A, {});
    for (size_t k : {1, 0}) {
        uint32_t offset = uint32_t(out.size());
        for (int i = 0; i < 4; ++i)
            out[boundSheets[k] + i] = uint8_t(offset >> (8 * i));
        PutRecord(out, 0x0809, Bof(0x0010));
        for (const auto& r : k == 0 ? sheetRecords : secondSheetRecords)
            PutRecord(out, r.type, r.data);
        PutRecord(out, 0x000A, {});
    }
    return out;
}

Bytes MakeXls(const std::vector<BiffRecordDef>& sstRecords,
              const std::vector<BiffRecordDef>& sheetRecords, bool bPadToRegular) {
    Bytes stream = MakeBiff8Stream(sstRecords, sheetRecords);
    if (bPadToRegular && stream.size() < 4096)
        stream.resize(4096, 0);
    return MakeCompoundFile({{"Workbook", stream}});
}

static Bytes CellPrefix(uint16_t row, uint16_t column) {
    Bytes b;
    PutU16(b, row);
    PutU16(b, column);
    PutU16(b, 15);
    return b;
}

BiffRecordDef Number(uint16_t row, uint16_t column, double value) {
    Bytes b = CellPrefix(row, column);
    PutF64(b, value);
    return {0x0203, b};
}

BiffRecordDef Rk(uint16_t row, uint16_t column, uint32_t rk) {
    Bytes b = CellPrefix(row, column);
    PutU32(b, rk);
    return {0x027E, b};
}

BiffRecordDef MulRk(uint16_t row, uint16_t firstColumn, const std::vector<uint32_t>& rks) {
    Bytes b;
    PutU16(b, row);
    PutU16(b, firstColumn);
    for (uint32_t rk : rks) {
        PutU16(b, 15);
        PutU32(b, rk);
    }
    PutU16(b, uint32_t(firstColumn + rks.size() - 1));
    return {0x00BD, b};
}

BiffRecordDef LabelSst(uint16_t row, uint16_t column, uint32_t index) {
    Bytes b = CellPrefix(row, column);
    PutU32(b, index);
    return {0x00FD, b};
}

Bytes UnicodeString(const std::u16string& text, bool bWide) {
    Bytes b;
    PutU16(b, uint32_t(text.size()));
    b.push_back(bWide ? 1 : 0);
    for (char16_t c : text) {
        if (bWide)
            PutU16(b, c);
        else
            b.push_back(uint8_t(c));
    }
    return b;
}

BiffRecordDef Label(uint16_t row, uint16_t column, const std::u16string& text, bool bWide) {
    Bytes b = CellPrefix(row, column);
    Bytes s = UnicodeString(text, bWide);
    b.insert(b.end(), s.begin(), s.end());
    return {0x0204, b};
}

BiffRecordDef BoolErr(uint16_t row, uint16_t column, uint8_t value, bool bError) {
    Bytes b = CellPrefix(row, column);
    b.push_back(value);
    b.push_back(bError ? 1 : 0);
    return {0x0205, b};
}

BiffRecordDef Blank(uint16_t row, uint16_t column) {
    return {0x0201, CellPrefix(row, column)};
}

BiffRecordDef MulBlank(uint16_t row, uint16_t firstColumn, uint16_t count) {
    Bytes b;
    PutU16(b, row);
    PutU16(b, firstColumn);
    for (uint16_t i = 0; i < count; ++i)
        PutU16(b, 15);
    PutU16(b, uint32_t(firstColumn + count - 1));
    return {0x00BE, b};
}

static BiffRecordDef Formula(uint16_t row, uint16_t column, const Bytes& result) {
    Bytes b = CellPrefix(row, column);
    b.insert(b.end(), result.begin(), result.end());
    PutU16(b, 0);      // flags
    PutU32(b, 0);      // chn
    PutU16(b, 3);      // formula length
    b.push_back(0x1E); // ptgInt 1
    PutU16(b, 1);
    return {0x0006, b};
}

BiffRecordDef FormulaNumber(uint16_t row, uint16_t column, double value) {
    Bytes result;
    PutF64(result, value);
    return Formula(row, column, result);
}

BiffRecordDef FormulaSpecial(uint16_t row, uint16_t column, uint8_t type, uint8_t value) {
    Bytes result = {type, 0, value, 0, 0, 0, 0xFF, 0xFF};
    return Formula(row, column, result);
}

static Bytes Deflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&z, uLong(data.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

Bytes MakeZip(const std::vector<ZipItem>& entries) {
    Bytes out, directory;
    for (const ZipItem& e : entries) {
        Bytes body = e.bDeflate ? Deflate(e.data) : Bytes(e.data.begin(), e.data.end());
        uint32_t crc =
            uint32_t(crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), uInt(e.data.size())));
        uint32_t offset = uint32_t(out.size());
        auto common = [&](Bytes& b) {
            PutU16(b, 20);
            PutU16(b, 0);
            PutU16(b, e.bDeflate ? 8 : 0);
            PutU32(b, 0); // time, date
            PutU32(b, crc);
            PutU32(b, uint32_t(body.size()));
            PutU32(b, uint32_t(e.data.size()));
            PutU16(b, uint32_t(e.name.size()));
            PutU16(b, 0);
        };
        PutU32(out, 0x04034B50);
        common(out);
        out.insert(out.end(), e.name.begin(), e.name.end());
        out.insert(out.end(), body.begin(), body.end());
        PutU32(directory, 0x02014B50);
        PutU16(directory, 20);
        common(directory);
        PutU16(directory, 0); // comment
        PutU16(directory, 0); // disk
        PutU16(directory, 0);
        PutU32(directory, 0);
        PutU32(directory, offset);
        directory.insert(directory.end(), e.name.begin(), e.name.end());
    }
    uint32_t directoryOffset = uint32_t(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    PutU32(out, 0x06054B50);
    PutU32(out, 0);
    PutU16(out, uint32_t(entries.size()));
    PutU16(out, uint32_t(entries.size()));
    PutU32(out, uint32_t(directory.size()));
    PutU32(out, directoryOffset);
    PutU16(out, 0);
    return out;
}

Bytes MakeXlsx(const std::string& sheetData, const std::string& sharedStrings, bool bDeflate) {
    const std::string ns = "http://schemas.openxmlformats.org/";
    std::string rels =
        "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
        "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"" + ns +
        "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
        "</Relationships>";
    std::string workbook =
        "<?xml version=\"1.0\"?><workbook xmlns=\"" + ns + "spreadsheetml/2006/main\" xmlns:r=\"" +
        ns +
        "officeDocument/2006/relationships\"><sheets>"
        "<sheet name=\"Names\" sheetId=\"1\" r:id=\"rId7\"/>"
        "<sheet name=\"Other\" sheetId=\"2\" r:id=\"rId8\"/></sheets></workbook>";
    std::string workbookRels =
        "<?xml version=\"1.0\"?><Relationships xmlns=\"" + ns +
        "package/2006/relationships\">"
        "<Relationship Id=\"rId8\" Type=\"" +
        ns +
        "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
        "<Relationship Id=\"rId7\" Type=\"" +
        ns + "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>" +
        (sharedStrings.empty() ? std::string()
                               : "<Relationship Id=\"rId9\" Type=\"" + ns +
                                     "officeDocument/2006/relationships/sharedStrings\" "
                                     "Target=\"sharedStrings.xml\"/>") +
        "</Relationships>";
    std::string sheet = "<?xml version=\"1.0\"?><worksheet xmlns=\"" + ns +
                        "spreadsheetml/2006/main\"><sheetData>" + sheetData +
                        "</sheetData><extLst><ext><c r=\"Z99\"><v>1</v></c></ext></extLst>"
                        "</worksheet>";
    std::string other = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>"
                        "wrong sheet</t></is></c></row></sheetData></worksheet>";
    std::vector<ZipItem> entries = {
        {"[Content_Types].xml", "<Types/>", bDeflate},
        {"_rels/.rels", rels, bDeflate},
        {"xl/workbook.xml", workbook, bDeflate},
        {"xl/_rels/workbook.xml.rels", workbookRels, bDeflate},
        {"xl/worksheets/sheet2.xml", other, bDeflate},
        {"xl/worksheets/sheet1.xml", sheet, bDeflate},
    };
    if (!sharedStrings.empty())
        entries.push_back({"xl/sharedStrings.xml",
                           "<?xml version=\"1.0\"?><sst xmlns=\"" + ns +
                               "spreadsheetml/2006/main\">" + sharedStrings + "</sst>",
                           bDeflate});
    return MakeZip(entries);
}
