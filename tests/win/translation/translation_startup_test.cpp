#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "import_table.h"
#include "startup.h"
#include "table_files.h"
#include "tactr32_win.h"

namespace {

// The library's calls and how the wizard must import them: six by ordinal,
// the exception-list editor by name.
const struct {
    const char* label;
    const char* name;
} kTranslatorCalls[] = {
    {"TactrTranslate", MAKEINTRESOURCEA(5)},
    {"TactrTableDetails", MAKEINTRESOURCEA(13)},
    {"TactrLoadTables", MAKEINTRESOURCEA(17)},
    {"TactrUnloadTables", MAKEINTRESOURCEA(18)},
    {"TactrTableProperties", MAKEINTRESOURCEA(19)},
    {"TactrPrepareTable", MAKEINTRESOURCEA(38)},
    {"TactrEditExceptionList", "TactrEditExceptionList"},
};

TEST(TranslatorLink, EveryCallIsBoundToTheLibraryWhenTheProgramLoads) {
    HMODULE library = GetModuleHandleA("tactr32.dll");
    ASSERT_NE(nullptr, library) << "tactr32.dll was not loaded with the program";
    for (const auto& call : kTranslatorCalls) {
        void** slot = ImportSlot(GetModuleHandleA(nullptr), "tactr32.dll", call.name);
        ASSERT_NE(nullptr, slot) << call.label << " is not imported as the library exports it";
        EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, call.name)), *slot) << call.label;
    }
}

std::vector<std::string> g_prepared;
decltype(&TactrPrepareTable) g_realPrepare = nullptr;

UINT32 RecordPrepare(const char* table, const char* ruleFolder) {
    g_prepared.push_back(std::string(ruleFolder) + "|" + table);
    return g_realPrepare(table, ruleFolder);
}

// Start-up hands every "*.qrf" entry of the rule folder that is not a plain
// folder to the library, with the folder; the folder listing ignores case,
// so a capitalised extension is prepared although the page does not list it.
TEST(TranslatorStartUp, PreparesEveryTableOfTheRuleFolder) {
    const std::string rules = RuleFolder();
    ASSERT_FALSE(rules.empty());
    DataFiles files;
    files.Put(rules, "startup-alpha.qrf", "name Alpha\nletter a A 1\n");
    files.Put(rules, "startup-broken.qrf", "letter a A 9\n");
    files.Put(rules, "STARTUP-CAPS.QRF", "letter a A 1\n");
    files.Put(rules, "startup-old.qrf.bak", "letter a A 1\n");
    files.Put(rules, "startup-notes.txt", "not a table\n");
    files.Folder(rules, "startup-folder.qrf");
    files.Put(ExceptionFolder(), "startup-names.qrf", "word zug 1-2\n");

    g_prepared.clear();
    {
        ImportPatch patch(
            ImportSlot(GetModuleHandleA(nullptr), "tactr32.dll", MAKEINTRESOURCEA(38)),
            reinterpret_cast<void*>(RecordPrepare));
        ASSERT_NE(nullptr, patch.original());
        g_realPrepare = reinterpret_cast<decltype(&TactrPrepareTable)>(patch.original());
        PrepareProgram();
    }

    // Other tables of the shared prefix may be there too; only ours count.
    std::vector<std::string> ours;
    const std::string prefix = rules + "|" + rules + "startup-";
    for (const std::string& call : g_prepared) {
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, call.c_str(),
                           static_cast<int>(prefix.size()), prefix.c_str(),
                           static_cast<int>(prefix.size())) == CSTR_EQUAL) {
            ours.push_back(call.substr(prefix.size()));
        }
    }
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ((std::vector<std::string>{"CAPS.QRF", "alpha.qrf", "broken.qrf"}), ours);
}

} // namespace
