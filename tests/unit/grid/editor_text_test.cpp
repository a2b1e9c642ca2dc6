#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor_text.h"

TEST(CommandLine, QuotesAreDropped) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\My Data\\list.csv\"", "C:\\My Data\\list.csv"},
        {"C:\\list.csv", "C:\\list.csv"},
        {"\"C:\\list.csv", "C:\\list.csv"},
        {"C:\\list.csv\"", "C:\\list.csv"},
        {"\"", ""},
    };
    for (const auto& c : cases) {
        char path[kPathBuffer];
        ASSERT_TRUE(UnquoteCommandLine(c.first, path)) << c.first;
        EXPECT_STREQ(path, c.second);
    }
}

TEST(CommandLine, TooLongAPathIsRefused) {
    std::string longPath = "C:\\" + std::string(300, 'a') + ".csv";
    char path[kPathBuffer] = "old";
    EXPECT_FALSE(UnquoteCommandLine(longPath.c_str(), path));
    EXPECT_STREQ(path, "");
    std::string fits = "\"" + std::string(259, 'b') + "\"";
    EXPECT_TRUE(UnquoteCommandLine(fits.c_str(), path));
}

TEST(KeyPath, FromTheWizardsFileVersion) {
    const std::pair<const char*, const char*> cases[] = {
        {"5, 0, 3, 6268", "Software\\Vantor\\Dotwell 5.0\\csv"},
        {"5,0,3,6268", "Software\\Vantor\\Dotwell 5.0\\csv"},
        {"12, 34, 0, 1", "Software\\Vantor\\Dotwell 12.34\\csv"},
    };
    for (const auto& c : cases) {
        char path[kPathBuffer];
        ASSERT_TRUE(KeyPathFromVersion(c.first, path, sizeof path)) << c.first;
        EXPECT_STREQ(path, c.second);
    }
    char path[kPathBuffer];
    EXPECT_FALSE(KeyPathFromVersion("5.0.3.6268", path, sizeof path));
    EXPECT_FALSE(KeyPathFromVersion("5, 0, 3", path, sizeof path));
    EXPECT_FALSE(KeyPathFromVersion("", path, sizeof path));
}

TEST(LastDir, FromAPickedPath) {
    std::map<std::string, PathKind> disk = {
        {"C:\\Data", PATH_FOLDER},
        {"C:\\Data\\names.csv", PATH_FILE},
        {"C:", PATH_FOLDER},
        {"C:\\odd", PATH_FILE},
    };
    auto kindOf = [&](const char* path) {
        auto it = disk.find(path);
        return it == disk.end() ? PATH_MISSING : it->second;
    };
    const std::pair<const char*, const char*> stored[] = {
        {"C:\\Data\\names.csv", "C:\\Data"},
        {"C:\\Data", "C:\\Data"},
        {"C:\\Data\\new.csv", "C:\\Data\\new.csv"}, // not there yet: kept whole
        {"C:\\odd", "C:"},
    };
    for (const auto& c : stored) {
        char out[kPathBuffer];
        ASSERT_TRUE(LastDirFromPath(c.first, kindOf, out)) << c.first;
        EXPECT_STREQ(out, c.second);
    }
    disk["names.csv"] = PATH_FILE;
    char out[kPathBuffer];
    EXPECT_FALSE(LastDirFromPath("names.csv", kindOf, out)) << "no backslash";
    std::string longPath(260, 'a');
    EXPECT_FALSE(LastDirFromPath(longPath.c_str(), kindOf, out));
}
