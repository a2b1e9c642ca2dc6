#include "embview_render.h"

#include <cstdio>

namespace {

constexpr int64_t kSheetGap = 20;

// Every argument arrives as long long and every format here asks only for
// %lld, so the formats need not be literals.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
std::string Format(const char* fmt, long long a, long long b = 0, long long c = 0,
                   long long d = 0) {
    char text[160];
    snprintf(text, sizeof text, fmt, a, b, c, d);
    return text;
}
#pragma GCC diagnostic pop

} // namespace

std::string BrailleUtf8(const std::vector<uint8_t>& line) {
    std::string text;
    for (uint8_t cell : line) {
        text.push_back(static_cast<char>(0xE2));
        text.push_back(static_cast<char>(0xA0));
        text.push_back(static_cast<char>(0x80 | (cell & 0x3F)));
    }
    return text;
}

std::string JobText(const EmbJob& job, const SheetFormat* format) {
    std::string text =
        Format("job PW%lld PL%lld MI%lld, %lld sheet(s)", job.nPaperWidth, job.nPaperLength,
               job.nImpacts, static_cast<long long>(job.sheets.size()));
    text += job.bEnded ? ", ended\n" : ", no job end\n";
    for (size_t s = 0; s < job.sheets.size(); ++s) {
        const EmbSheet& sheet = job.sheets[s];
        size_t dots = 0;
        for (uint8_t d : sheet.dots)
            dots += d;
        text += Format("sheet %lld: %lld x %lld half-mm, %lld dots", static_cast<long long>(s + 1),
                       sheet.W, sheet.H, static_cast<long long>(dots));
        text += Format(", %lld graphics rows", static_cast<long long>(sheet.nGraphicsRows));
        text += sheet.bFormFeed ? ", form feed\n" : "\n";
        SheetCells cells = ReadSheetCells(sheet, format);
        for (const LabelCells& label : cells.labels) {
            text += Format("  label row %lld, column %lld at (%lld, %lld):\n", label.nRow,
                           label.nColumn, label.x, label.y);
            for (const auto& line : label.lines)
                text += "    " + BrailleUtf8(line) + "\n";
        }
        if (cells.nStrayDots)
            text += Format("  %lld dot(s) outside every cell\n",
                           static_cast<long long>(cells.nStrayDots));
    }
    return text;
}

std::string JobSvg(const EmbJob& job, const SheetFormat* format) {
    int64_t W = job.sheets.empty() ? 0 : job.sheets[0].W;
    int64_t H = job.sheets.empty() ? 0 : job.sheets[0].H;
    int64_t total = static_cast<int64_t>(job.sheets.size()) * (H + kSheetGap);
    std::string svg =
        Format("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%lldmm\" height=\"%lldmm\" "
               "viewBox=\"0 0 %lld %lld\">\n",
               W / 2, total / 2, W, total);
    for (size_t s = 0; s < job.sheets.size(); ++s) {
        const EmbSheet& sheet = job.sheets[s];
        int64_t top = static_cast<int64_t>(s) * (H + kSheetGap);
        svg += Format("<rect x=\"0\" y=\"%lld\" width=\"%lld\" height=\"%lld\" fill=\"white\" "
                      "stroke=\"black\" "
                      "stroke-width=\"0.5\"/>\n",
                      top, sheet.W, sheet.H);
        if (format) {
            const SheetFormat& f = *format;
            const int64_t pitchX = int64_t{f.wLabelWidth} + f.wSepHorizontal;
            const int64_t pitchY = int64_t{f.wLabelHeight} + f.wSepVertical;
            // Outlines off the sheet, or drawn over the first, are left out.
            for (int r = 0; r < f.wNumVertical && (r == 0 || pitchY > 0); ++r) {
                int64_t y = EmbUnits(f.wFirstLabelPosTop + r * pitchY);
                if (y >= sheet.H)
                    break;
                for (int c = 0; c < f.wNumHorizontal && (c == 0 || pitchX > 0); ++c) {
                    int64_t x = EmbUnits(f.wFirstLabelPosLeft + c * pitchX);
                    if (x >= sheet.W)
                        break;
                    svg += Format(
                        "<rect x=\"%lld\" y=\"%lld\" width=\"%lld\" height=\"%lld\" fill=\"none\" "
                        "stroke=\"#88a\" stroke-width=\"0.5\"/>\n",
                        x, top + y, EmbUnits(f.wLabelWidth), EmbUnits(f.wLabelHeight));
                }
            }
        }
        for (int64_t y = 0; y < sheet.H; ++y)
            for (int64_t x = 0; x < sheet.W; ++x)
                if (sheet.Dot(x, y))
                    svg += Format("<circle cx=\"%lld\" cy=\"%lld\" r=\"1.5\"/>\n", x, top + y);
    }
    svg += "</svg>\n";
    return svg;
}
