#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "file_locations.h"
#include "paths.h"
#include "settings_win.h"
#include "win_test_support.h"

namespace {

// Every case starts from a settings key that does not exist.
class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKeyPath()); }

    static std::string LastDir() {
        char buffer[260] = "";
        GetLastDir(buffer, sizeof buffer);
        return buffer;
    }
};

TEST_F(SettingsTest, MissingValuesReadAsDefaults) {
    char buffer[260] = "junk";
    EXPECT_EQ(GetLastDir(buffer, sizeof buffer), 0);
    EXPECT_EQ(ReadLastProject(buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ReadMultipleImpacts(), 1u);
    EXPECT_EQ(ReadSelectedPrinter(buffer, sizeof buffer), 0);
    EXPECT_EQ(ReadLastSaved(buffer, sizeof buffer), 0);
}

TEST_F(SettingsTest, StringsRoundTripWithTheirTerminator) {
    WriteLastRuleFile("en-ueb-g2.qrf");
    WriteLastExceptionFile("names.qrf");
    WriteSelectedPrinter("Embosser on port 1");
    char buffer[260];
    ASSERT_EQ(ReadLastRuleFile(buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "en-ueb-g2.qrf");
    ASSERT_EQ(ReadLastExceptionFile(buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "names.qrf");
    ASSERT_EQ(ReadSelectedPrinter(buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "Embosser on port 1");

    DWORD type = 0;
    DWORD size = sizeof buffer;
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath(), 0, KEY_READ, &key), 0);
    RegQueryValueExA(key, "LastRuleFile", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof "en-ueb-g2.qrf");
}

// A 260-byte buffer holds 259 characters and the terminator; whatever the
// registry holds, the text read ends within the buffer.
TEST_F(SettingsTest, StringsFillTheirBufferAndNoMore) {
    const std::string longest(259, 'p');
    const struct {
        const char* name;
        std::string stored; // as written, terminator included or not
        int read;
        std::string text;
    } cases[] = {
        {"259 characters", longest + '\0', 1, longest},
        {"259 characters, no terminator", longest, 1, longest},
        {"260 characters, no terminator", longest + 'q', 0, ""},
        {"260 characters", longest + "q" + '\0', 0, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(RegWriteValue(HKEY_CURRENT_USER, SettingsKeyPath(), "SelectedPrinter", REG_SZ,
                                c.stored.data(), static_cast<DWORD>(c.stored.size())),
                  1);
        char buffer[261];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(ReadSelectedPrinter(buffer, 260), c.read) << c.name;
        EXPECT_EQ(buffer[260], '#') << c.name << ": nothing past the buffer";
        EXPECT_EQ(std::string(buffer, strnlen(buffer, 260)), c.text) << c.name;
    }
    WriteSelectedPrinter(longest.c_str());
    char buffer[260];
    EXPECT_EQ(ReadSelectedPrinter(buffer, sizeof buffer), 1) << "what is written reads back";
    EXPECT_EQ(std::string(buffer), longest);
}

TEST_F(SettingsTest, MultipleImpactsAreClamped) {
    const struct {
        DWORD written;
        DWORD read;
    } cases[] = {{0, 1}, {1, 1}, {3, 3}, {5, 5}, {6, 1}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases) {
        WriteMultipleImpacts(c.written);
        EXPECT_EQ(ReadMultipleImpacts(), c.read) << "written " << c.written;
    }
}

TEST_F(SettingsTest, LastProjectNameIsReadOnlyWithButtonOne) {
    WriteLastProject(1, "C:\\Labels\\a.dwp");
    char buffer[260];
    EXPECT_EQ(ReadLastProject(buffer, sizeof buffer), 1u);
    EXPECT_STREQ(buffer, "C:\\Labels\\a.dwp");
    DWORD zero = 0;
    RegWriteValue(HKEY_CURRENT_USER, SettingsKeyPath(), "LastProjectButton", REG_DWORD, &zero,
                  sizeof zero);
    EXPECT_EQ(ReadLastProject(buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "") << "button 0 leaves the path empty";
}

TEST_F(SettingsTest, LastSavedComesFromTheCsvSubkey) {
    const std::string key = std::string(SettingsKeyPath()) + "\\csv";
    const char path[] = "C:\\data\\names.csv";
    ASSERT_EQ(RegWriteValue(HKEY_CURRENT_USER, key.c_str(), "LastSaved", REG_SZ, path, sizeof path),
              1);
    char buffer[260];
    ASSERT_EQ(ReadLastSaved(buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, path);
}

TEST_F(SettingsTest, SetLastDirStoresTheNearestExistingFolder) {
    TempFolder folder;
    const std::string file = folder.File("label.dwp");
    WriteFileBytes(file, "x");
    const struct {
        std::string path;
        std::string stored;
    } cases[] = {
        {folder.path(), folder.path()},
        {file, folder.path()},
        {folder.File("gone\\deeper\\label.dwp"), folder.path()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SetLastDir(c.path.c_str()), 1) << c.path;
        EXPECT_EQ(LastDir(), c.stored) << c.path;
    }
}

TEST_F(SettingsTest, SetLastDirIgnoresWhatItCannotUse) {
    const std::string tooLong = "C:\\" + std::string(257, 'a');
    ASSERT_EQ(tooLong.size(), 260u);
    EXPECT_EQ(SetLastDir(tooLong.c_str()), 0);
    EXPECT_EQ(SetLastDir(nullptr), 0);
    EXPECT_EQ(SetLastDir("no-folder-at-all"), 0);
    EXPECT_EQ(LastDir(), "") << "nothing may be written";
}

TEST(PathsTest, DataFoldersLieUnderTheCommonApplicationData) {
    char common[MAX_PATH];
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, 0x23, nullptr, 0, common)));
    const std::string data = std::string(common) + "\\Vantor\\Dotwell 5.0\\";
    char dest[MAX_PATH];
    EXPECT_EQ(std::string(DataFolderPath(dest, sizeof dest, nullptr)), data);
    EXPECT_EQ(std::string(DataFolderPath(dest, sizeof dest, "Label.ini")), data + "Label.ini");
    EXPECT_EQ(std::string(RuleFilePath(dest, sizeof dest, "")), data + "RuleFiles\\");
    EXPECT_EQ(std::string(RuleFilePath(dest, sizeof dest, "de-g0.qrf")),
              data + "RuleFiles\\de-g0.qrf");
    EXPECT_EQ(std::string(ExceptionFilePath(dest, sizeof dest, nullptr)),
              data + "ExceptionFiles\\");
}

TEST(PathsTest, ModuleFolderIsTheTestProgramsFolder) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string folder = module;
    folder.resize(folder.rfind('\\'));
    char dest[MAX_PATH];
    EXPECT_EQ(std::string(ModuleFolderPath(dest, sizeof dest, nullptr)), folder);
    EXPECT_EQ(std::string(ModuleFolderPath(dest, sizeof dest, "Dotwell.chm")),
              folder + "\\Dotwell.chm");
}

} // namespace
