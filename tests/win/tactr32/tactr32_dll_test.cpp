// Loads tactr32.dll and calls it by its ordinals, the contract every caller
// of the library (the wizard through its import library) relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tactr32_win.h"
#include "win_test_support.h"

namespace {

using PrepareFn = UINT32 (*)(const char*, const char*);
using LoadFn = UINT32 (*)(const char*, const char*);
using UnloadFn = UINT32 (*)();
using TranslateFn = UINT32 (*)(const char*, char*, char*, UINT32, UINT32, UINT32);
using PropertiesFn = UINT32 (*)(HWND, const char*, char*, UINT32);
using DetailsFn = UINT32 (*)(const char*, char*, UINT32);
using EditFn = UINT32 (*)(HWND, const char*, const char*);

class TactrDll : public testing::Test {
  protected:
    void SetUp() override {
        dll = LoadLibraryA("tactr32.dll");
        ASSERT_NE(nullptr, dll);
        prepare = reinterpret_cast<PrepareFn>(Ordinal(38));
        load = reinterpret_cast<LoadFn>(Ordinal(17));
        unload = reinterpret_cast<UnloadFn>(Ordinal(18));
        translate = reinterpret_cast<TranslateFn>(Ordinal(5));
        properties = reinterpret_cast<PropertiesFn>(Ordinal(19));
        details = reinterpret_cast<DetailsFn>(Ordinal(13));
        edit = reinterpret_cast<EditFn>(
            reinterpret_cast<void*>(GetProcAddress(dll, "TactrEditExceptionList")));
        ASSERT_TRUE(prepare && load && unload && translate && properties && details && edit);
    }
    void TearDown() override {
        if (dll) {
            if (unload)
                unload();
            FreeLibrary(dll);
        }
    }
    void* Ordinal(int n) {
        return reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(n)));
    }

    // Translates like the wizard: 1008-byte work and 1024-byte braille
    // buffers, guarded so an overrun shows.
    std::string Translate(const std::string& text) {
        char work[1008 + 16], braille[1024 + 16];
        std::memset(work, 0x5A, sizeof work);
        std::memset(braille, 0x5A, sizeof braille);
        translate(text.c_str(), work, braille, 0, 0, 1);
        for (size_t i = 1008; i < sizeof work; ++i)
            EXPECT_EQ(0x5A, work[i]) << "work buffer overrun";
        for (size_t i = 1024; i < sizeof braille; ++i)
            EXPECT_EQ(0x5A, braille[i]) << "braille buffer overrun";
        return std::string(braille, strnlen(braille, 1024));
    }

    HMODULE dll = nullptr;
    PrepareFn prepare = nullptr;
    LoadFn load = nullptr;
    UnloadFn unload = nullptr;
    TranslateFn translate = nullptr;
    PropertiesFn properties = nullptr;
    DetailsFn details = nullptr;
    EditFn edit = nullptr;
};

TEST_F(TactrDll, TranslatesAfterLoadingWithTheExceptionFolder) {
    std::string rules = SourcePath("libs/tactr32/tables/"), exceptions = rules + "exceptions\\";
    EXPECT_NE(0u, prepare((rules + "en-ueb-g1.qrf").c_str(), rules.c_str()));
    ASSERT_NE(0u, load((rules + "en-ueb-g1.qrf").c_str(), exceptions.c_str()));
    // "Ab" then CR LF then "1": capital a b, numeric 1.
    EXPECT_EQ(std::string("\x60\x41\x43\r\n\x7C\x41"), Translate("Ab\r\n1"));
    ASSERT_NE(0u, load((rules + "en-ueb-g2.qrf").c_str(), (exceptions + "names.qrf").c_str()));
    EXPECT_EQ(std::string("\x60\x57\x51\x41\x5B\x41\x5D"), Translate("Reagan"));
    EXPECT_EQ(1023u, Translate(std::string(4095, 'x')).size());
    unload();
    EXPECT_EQ("", Translate("Ab"));
}

TEST_F(TactrDll, FailedLoadMeansNoTranslation) {
    std::string rules = SourcePath("libs/tactr32/tables/");
    EXPECT_EQ(0u, load((rules + "nothing.qrf").c_str(), (rules + "exceptions\\").c_str()));
    EXPECT_EQ(0u, prepare((rules + "nothing.qrf").c_str(), rules.c_str()));
    EXPECT_EQ("", Translate("Ab"));
}

TEST_F(TactrDll, DetailsFitTheBuffer) {
    std::string table = SourcePath("libs/tactr32/tables/de-g0.qrf");
    char buf[1024];
    details(table.c_str(), buf, sizeof buf);
    EXPECT_EQ(0, std::strncmp(buf, "Deutsch Basisschrift\nGerman braille", 35)) << buf;
    EXPECT_EQ(nullptr, std::strchr(buf, '\r'));
    char small[8 + 4];
    std::memset(small, 0x5A, sizeof small);
    details(table.c_str(), small, 8);
    EXPECT_STREQ("Deutsch", small);
    EXPECT_EQ(0x5A, small[8]);
}

TEST_F(TactrDll, CancelledPropertiesLeaveTheBufferEmpty) {
    std::string table = SourcePath("libs/tactr32/tables/de-g0.qrf");
    char buf[260] = {};
    DialogAnswerer answerer({IDCANCEL});
    properties(nullptr, table.c_str(), buf, sizeof buf);
    EXPECT_EQ(answerer.seen().size(), 1u) << "the properties dialog was shown";
    EXPECT_STREQ("", buf);
}

// dotwell.exe links the import library, which imports by ordinal.
TEST(TactrImportLibrary, CallsResolve) {
    char buf[64];
    TactrTableDetails(SourcePath("libs/tactr32/tables/sv-g0.qrf").c_str(), buf, sizeof buf);
    EXPECT_EQ(0, std::strncmp(buf, "Svenska punktskrift\n", 20)) << buf;
    EXPECT_EQ(0u, TactrLoadTables(SourcePath("nothing.qrf").c_str(), ""));
}

} // namespace
