#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "label_ini_format.h"
#include "sample_sheets.h"
#include "sheet_library.h"
#include "win_test_support.h"

namespace {

std::vector<std::string> Names(const char* list) {
    std::vector<std::string> names;
    for (const char* p = list && *list ? list : nullptr; p; p = NextSectionName(p)) {
        names.push_back(p);
    }
    return names;
}

std::vector<std::string> ListNames(const std::string& ini) {
    char* list = ListSheetFormats(ini.c_str());
    std::vector<std::string> names = Names(list);
    FreeSheetFormatList(list);
    return names;
}

std::string Key(const std::string& ini, const char* section, const char* key) {
    char text[260];
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, ini.c_str());
    return text;
}

SheetFormat Sample() {
    SheetFormat f = A4TwoBySeven();
    std::strcpy(f.szName, "Sample");
    f.bInch = 1;
    f.wTextLeft = 11;
    f.wTextTop = 22;
    f.wTextWidth = 33;
    f.wTextHeight = 44;
    return f;
}

// Temporary folders may come back under the same name, and the platform
// caches profile files by path: every test gets file names of its own.
std::string UniqueName(const char* name) {
    static int counter = 0;
    return std::to_string(++counter) + name;
}

class SheetLibraryTest : public ::testing::Test {
  protected:
    TempFolder folder_;
    std::string ini_ = folder_.File(UniqueName("Label.ini"));
};

TEST_F(SheetLibraryTest, SavedFormatsReadBackWithoutTheTextBox) {
    const SheetFormat saved = Sample();
    ASSERT_EQ(1, SaveSheetFormat(ini_.c_str(), &saved, "Address labels"));

    const std::string text = ReadFileBytes(ini_);
    size_t at = text.find("[Address labels]");
    ASSERT_NE(std::string::npos, at);
    for (const char* key : kLabelIniKeys) {
        const size_t next = text.find(std::string(key) + "=", at);
        EXPECT_NE(std::string::npos, next) << key << " missing or out of order";
        at = next;
    }
    EXPECT_EQ("Yes", Key(ini_, "Address labels", "bInch"));
    EXPECT_EQ("<none>", Key(ini_, "Address labels", "wTextLeft"));

    SheetFormat loaded{};
    loaded.wTextLeft = 99;
    SheetFormat copy{};
    ASSERT_EQ(1, LoadSheetFormat(ini_.c_str(), &loaded, "Address labels", &copy));
    EXPECT_STREQ("Address labels", loaded.szName);
    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetField field = static_cast<SheetField>(i);
        EXPECT_EQ(GetSheetField(saved, field), GetSheetField(loaded, field)) << "field " << i;
    }
    EXPECT_EQ(1u, loaded.bInch);
    EXPECT_EQ(99, loaded.wTextLeft);
    EXPECT_EQ(0, std::memcmp(&loaded, &copy, sizeof copy));
}

TEST_F(SheetLibraryTest, NothingIsSavedWithoutAName) {
    const SheetFormat format = Sample();
    EXPECT_EQ(0, SaveSheetFormat(ini_.c_str(), &format, ""));
    EXPECT_EQ(0, SaveSheetFormat(ini_.c_str(), &format, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ini_.c_str()));
    EXPECT_EQ(0, SaveSheetFormat("", &format, "Name"));
    EXPECT_EQ(0, SaveSheetFormat(folder_.File("missing\\Label.ini").c_str(), &format, "Name"))
        << "a library that cannot be written is no success";
}

TEST_F(SheetLibraryTest, DamagedEntriesReadAsTheFileFormatSays) {
    ASSERT_TRUE(WriteFileBytes(ini_, "[Only width]\r\nwPaperWidth=11905\r\n"
                                     "[Odd]\r\nwPaperWidth=70000\r\nwPaperHeight=-5\r\n"
                                     "bInch=yes\r\n[One]\r\nbInch=1\r\n"));
    SheetFormat f = Sample();
    ASSERT_EQ(1, LoadSheetFormat(ini_.c_str(), &f, "Only width", nullptr));
    EXPECT_EQ(11905, f.wPaperWidth);
    for (int i = 1; i < kSheetFieldCount; ++i) {
        EXPECT_EQ(0, GetSheetField(f, static_cast<SheetField>(i))) << "field " << i;
    }
    EXPECT_EQ(0u, f.bInch);
    EXPECT_EQ(44, f.wTextHeight);

    ASSERT_EQ(1, LoadSheetFormat(ini_.c_str(), &f, "Odd", nullptr));
    EXPECT_EQ(4464, f.wPaperWidth);
    EXPECT_EQ(65531, f.wPaperHeight);
    EXPECT_EQ(0u, f.bInch);
    f.bInch = 1;
    ASSERT_EQ(1, LoadSheetFormat(ini_.c_str(), &f, "One", nullptr));
    EXPECT_EQ(0u, f.bInch);
}

