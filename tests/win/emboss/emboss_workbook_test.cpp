#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "emboss_page_fixture.h"
#include "excel_automation_win.h"
#include "external_editor_win.h"
#include "fixture_writer.h"
#include "label_fields.h"

namespace {

std::mutex g_messagesLock;
std::vector<DWORD> g_messageThreads;

void RecordAutomationMessage(const char*, const char*) {
    std::lock_guard<std::mutex> lock(g_messagesLock);
    g_messageThreads.push_back(GetCurrentThreadId());
}

// The Emboss page on a workbook read through the stand-in spreadsheet
// application, with the application's failure messages recorded instead of
// shown.
class EmbossWorkbookTest : public EmbossPageTest {
  protected:
    static void SetUpTestSuite() {
        EmbossPageTest::SetUpTestSuite();
        ASSERT_EQ(1, RunAndWait("\"%s\" /regserver", WinePath(AUTOMATION_SERVER_EXE).c_str()));
    }
    static void TearDownTestSuite() {
        RunAndWait("\"%s\" /unregserver", WinePath(AUTOMATION_SERVER_EXE).c_str());
        EmbossPageTest::TearDownTestSuite();
    }

    void SetUp() override {
        EmbossPageTest::SetUp();
        g_messageThreads.clear();
        SetAutomationErrorSink(RecordAutomationMessage);
    }
    void TearDown() override {
        EmbossPageTest::TearDown();
        SetAutomationErrorSink(nullptr);
    }

    // Messages of the job's worker; the page's previews show their own.
    size_t WorkerMessages() {
        std::lock_guard<std::mutex> lock(g_messagesLock);
        size_t count = 0;
        for (DWORD thread : g_messageThreads)
            count += thread != GetCurrentThreadId();
        return count;
    }
};

// A failing call of the spreadsheet application ends the job at its first
// label with the application's one message, and nothing is printed: a read
// that fails, or a workbook gone since the page showed it. The page adds no
// message of its own.
TEST_F(EmbossWorkbookTest, FailingCallEndsTheJobWithOneMessage) {
    const struct {
        const char* name;
        const char* labelText;
        bool deleted;
    } cases[] = {
        // Column NAME lies beyond the sheet's last column: every read fails.
        {"read fails", "{NAME}", false},
        {"workbook deleted", "{A}", true},
    };
    const std::string book = project_.File("names.xls");
    const Bytes bytes = MakeXls({}, {Label(0, 0, u"Ann", false), Label(1, 0, u"Bob", false),
                                     Label(2, 0, u"Cy", false), Label(3, 0, u"Di", false)});
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(book, std::string(bytes.begin(), bytes.end())));
        lstrcpyA(state_.szDatabaseFile, book.c_str());
        lstrcpyA(state_.szLabelText, c.labelText);
        ScanLabelFields(&state_);
        state_.nToLabel = 4;
        Open();
        ASSERT_EQ(state_.nMaxLabel, 4) << c.name;
        if (c.deleted) {
            ASSERT_TRUE(DeleteFileA(book.c_str())) << c.name;
        }
        {
            std::lock_guard<std::mutex> lock(g_messagesLock);
            g_messageThreads.clear();
        }

        DialogAnswerer answerer({IDOK});
        Click(IDC_EMBOSS);
        ASSERT_TRUE(PumpUntil([&] { return Text(IDC_EMBOSS) == "&Emboss..."; }, 60000)) << c.name;
        EXPECT_EQ(WorkerMessages(), 1u) << c.name;
        EXPECT_TRUE(answerer.seen().empty()) << c.name;
        EXPECT_EQ(Text(IDC_STATUS), "Could not create a print job") << c.name;
        EXPECT_TRUE(ReadFileBytes(portFile_).empty()) << c.name << ": printed";
        DestroyWindow(frame_);
        PumpPending();
    }
}

} // namespace
