#include <gtest/gtest.h>

#include <cstring>

#include "workbook_test_util.h"
#include "zip_reader.h"

namespace {

Bytes GoodXls() {
    Bytes sst;
    PutU32(sst, 1);
    PutU32(sst, 1);
    Bytes s = UnicodeString(u"Name", false);
    sst.insert(sst.end(), s.begin(), s.end());
    return MakeXls({{0x00FC, sst}}, {LabelSst(0, 0, 0), Number(1, 0, 3)});
}

Bytes GoodXlsx() {
    return MakeXlsx("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "<si><t>Name</t></si>");
}

void SetU32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

uint32_t GetU32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// The fixture has one FAT sector, sector 0, and the workbook stream is the
// second directory entry.
size_t FatEntry(uint32_t n) {
    return 512 + 4 * n;
}
size_t WorkbookEntry(const Bytes& b) {
    return (GetU32(b, 0x30) + 1) * 512 + 128;
}
uint32_t WorkbookStart(const Bytes& b) {
    return GetU32(b, WorkbookEntry(b) + 0x74);
}

TEST(BadFiles, EveryTruncationFails) {
    for (const Bytes& good : {GoodXls(), GoodXlsx()}) {
        for (size_t length = 0; length < good.size(); ++length) {
            // Streams and the zip directory reach to the end of these files,
            // so any cut loses data and must fail.
            Bytes cut(good.begin(), good.begin() + long(length));
            EXPECT_EQ(Open(cut), nullptr) << "cut at " << length << " of " << good.size();
        }
    }
}

TEST(BadFiles, DamagedXlsFails) {
    struct Case {
        const char* name;
        void (*damage)(Bytes&);
    };
    const Case cases[] = {
        {"CyclicFatChain",
         [](Bytes& b) {
             uint32_t start = WorkbookStart(b);
             SetU32(b, FatEntry(start + 3), start + 2); // a stream sector loops back
         }},
        {"DirectoryChainPointsToItself",
         [](Bytes& b) {
             uint32_t start = GetU32(b, 0x30);
             SetU32(b, FatEntry(start), start);
         }},
        {"HugeDeclaredStreamSize",
         [](Bytes& b) { SetU32(b, WorkbookEntry(b) + 0x78, 0x7FFFFFFF); }},
        {"SectorBeyondTheFile", [](Bytes& b) { SetU32(b, WorkbookEntry(b) + 0x74, 0x00FFFFFF); }},
        {"HugeFatSectorCount", [](Bytes& b) { SetU32(b, 0x2C, 0xFFFFFFFF); }},
        {"BadSectorShift", [](Bytes& b) { b[0x1E] = 30; }},
        {"NoWorkbookStream", [](Bytes& b) { b[WorkbookEntry(b)] = 'X'; }},
    };
    for (const Case& c : cases) {
        Bytes bytes = GoodXls();
        c.damage(bytes);
        EXPECT_EQ(Open(bytes), nullptr) << c.name;
    }
}

TEST(BadFiles, DamagedBiffFails) {
    Bytes sst;
    PutU32(sst, 1);
    PutU32(sst, 1);
    Bytes s = UnicodeString(u"Name", false);
    sst.insert(sst.end(), s.begin(), s.end());
    Bytes filePass = {0, 0};
    Bytes longString = UnicodeString(u"abcdef", false);
    longString.resize(6);
    const struct {
        const char* name;
        std::vector<BiffRecordDef> globals, sheet;
    } cases[] = {
        {"SharedStringIndexOutOfRange", {{0x00FC, sst}}, {LabelSst(0, 0, 1)}},
        {"NoSharedStringTable", {}, {LabelSst(0, 0, 0)}},
        {"Encrypted", {{0x002F, filePass}}, {Number(0, 0, 1)}},
        {"LabelLongerThanItsRecord", {}, {{0x0204, longString}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Open(MakeXls(c.globals, c.sheet)), nullptr) << c.name;

    // A stream from an older format version is refused, not misread.
    Bytes stream = MakeBiff8Stream({}, {Number(0, 0, 1)});
    stream[5] = 0x05;
    stream.resize(4096, 0);
    EXPECT_EQ(Open(MakeCompoundFile({{"Workbook", stream}})), nullptr);
}

TEST(BadFiles, DamagedXlsxFails) {
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"MissingSheetPart", MakeZip({{"xl/workbook.xml", "<workbook><sheets><sheet r:id=\"a\"/>"
                                                          "</sheets></workbook>"}})},
        {"SharedStringIndexOutOfRange",
         MakeXlsx("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>", "<si><t>x</t></si>")},
        {"NumberThatIsNotANumber", MakeXlsx("<row r=\"1\"><c r=\"A1\"><v>12abc</v></c></row>")},
        {"CellBeyondTheSheet", MakeXlsx("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")},
        {"UnclosedCell", MakeXlsx("<row r=\"1\"><c r=\"A1\"><v>1</v>")},
        {"NotAWorkbook", Bytes{'P', 'K', 3, 4, 0, 0}},
        {"Empty", Bytes{}},
        {"Text", Bytes{'N', 'a', 'm', 'e', ';', '3', '\n'}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Open(c.bytes), nullptr) << c.name;
}

TEST(BadFiles, ZipEntriesThatLieAboutTheirSize) {
    Bytes good = GoodXlsx();
    ZipArchive zip;
    ASSERT_TRUE(zip.Open(good.data(), good.size()));
    const ZipEntry* sheet = zip.Find("XL/WORKSHEETS/SHEET1.XML");
    ASSERT_NE(sheet, nullptr);
    std::string out;
    ASSERT_TRUE(zip.Extract(*sheet, out));

    const struct {
        const char* name;
        uint32_t size;
        uint32_t crc;
    } cases[] = {
        {"InflatesToMoreThanDeclared", sheet->size / 2, sheet->crc},
        {"InflatesToLessThanDeclared", sheet->size + 1, sheet->crc},
        {"DeclaredBeyondTheLimit", uint32_t(kMaxZipEntrySize + 1), sheet->crc},
        {"WrongChecksum", sheet->size, sheet->crc ^ 1},
    };
    for (const auto& c : cases) {
        ZipEntry lying = *sheet;
        lying.size = c.size;
        lying.crc = c.crc;
        EXPECT_FALSE(zip.Extract(lying, out)) << c.name;
    }
}

} // namespace
