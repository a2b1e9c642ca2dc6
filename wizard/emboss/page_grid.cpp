#include "page_grid.h"

#include <cstdlib>
#include <cstring>

#include "units.h"

int64_t TwipsToUnits(int64_t nTwips) {
    return static_cast<int64_t>(TwipsToMm(static_cast<double>(nTwips), 0)) * 2;
}

uint32_t PageGridWidth(uint16_t wPaperWidth) {
    uint32_t w = static_cast<uint32_t>(TwipsToUnits(wPaperWidth));
    return (w + 7) / 8 * 8;
}

uint32_t PageGridHeight(uint16_t wPaperHeight) {
    return static_cast<uint32_t>(TwipsToUnits(wPaperHeight));
}

uint8_t* AllocPageGrid(uint32_t W, uint32_t H) {
    size_t cb = static_cast<size_t>(W) * H;
    auto* grid = static_cast<uint8_t*>(malloc(cb ? cb : 1));
    if (grid)
        memset(grid, kNoDot, cb);
    return grid;
}

void FreePageGrid(uint8_t* pGrid) {
    free(pGrid);
}

void ClearPageGrid(uint8_t* pGrid, uint32_t W, uint32_t H) {
    memset(pGrid, kNoDot, static_cast<size_t>(W) * H);
}

void DrawBrailleCell(uint8_t* pGrid, int64_t x, int64_t y, uint8_t cell, uint32_t W, uint32_t H) {
    // Dot n (1..6) sits in column (n - 1) / 3 and row (n - 1) % 3.
    for (int bit = 0; bit < 6; ++bit) {
        if (!(cell & (1u << bit)))
            continue;
        int64_t col = x + (bit / 3) * kDotPitch;
        int64_t row = y + (bit % 3) * kDotPitch;
        // A text box past the paper's edge must not write outside the sheet.
        if (col < 0 || row < 0 || col >= W || row >= H)
            continue;
        pGrid[row * W + col] = kDot;
    }
}

void DrawBrailleLine(uint8_t* pGrid, int64_t x, int64_t y, const char* pLine, size_t cbLine,
                     uint32_t W, uint32_t H) {
    for (size_t i = 0; i < cbLine; ++i) {
        int64_t cx = x + kCellPitch * static_cast<int64_t>(i);
        if (cx >= W)
            break;
        DrawBrailleCell(pGrid, cx, y, static_cast<uint8_t>(pLine[i]), W, H);
    }
}

int EmitLineSpacing(JobSink& sink, uint32_t nRows) {
    const uint8_t bytes[] = {0x1B, 0x0B, 0x04, 0x05, 0x00, static_cast<uint8_t>(5 * nRows)};
    return sink.Write(bytes, sizeof bytes);
}

int EmitDotRow(JobSink& sink, const uint8_t* pRow, uint32_t cbRow, uint32_t nRowsCovered) {
    static const uint8_t kLineFeed = 0x0A;
    uint32_t first = nRowsCovered < kMaxLineSpacingRows ? nRowsCovered : kMaxLineSpacingRows;
    const uint8_t header[] = {0x1B, 0x5C, static_cast<uint8_t>(cbRow), 0x00};
    if (!EmitLineSpacing(sink, first) || !sink.Write(header, sizeof header) ||
        !sink.Write(pRow, cbRow) || !sink.Write(&kLineFeed, 1))
        return 0;
    // Empty rows beyond one line feed's reach are crossed in further steps.
    for (uint32_t left = nRowsCovered - first; left > 0;) {
        uint32_t step = left < kMaxLineSpacingRows ? left : kMaxLineSpacingRows;
        if (!EmitLineSpacing(sink, step) || !sink.Write(&kLineFeed, 1))
            return 0;
        left -= step;
    }
    return 1;
}

namespace {

bool RowHasDots(const uint8_t* pRow, uint32_t W) {
    return memchr(pRow, kDot, W) != nullptr;
}

// Column 8j + b goes to bit b of byte j.
void PackRow(const uint8_t* pRow, uint32_t W, uint8_t* pPacked) {
    for (uint32_t j = 0; j < W / 8; ++j) {
        uint8_t bits = 0;
        for (uint32_t b = 0; b < 8; ++b)
            if (pRow[8 * j + b] == kDot)
                bits |= static_cast<uint8_t>(1u << b);
        pPacked[j] = bits;
    }
}

} // namespace

int EmitPage(uint8_t* pGrid, JobSink& sink, uint32_t W, uint32_t H, int bLast) {
    if (W % 8 != 0 || W / 8 > kMaxRowBytes)
        return 0;
    uint8_t packed[kMaxRowBytes];
    int ok = 1;
    // Row 0 is always written, then only rows with dots, each covering the
    // empty rows below it.
    for (uint32_t r = 0; ok && r < H;) {
        uint32_t next = r + 1;
        while (next < H && !RowHasDots(pGrid + static_cast<size_t>(next) * W, W))
            ++next;
        PackRow(pGrid + static_cast<size_t>(r) * W, W, packed);
        ok = EmitDotRow(sink, packed, W / 8, next - r);
        r = next;
    }
    ClearPageGrid(pGrid, W, H);
    if (ok && !bLast) {
        static const uint8_t kFormFeed = 0x0C;
        ok = sink.Write(&kFormFeed, 1);
    }
    return ok;
}
