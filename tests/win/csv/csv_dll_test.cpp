#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "csv.h"
#include "csv_round_trip.h"
#include "import_table.h"

namespace {

// The library as the wizard binds it: by ordinal, from the copy beside the
// program.
struct CsvLibrary {
    HMODULE hModule = LoadLibraryA("csv.dll");
    template <typename T> T Get(int ordinal) {
        return reinterpret_cast<T>(
            reinterpret_cast<void*>(GetProcAddress(hModule, MAKEINTRESOURCEA(ordinal))));
    }
    ~CsvLibrary() { FreeLibrary(hModule); }
};

class CsvDllTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(lib.hModule, nullptr);
        open = lib.Get<CsvOpenProc>(kCsvOrdinalOpen);
        close = lib.Get<CsvCloseProc>(kCsvOrdinalClose);
        rows = lib.Get<CsvCountProc>(kCsvOrdinalRowCount);
        columns = lib.Get<CsvCountProc>(kCsvOrdinalColumnCount);
        cell = lib.Get<CsvCellTextProc>(kCsvOrdinalCellText);
        freeText = lib.Get<CsvFreeTextProc>(kCsvOrdinalFreeText);
        ASSERT_TRUE(open && close && rows && columns && cell && freeText);
    }
    // The cells of a file as the editor takes them: from the lists.
    Rows ReadBack(const std::string& bytes) {
        CsvTable* table = open(folder.Write("read_back.csv", bytes).c_str());
        Rows cells = table != nullptr ? RowsOf(table) : Rows{{"<null>"}};
        close(table);
        return cells;
    }
    std::string Cell(CsvTable* table, int row, int column) {
        char* text = cell(table, row, column);
        std::string result = text != nullptr ? text : "<null>";
        freeText(text);
        return result;
    }

    CsvLibrary lib;
    CsvOpenProc open = nullptr;
    CsvCloseProc close = nullptr;
    CsvCountProc rows = nullptr;
    CsvCountProc columns = nullptr;
    CsvCellTextProc cell = nullptr;
    CsvFreeTextProc freeText = nullptr;
    TempFolder folder;
};

TEST_F(CsvDllTest, ExportsOrdinalsOnly) {
    EXPECT_EQ(GetProcAddress(lib.hModule, "CsvOpen"), nullptr);
    EXPECT_EQ(GetProcAddress(lib.hModule, MAKEINTRESOURCEA(7)), nullptr);
}

// The wizard gets ANSI text from a UTF-8 file; any other file's bytes, and
// the lists the editor walks, stay as they are in the file.
TEST_F(CsvDllTest, CellTextInTheAnsiCodePage) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "expected texts are written for code page 1252, not " << GetACP();
    }
    const struct {
        const char* name;
        std::string bytes;
        std::string ansi;     // cell 0,0 through ordinal 5
        std::string fileText; // the same cell in the lists
    } cases[] = {
        {"utf8.csv",
         "M\xC3\xBCller;Stra\xC3\x9F"
         "e\n",
         "M\xFCller", "M\xC3\xBCller"},
        {"bom.csv", "\xEF\xBB\xBF\xE2\x82\xAC 5;x\n", "\x80 5", "\xE2\x82\xAC 5"},
        {"greek.csv", "\xCE\xA9mega;x\n", "?mega", "\xCE\xA9mega"},
        {"ansi.csv",
         "M\xFCller;Stra\xDF"
         "e\n",
         "M\xFCller", "M\xFCller"},
        {"ascii.csv", "Miller;x\n", "Miller", "Miller"},
        {"utf16.csv", std::string("\xFF\xFEM\0\xFC\0;\0x\0", 10), "M\xFC", "M\xC3\xBC"},
    };
    for (const auto& c : cases) {
        CsvTable* table = open(folder.Write(c.name, c.bytes).c_str());
        ASSERT_NE(table, nullptr) << c.name;
        EXPECT_EQ(Cell(table, 0, 0), c.ansi) << c.name;
        EXPECT_EQ(std::string(table->pFirstRow->pFirstCell->pszText), c.fileText) << c.name;
        close(table);
    }
}

TEST_F(CsvDllTest, CountsCellsAndFailures) {
    CsvTable* table = open(folder.Write("ragged.csv", "a;b;c\r\nd\r\n").c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(rows(table), 2);
    EXPECT_EQ(columns(table), 3);
    EXPECT_EQ(Cell(table, 1, 0), "d");
    EXPECT_EQ(Cell(table, 1, 2), "");
    EXPECT_EQ(Cell(table, 2, 0), "<null>");
    EXPECT_EQ(Cell(table, 0, -1), "<null>");
    close(table);

    EXPECT_EQ(open(folder.File("missing.csv").c_str()), nullptr);
    EXPECT_EQ(rows(nullptr), 0);
    EXPECT_EQ(columns(nullptr), 0);
    EXPECT_EQ(cell(nullptr, 0, 0), nullptr);
    freeText(nullptr);
    close(nullptr);
}

TEST_F(CsvDllTest, AnsiPath) {
    CsvTable* table = open(folder.Write("M\xFCller.csv", "x;y\n").c_str());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(Cell(table, 0, 1), "y");
    close(table);
}

TEST_F(CsvDllTest, EditorFilesReadBackExactly) {
    ExpectEditorFilesReadBack(200, [&](const std::string& bytes) { return ReadBack(bytes); });
}

TEST_F(CsvDllTest, OtherWritersTablesReadBackExactly) {
    ExpectOtherWritersReadBack([&](const std::string& bytes) { return ReadBack(bytes); });
}

// Programs link the import library; the binary must then import csv.dll by
// ordinal, with no names.
TEST(CsvImportLibrary, ImportsByOrdinal) {
    CsvTable* table = CsvOpen(nullptr);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(CsvRowCount(table), 0);

    const auto imports = ImportsFrom(GetModuleHandleA(nullptr), "csv.dll");
    for (const ImportedFunction& function : imports) {
        EXPECT_TRUE(function.byOrdinal) << function.name;
    }
    EXPECT_EQ(imports.size(), 2u);
}

} // namespace
