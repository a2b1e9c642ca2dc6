#include <gtest/gtest.h>

#include <windows.h>

#include "picture_colours_win.h"
#include "sheet_preview_win.h"
#include "sample_sheets.h"
#include "sheet_preview_geometry.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kLabel = RGB(255, 255, 255);

struct Colours {
    const char* what;
    COLORREF paper, shadow, outline, label, highlight;
};

// With high contrast on, the user's own colours; which those are is up to
// them, so they are read when the test runs.
Colours Expected(bool highContrast) {
    if (!highContrast)
        return {"own colours", RGB(192, 192, 192), RGB(0, 0, 0), RGB(40, 80, 160),
                kLabel,        RGB(128, 128, 128)};
    return {"high contrast",
            GetSysColor(COLOR_WINDOW),
            GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_WINDOWTEXT),
            GetSysColor(COLOR_WINDOW),
            GetSysColor(COLOR_HIGHLIGHT)};
}

bool g_highContrast;
bool FakeHighContrast() {
    return g_highContrast;
}

// High contrast cannot be switched on in every test prefix: the drawing is
// asked to take it as on.
class HighContrastScope {
  public:
    explicit HighContrastScope(bool on) {
        g_highContrast = on;
        SetHighContrastQuery(FakeHighContrast);
    }
    ~HighContrastScope() { SetHighContrastQuery(nullptr); }
};

// A memory bitmap the size of the Sheet Format page's preview.
class PreviewBitmap {
  public:
    PreviewBitmap(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        HBRUSH brush = CreateSolidBrush(kBackground);
        const RECT all{0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~PreviewBitmap() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    void Paint(const SheetFormat& format, int highlighted) {
        PaintSheetPreview(dc_, width_, height_, format, highlighted);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(SheetPreview, DrawsPaperShadowLabelsAndTheHighlight) {
    const SheetFormat format = A4TwoBySeven();
    SheetPreviewGeometry g;
    ASSERT_EQ(1, ComputeSheetPreview(format, 336, 400, &g));
    for (bool highContrast : {false, true}) {
        const Colours want = Expected(highContrast);
        HighContrastScope scope(highContrast);
        PreviewBitmap bitmap(336, 400);
        bitmap.Paint(format, 4);

        const int right = g.x0 + g.paperWidth;
        const int bottom = g.y0 + g.paperHeight;
        const int pitchX = g.labelWidth + g.sepHorizontal;
        const int pitchY = g.labelHeight + g.sepVertical;
        const int labelX = g.x0 + g.left;
        const int labelY = g.y0 + g.top;
        const struct {
            const char* what;
            int x, y;
            COLORREF colour;
        } probes[] = {
            {"outside the paper", 1, 1, kBackground},
            {"paper margin", g.x0 + 1, g.y0 + 1, want.paper},
            {"paper's edge", g.x0, g.y0 + 1, highContrast ? want.outline : want.paper},
            {"shadow right", right, g.y0 + 2, want.shadow},
            {"shadow below", g.x0 + 2, bottom + 1, want.shadow},
            {"no shadow at the top right corner", right, g.y0, kBackground},
            {"first label's corner", labelX, labelY, want.outline},
            {"first label's right edge", labelX + g.labelWidth, labelY + 5, want.outline},
            {"first label", labelX + 5, labelY + 5, want.label},
            {"label 4 (row 2, column 2)", labelX + pitchX + 5, labelY + pitchY + 5, want.highlight},
            {"label 3", labelX + 5, labelY + pitchY + 5, want.label},
            {"last label", labelX + pitchX + 5, labelY + 6 * pitchY + 5, want.label},
        };
        for (const auto& p : probes) {
            EXPECT_EQ(p.colour, bitmap.At(p.x, p.y))
                << want.what << ": " << p.what << " at " << p.x << ", " << p.y;
        }
    }
}

// Where the prefix lets high contrast be switched on, the drawing sees it
// without being told.
TEST(SheetPreview, HighContrastIsAskedOfWindows) {
    HIGHCONTRASTA before{sizeof before, 0, nullptr};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof before, &before, 0));
    EXPECT_EQ((before.dwFlags & HCF_HIGHCONTRASTON) != 0, HighContrastOn());
    HIGHCONTRASTA on = before;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    HIGHCONTRASTA after{sizeof after, 0, nullptr};
    if (!SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof on, &on, 0) ||
        !SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof after, &after, 0) ||
        !(after.dwFlags & HCF_HIGHCONTRASTON))
        GTEST_SKIP() << "high contrast cannot be switched on here";
    EXPECT_TRUE(HighContrastOn());
    SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof before, &before, 0);
}

TEST(SheetPreview, NoHighlightAndDamagedFormatsDrawSafely) {
    const SheetFormat format = A4TwoBySeven();
    SheetPreviewGeometry g;
    ASSERT_EQ(1, ComputeSheetPreview(format, 336, 400, &g));
    PreviewBitmap bitmap(336, 400);
    bitmap.Paint(format, -1);
    const int pitchX = g.labelWidth + g.sepHorizontal;
    const int pitchY = g.labelHeight + g.sepVertical;
    EXPECT_EQ(kLabel, bitmap.At(g.x0 + g.left + pitchX + 5, g.y0 + g.top + pitchY + 5));

    SheetFormat empty{};
    PreviewBitmap untouched(50, 50);
    untouched.Paint(empty, 1);
    EXPECT_EQ(kBackground, untouched.At(25, 25));

    SheetFormat crowded = A4TwoBySeven();
    crowded.wNumVertical = 65535;
    crowded.wNumHorizontal = 65535;
    crowded.wLabelWidth = 1;
    crowded.wLabelHeight = 1;
    crowded.wSepHorizontal = 0;
    crowded.wSepVertical = 0;
    const DWORD start = GetTickCount();
    PreviewBitmap busy(336, 400);
    busy.Paint(crowded, 1);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

} // namespace
