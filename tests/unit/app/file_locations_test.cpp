#include <gtest/gtest.h>

#include <set>
#include <string>

#include "file_locations.h"

namespace {

TEST(FileLocations, VersionedNames) {
    EXPECT_STREQ(SettingsKeyPath(), "Software\\Vantor\\Dotwell 5.0");
    EXPECT_STREQ(VersionedDataFolder(), "Vantor\\Dotwell 5.0\\");
    EXPECT_STREQ(FullVersionText(), "5.0.3.6268");
}

TEST(FileLocations, ModuleFolder) {
    const struct {
        const char* module;
        const char* name;
        const char* expected;
        int result;
    } cases[] = {
        {"C:\\Program Files\\Dotwell\\dotwell.exe", nullptr, "C:\\Program Files\\Dotwell", 1},
        {"C:\\Program Files\\Dotwell\\dotwell.exe", "", "C:\\Program Files\\Dotwell", 1},
        {"C:\\Dotwell\\dotwell.exe", "Dotwell.chm", "C:\\Dotwell\\Dotwell.chm", 1},
        {"C:\\dotwell.exe", "label.ini", "C:\\label.ini", 1},
        {"dotwell.exe", "Dotwell.chm", "", 0},
    };
    for (const auto& c : cases) {
        char dest[260] = "junk";
        EXPECT_EQ(ComposeModuleFolderPath(dest, sizeof dest, c.module, c.name), c.result);
        EXPECT_STREQ(dest, c.expected) << c.module;
    }
}

TEST(FileLocations, DataFolderAndItsFiles) {
    char dest[260];
    ASSERT_EQ(ComposeDataFolderPath(dest, sizeof dest, "C:\\ProgramData", nullptr), 1);
    EXPECT_STREQ(dest, "C:\\ProgramData\\Vantor\\Dotwell 5.0\\");
    ASSERT_EQ(ComposeDataFolderPath(dest, sizeof dest, "C:\\ProgramData\\", "RuleFiles\\"), 1);
    EXPECT_STREQ(dest, "C:\\ProgramData\\Vantor\\Dotwell 5.0\\RuleFiles\\");
    AppendFileName(dest, sizeof dest, "");
    EXPECT_STREQ(dest, "C:\\ProgramData\\Vantor\\Dotwell 5.0\\RuleFiles\\");
    AppendFileName(dest, sizeof dest, "en-ueb-g2.qrf");
    EXPECT_STREQ(dest, "C:\\ProgramData\\Vantor\\Dotwell 5.0\\RuleFiles\\en-ueb-g2.qrf");
}

TEST(FileLocations, TooLongForTheBufferGivesEmpty) {
    char dest[40];
    const std::string base(30, 'x');
    EXPECT_EQ(ComposeDataFolderPath(dest, sizeof dest, base.c_str(), nullptr), 0);
    EXPECT_STREQ(dest, "");
    EXPECT_EQ(ComposeDataFolderPath(dest, sizeof dest, "C:", "a-name-that-is-too-long.txt"), 0);
    EXPECT_STREQ(dest, "");
    char folder[16] = "C:\\Folder";
    AppendFileName(folder, sizeof folder, "long-name.txt");
    EXPECT_STREQ(folder, "C:\\Folder") << "a name that does not fit is not appended";
}

TEST(FileLocations, NearestExistingFolder) {
    const std::set<std::string> folders = {"C:\\Users", "C:\\Users\\me\\Documents", "C:"};
    auto isFolder = [&](const std::string& path) { return folders.count(path) > 0; };
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Users\\me\\Documents", "C:\\Users\\me\\Documents"},
        {"C:\\Users\\me\\Documents\\label.dwp", "C:\\Users\\me\\Documents"},
        {"C:\\Users\\gone\\deeper\\label.dwp", "C:\\Users"},
        {"nowhere.dwp", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestExistingFolder(c.path, isFolder), c.expected) << c.path;
    }
}

} // namespace
