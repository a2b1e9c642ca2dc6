// The wizard's string table, pictures and version, read back from the linked
// resources the way the program reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "resource.h"

namespace {

std::string LoadText(UINT id) {
    char buffer[1024] = {};
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

struct StringCase {
    UINT id;
    const char* text;
};

// Texts the pages, the project files and the job show; typos are the
// product's own and are kept.
constexpr StringCase kStrings[] = {
    {1, "Welcome"},
    {2, "Sheet Format"},
    {3, "Label Layout"},
    {4, "Translation"},
    {5, "Database connection"},
    {6, "Emboss"},
    {7, "\nThis wizard will help you emboss labels on any Vantor Embosser.\nPress Next to "
        "continue."},
    {8, "\nSelect a predefined sheet format or design a custom format."},
    {9, "\nPosition the text on the label and select an appropriate size for the textbox. You "
        "can add text fields with the syntax {X}"},
    {10, "\nSelect the data source."},
    {11, "Select an Excel Workbook"},
    {12, "Dotwell"},
    {14, "Save your project file"},
    {15, "This file is not a Dotwell Project."},
    {16, "\nPress the browse button to select an existing Label project or press next to create "
         "a new project."},
    {17, "Project"},
    {18, "Select a Dotwell Project File"},
    {19, "untitled.dwp"},
    {20, "Would you like to save your session as a project file?"},
    {21, "\nSelect a translation file and exception list"},
    {22, "Save your print job."},
    {23, "&Abort..."},
    {24, "&Emboss..."},
    {25, "Processing lable %d of %d"},
    {26, "Spooling %d of %d"},
    {30, "Could not write data to the printer."},
    {31, "Coul not creatte a spool file."},
    {32, "Could not open the printer."},
    {33, "Could not create a print job"},
    {34, "Could not allocate memory."},
    {35, "the spoolfile is already open."},
    {36, "User abort."},
    {37, "Print job successfully completed."},
    {38, "\nSelect start position on sheet and range of labels to emboss from."},
    {41, "Label %d of max %d labels"},
    {42, "&Create..."},
    {49, "No Printer drivers for Dotwell found!\nYou need to install a valid printer driver in "
         "order to Emboss Labels."},
    {50, "&Finish"},
    {51, "Exel workbooks (*.xls)|*.xls|Comma separeted files(*.csv)|*.csv||"},
    {52, "Comma separeted files(*.csv)|*.csv||"},
    {53, "Comma separeted files(*.csv)|*.csv||"},
    {54, "&Edit..."},
    {201, "The data file %s could not be opened.\n\nIt may have been moved, deleted or in use by "
          "another program. No labels were embossed."},
    {202, "The translation table %s could not be loaded.\n\nIt may have been removed or damaged; "
          "choose a table on the Translation page. No labels were embossed."},
};

TEST(WizardStrings, TextsStandAsTheProgramShowsThem) {
    for (const auto& c : kStrings) {
        EXPECT_EQ(LoadText(c.id), c.text) << "string " << c.id;
    }
}

TEST(WizardStrings, EveryJobResultCodeHasAText) {
    // The Emboss page shows base + code for codes 0 to 6.
    for (int code = 0; code <= 6; ++code) {
        EXPECT_FALSE(LoadText(IDS_JOB_RESULT_BASE + code).empty()) << "code " << code;
    }
}

TEST(WizardStrings, FiltersEndWithTheirSeparatorAndPairUp) {
    // The Browse dialog turns every separator into a NUL: an even number of
    // fields followed by the empty one that ends the list.
    for (UINT id : {IDS_FILTER_WORKBOOK_CSV, IDS_FILTER_CSV, IDS_FILTER_CSV_ONLY}) {
        std::string filter = LoadText(id);
        ASSERT_GE(filter.size(), 2u) << "string " << id;
        char separator = filter.back();
        EXPECT_EQ(filter[filter.size() - 2], separator) << "string " << id;
        size_t fields = 0;
        for (char ch : filter.substr(0, filter.size() - 1)) {
            fields += ch == separator;
        }
        EXPECT_EQ(fields % 2, 0u) << "string " << id << ": " << filter;
    }
}

TEST(WizardPictures, WelcomeBitmapIs740By465TrueColour) {
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_WELCOME),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 740);
    EXPECT_EQ(std::abs(dib.dsBm.bmHeight), 465);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(bitmap);
}

#pragma pack(push, 2)
struct IconDirEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDir {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirEntry entries[1];
};
#pragma pack(pop)

TEST(WizardPictures, IconHasSmallMediumAndLargeImages) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(IDI_DOTWELL), MAKEINTRESOURCEA(14));
    ASSERT_NE(found, nullptr);
    const auto* dir = static_cast<const IconDir*>(LockResource(LoadResource(self, found)));
    ASSERT_NE(dir, nullptr);
    std::set<int> sizes;
    for (WORD i = 0; i < dir->count; ++i) {
        EXPECT_EQ(dir->entries[i].width, dir->entries[i].height);
        sizes.insert(dir->entries[i].width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(self, MAKEINTRESOURCEA(IDI_DOTWELL), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size << " px";
        DestroyIcon(icon);
    }
}

TEST(WizardVersion, FileVersionTextAndNumbersAgree) {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "5, 0, 3, 6268");

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(0, 5)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(6268, 3)));
}

} // namespace
