#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "embview_cells.h"
#include "embview_decode.h"
#include "job_framing.h"
#include "label_placement.h"
#include "page_grid.h"
#include "virtual_queues.h"

namespace {

class VectorSink : public JobSink {
  public:
    int Write(const void* pData, size_t cb) override {
        const auto* p = static_cast<const uint8_t*>(pData);
        bytes.insert(bytes.end(), p, p + cb);
        return 1;
    }
    std::vector<uint8_t> bytes;
};

// "ABC" style text: label n gets n cells of dots 1..n, on two lines.
int NumberedLabel(char* pBuffer, int32_t nRecord, AppState*) {
    size_t pos = 0;
    for (int line = 0; line < 2; ++line) {
        for (int32_t c = 0; c < nRecord; ++c)
            pBuffer[pos++] = static_cast<char>(0x40 | (c + line + 1));
        pBuffer[pos++] = 0;
    }
    pBuffer[pos] = 0;
    return 1;
}

// The spooler writes the port file on its own time: wait for every byte.
std::vector<uint8_t> ReadWhenComplete(const std::string& path, size_t size) {
    std::vector<uint8_t> data;
    DWORD deadline = GetTickCount() + 20000;
    while (static_cast<LONG>(deadline - GetTickCount()) > 0) {
        data.clear();
        if (FILE* f = fopen(path.c_str(), "rb")) {
            uint8_t buf[4096];
            size_t got;
            while ((got = fread(buf, 1, sizeof buf, f)) > 0)
                data.insert(data.end(), buf, buf + got);
            fclose(f);
        }
        if (data.size() >= size)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return data;
}

TEST(SpooledJob, EmbosserQueueReceivesTheCellsComposed) {
    AppState state{};
    SheetFormat& f = state.Sheet;
    f.wPaperWidth = 12240; // letter
    f.wPaperHeight = 15840;
    f.wLabelWidth = 5669;
    f.wLabelHeight = 2835;
    f.wNumHorizontal = 2;
    f.wNumVertical = 5;
    f.wTextLeft = 283;
    f.wTextTop = 283;
    f.wTextWidth = 5102;
    f.wTextHeight = 2268;

    uint32_t W = PageGridWidth(f.wPaperWidth), H = PageGridHeight(f.wPaperHeight);
    uint8_t* grid = AllocPageGrid(W, H);
    ASSERT_NE(grid, nullptr);
    VectorSink sink;
    LabelJob job = MakeLabelJob(&state, grid, W, H, &sink, NumberedLabel);
    ASSERT_TRUE(
        WriteJobHeader(sink, PaperWholeInches(f.wPaperWidth), PaperWholeInches(f.wPaperHeight), 3));
    for (int32_t n = 1; n <= 12; ++n)
        ASSERT_TRUE(PlaceNextLabel(job, n, n));
    ASSERT_TRUE(PlaceNextLabel(job, -1, 0));
    ASSERT_TRUE(WriteJobEnd(sink));
    FreePageGrid(grid);

    char temp[MAX_PATH], folder[kPortPathSize], port[kPortPathSize];
    GetTempPathA(MAX_PATH, temp);
    ASSERT_TRUE(ToUnixFolder(temp, folder, sizeof folder));
    const VirtualQueue queue = {"Spool Test Ridgeline", "Vantor Ridgeline V4", 0};
    ASSERT_TRUE(AddVirtualQueue(queue, folder, port, sizeof port));
    std::string portFile = std::string(temp) + "Spool_Test_Ridgeline.prn";
    DeleteFileA(portFile.c_str());

    // Sent in blocks of 1024 bytes, as the wizard sends a spool file.
    char name[] = "Spool Test Ridgeline", docName[] = "job", datatype[] = "RAW";
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterA(name, &printer, nullptr));
    DOC_INFO_1A doc = {docName, nullptr, datatype};
    ASSERT_TRUE(StartDocPrinterA(printer, 1, reinterpret_cast<LPBYTE>(&doc)));
    for (size_t at = 0; at < sink.bytes.size(); at += 1024) {
        DWORD n = static_cast<DWORD>(std::min<size_t>(1024, sink.bytes.size() - at)), written = 0;
        ASSERT_TRUE(WritePrinter(printer, sink.bytes.data() + at, n, &written));
        ASSERT_EQ(written, n);
    }
    EndDocPrinter(printer);
    ClosePrinter(printer);

    std::vector<uint8_t> arrived = ReadWhenComplete(portFile, sink.bytes.size());
    ASSERT_EQ(arrived, sink.bytes);
    EmbJob decoded;
    DecodeError err;
    ASSERT_TRUE(DecodeJob(arrived.data(), arrived.size(), &decoded, &err))
        << err.nOffset << ": " << err.message;
    EXPECT_EQ(decoded.nPaperWidth, 9000);
    EXPECT_EQ(decoded.nImpacts, 3);
    ASSERT_EQ(decoded.sheets.size(), 2u);
    size_t labels = 0;
    for (size_t s = 0; s < decoded.sheets.size(); ++s) {
        SheetCells cells = ReadSheetCells(decoded.sheets[s], &f);
        EXPECT_EQ(cells.nStrayDots, 0u);
        for (const LabelCells& label : cells.labels) {
            int32_t n = static_cast<int32_t>(s) * 10 + (label.nRow - 1) * 2 + label.nColumn;
            ASSERT_EQ(label.lines.size(), 2u) << n;
            EXPECT_EQ(label.lines[0].size(), static_cast<size_t>(n)) << n;
            EXPECT_EQ(label.lines[1].back(), n + 1) << n;
            ++labels;
        }
    }
    EXPECT_EQ(labels, 12u);
    RemoveVirtualQueue(queue.szQueue);
    DeleteFileA(portFile.c_str());
}

} // namespace