TEST_F(SheetLibraryTest, AMissingLibraryStartsWithTheDefaultFormat) {
    SheetFormat f = Sample();
    SheetFormat copy{};
    ASSERT_EQ(1, LoadSheetFormat(ini_.c_str(), &f, "Labels", &copy));
    EXPECT_STREQ("Labels", f.szName);
    EXPECT_EQ(0u, f.wTextLeft);
    const char* expected[kLabelIniKeyCount] = {"11906", "16838", "0", "0", "5669", "2835",
                                               "1",     "1",     "1", "1", "No"};
    for (int i = 0; i < kLabelIniKeyCount; ++i) {
        EXPECT_EQ(expected[i], Key(ini_, "Labels", kLabelIniKeys[i])) << kLabelIniKeys[i];
    }
    EXPECT_EQ(0, std::memcmp(&f, &copy, sizeof f));
    EXPECT_EQ(std::vector<std::string>{"Labels"}, ListNames(ini_));
}

TEST_F(SheetLibraryTest, ListsNamesInFileOrderWithoutCuttingThem) {
    EXPECT_EQ(nullptr, ListSheetFormats(ini_.c_str()));
    ASSERT_TRUE(WriteFileBytes(ini_, "[A4 wide]\r\nwPaperWidth=1\r\n[A4]\r\nwPaperWidth=2\r\n"));
    EXPECT_EQ((std::vector<std::string>{"A4 wide", "A4"}), ListNames(ini_));

    std::string big;
    for (int i = 0; i < 60; ++i) {
        big += "[A long descriptive sheet format name, number " + std::to_string(i) +
               "]\r\nwPaperWidth=1\r\n";
    }
    ASSERT_TRUE(WriteFileBytes(ini_, big));
    const std::vector<std::string> names = ListNames(ini_);
    ASSERT_EQ(60u, names.size());
    EXPECT_EQ("A long descriptive sheet format name, number 59", names.back());
}

TEST_F(SheetLibraryTest, DeleteLeavesTheNeighboursName) {
    const struct {
        const char* deleted;
        const char* next;
        std::vector<std::string> left;
    } cases[] = {
        {"First", "Second", {"Second", "Third"}},
        {"Second", "First", {"First", "Third"}},
        {"Third", "Second", {"First", "Second"}},
        {"Missing", "Third", {"First", "Second", "Third"}},
    };
    for (const auto& c : cases) {
        ini_ = folder_.File(UniqueName("Label.ini"));
        ASSERT_TRUE(WriteFileBytes(ini_, "[First]\r\nwPaperWidth=1\r\n[Second]\r\nwPaperWidth=2\r\n"
                                         "[Third]\r\nwPaperWidth=3\r\n"));
        char name[100];
        std::strcpy(name, c.deleted);
        DeleteSheetFormat(ini_.c_str(), name, sizeof name);
        EXPECT_STREQ(c.next, name) << c.deleted;
        EXPECT_EQ(c.left, ListNames(ini_)) << c.deleted;
    }
    ini_ = folder_.File(UniqueName("Label.ini"));
    ASSERT_TRUE(WriteFileBytes(ini_, "[Only]\r\nwPaperWidth=1\r\n"));
    char name[100] = "Only";
    EXPECT_NE(0, DeleteSheetFormat(ini_.c_str(), name, sizeof name));
    EXPECT_STREQ("", name);
    EXPECT_TRUE(ListNames(ini_).empty());
}

TEST_F(SheetLibraryTest, SeedingAddsMissingSectionsAndKeepsTheUsers) {
    const std::string program = folder_.File(UniqueName("label.ini"));
    ASSERT_TRUE(WriteFileBytes(program, "[A4]\r\nwPaperWidth=11905\r\nbInch=No\r\n"
                                        "[Letter]\r\nwPaperWidth=12240\r\nbInch=Yes\r\n"
                                        "[Empty]\r\n"));
    ASSERT_TRUE(WriteFileBytes(ini_, "[Mine]\r\nwPaperWidth=5000\r\n[A4]\r\nwPaperWidth=100\r\n"));
    SeedSheetFormatsFrom(program.c_str(), ini_.c_str());
    EXPECT_EQ((std::vector<std::string>{"Mine", "A4", "Letter"}), ListNames(ini_));
    EXPECT_EQ("100", Key(ini_, "A4", "wPaperWidth"));
    EXPECT_EQ("<none>", Key(ini_, "A4", "bInch"));
    EXPECT_EQ("12240", Key(ini_, "Letter", "wPaperWidth"));
    EXPECT_EQ("Yes", Key(ini_, "Letter", "bInch"));
    EXPECT_EQ("5000", Key(ini_, "Mine", "wPaperWidth"));

    // A format the user deleted comes back at the next start.
    char name[100] = "Letter";
    DeleteSheetFormat(ini_.c_str(), name, sizeof name);
    SeedSheetFormatsFrom(program.c_str(), ini_.c_str());
    EXPECT_EQ("12240", Key(ini_, "Letter", "wPaperWidth"));
}

TEST_F(SheetLibraryTest, SeedingCreatesTheUsersLibrary) {
    const std::string program = folder_.File(UniqueName("label.ini"));
    ASSERT_TRUE(WriteFileBytes(program, "[A4]\r\nwPaperWidth=11905\r\n"));
    SeedSheetFormatsFrom(program.c_str(), ini_.c_str());
    EXPECT_EQ("11905", Key(ini_, "A4", "wPaperWidth"));
    SeedSheetFormatsFrom(folder_.File("missing.ini").c_str(), ini_.c_str());
    EXPECT_EQ(std::vector<std::string>{"A4"}, ListNames(ini_));
}

} // namespace
