#include "embview_cells.h"

#include <algorithm>
#include <string>

namespace {

constexpr int64_t kDotPitch = 5;
constexpr int64_t kCellPitch = 12;
constexpr int64_t kLinePitch = 20;

class CellReader {
  public:
    explicit CellReader(const EmbSheet& sheet) : sheet_(sheet), used_(sheet.dots.size(), 0) {}

    LabelCells Read(int32_t row, int32_t column, int64_t x, int64_t y, int64_t cells,
                    int64_t lines) {
        LabelCells label{row, column, x, y, {}};
        for (int64_t l = 0; l < lines; ++l) {
            std::vector<uint8_t> line;
            for (int64_t c = 0; c < cells; ++c)
                line.push_back(Cell(x + c * kCellPitch, y + l * kLinePitch));
            while (!line.empty() && line.back() == 0)
                line.pop_back();
            label.lines.push_back(std::move(line));
        }
        while (!label.lines.empty() && label.lines.back().empty())
            label.lines.pop_back();
        return label;
    }

    size_t StrayDots() const {
        size_t stray = 0;
        for (size_t i = 0; i < used_.size(); ++i)
            stray += sheet_.dots[i] && !used_[i];
        return stray;
    }

  private:
    uint8_t Cell(int64_t x, int64_t y) {
        uint8_t cell = 0;
        for (int bit = 0; bit < 6; ++bit) {
            int64_t dx = x + (bit / 3) * kDotPitch, dy = y + (bit % 3) * kDotPitch;
            if (sheet_.Dot(dx, dy)) {
                cell |= static_cast<uint8_t>(1u << bit);
                used_[static_cast<size_t>(dy) * sheet_.W + dx] = 1;
            }
        }
        return cell;
    }

    const EmbSheet& sheet_;
    std::vector<uint8_t> used_;
};

int64_t CeilDiv(int64_t a, int64_t b) {
    return a <= 0 ? 0 : (a + b - 1) / b;
}

} // namespace

int64_t EmbUnits(int64_t nTwips) {
    return static_cast<int64_t>(static_cast<double>(nTwips) * 0.017638888888888888 + 0.5) * 2;
}

bool CheckPaper(const EmbJob& job, const SheetFormat& format, DecodeError* err) {
    auto inches = [](uint16_t twips) {
        return static_cast<int64_t>(static_cast<double>(twips) * 0.0006944444444444445 + 0.5) *
               1000;
    };
    auto fail = [err](size_t at, const std::string& message) {
        err->nOffset = at;
        err->message = message;
        return false;
    };
    if (job.nPaperWidth != inches(format.wPaperWidth) ||
        job.nPaperLength != inches(format.wPaperHeight))
        return fail(2, "header PW" + std::to_string(job.nPaperWidth) + ",PL" +
                           std::to_string(job.nPaperLength) + " but the paper is PW" +
                           std::to_string(inches(format.wPaperWidth)) + ",PL" +
                           std::to_string(inches(format.wPaperHeight)));
    int64_t W = (EmbUnits(format.wPaperWidth) + 7) / 8 * 8;
    int64_t H = EmbUnits(format.wPaperHeight);
    for (const EmbSheet& sheet : job.sheets)
        if (sheet.W != W || sheet.H != H)
            return fail(sheet.nOffset, "sheet grid " + std::to_string(sheet.W) + " x " +
                                           std::to_string(sheet.H) + " but the paper needs " +
                                           std::to_string(W) + " x " + std::to_string(H));
    return true;
}

SheetCells ReadSheetCells(const EmbSheet& sheet, const SheetFormat* format) {
    CellReader reader(sheet);
    SheetCells result;
    auto keep = [&result](LabelCells&& label) {
        if (!label.lines.empty())
            result.labels.push_back(std::move(label));
    };
    if (!format) {
        int64_t x0 = sheet.W, y0 = sheet.H;
        for (int64_t y = 0; y < sheet.H; ++y)
            for (int64_t x = 0; x < sheet.W; ++x)
                if (sheet.Dot(x, y)) {
                    x0 = x < x0 ? x : x0;
                    y0 = y < y0 ? y : y0;
                }
        keep(reader.Read(1, 1, x0, y0, CeilDiv(sheet.W - x0, kCellPitch),
                         CeilDiv(sheet.H - y0, kLinePitch)));
    } else {
        const SheetFormat& f = *format;
        int64_t boxWidth = f.wTextWidth ? f.wTextWidth : int64_t{f.wLabelWidth} - f.wTextLeft;
        int64_t boxHeight = f.wTextHeight ? f.wTextHeight : int64_t{f.wLabelHeight} - f.wTextTop;
        int64_t cells = EmbUnits(boxWidth) / kCellPitch;
        int64_t lines = EmbUnits(boxHeight) / kLinePitch;
        const int64_t pitchX = EmbUnits(int64_t{f.wLabelWidth} + f.wSepHorizontal);
        const int64_t pitchY = EmbUnits(int64_t{f.wLabelHeight} + f.wSepVertical);
        // A label is read only as far as the sheet and the next label reach,
        // and slots off the sheet or on top of the first one are not read
        // again: a format of thousands of tiny labels stays quick to check.
        if (f.wNumHorizontal > 1 && pitchX > 0)
            cells = std::min(cells, CeilDiv(pitchX, kCellPitch));
        if (f.wNumVertical > 1 && pitchY > 0)
            lines = std::min(lines, CeilDiv(pitchY, kLinePitch));
        for (int32_t r = 0; r < f.wNumVertical && (r == 0 || pitchY > 0); ++r) {
            int64_t y = EmbUnits(int64_t{f.wFirstLabelPosTop} + f.wTextTop +
                                 r * (int64_t{f.wLabelHeight} + f.wSepVertical));
            if (y >= sheet.H)
                break;
            for (int32_t c = 0; c < f.wNumHorizontal && (c == 0 || pitchX > 0); ++c) {
                int64_t x = EmbUnits(int64_t{f.wFirstLabelPosLeft} + f.wTextLeft +
                                     c * (int64_t{f.wLabelWidth} + f.wSepHorizontal));
                if (x >= sheet.W)
                    break;
                keep(reader.Read(r + 1, c + 1, x, y,
                                 std::min(cells, CeilDiv(sheet.W - x, kCellPitch)),
                                 std::min(lines, CeilDiv(sheet.H - y, kLinePitch))));
            }
        }
    }
    result.nStrayDots = reader.StrayDots();
    return result;
}
