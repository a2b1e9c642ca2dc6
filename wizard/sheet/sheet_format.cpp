#include "sheet_format.h"

#include <algorithm>
#include <cstring>

#include "units.h"

namespace {

using Member = uint16_t SheetFormat::*;

constexpr Member kMembers[kSheetFieldCount] = {
    &SheetFormat::wPaperWidth,       &SheetFormat::wPaperHeight,   &SheetFormat::wFirstLabelPosLeft,
    &SheetFormat::wFirstLabelPosTop, &SheetFormat::wLabelWidth,    &SheetFormat::wLabelHeight,
    &SheetFormat::wNumVertical,      &SheetFormat::wNumHorizontal, &SheetFormat::wSepVertical,
    &SheetFormat::wSepHorizontal,
};

// Fixed limits: converted at the unit's precision, then cut to whole twips.
int32_t LimitMm(double mm, int decimals) {
    return static_cast<int32_t>(MmToTwips(mm, decimals));
}

int32_t LimitInch(double inch, int decimals) {
    return static_cast<int32_t>(InchToTwips(inch, decimals));
}

// Damaged library entries can hold any 16-bit values; 64-bit arithmetic keeps
// the products from overflowing, and the results are brought back into range.
int32_t AtLeast(int64_t value, int32_t floor) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, floor, INT32_MAX));
}

// How many items of size `size` separated by `gap` fit into `room`. With no
// size and no gap the answer is undefined; one label is the safe choice.
int32_t CountThatFits(int64_t room, int64_t size, int64_t gap) {
    if (size + gap == 0) {
        return 1;
    }
    return AtLeast((room + gap) / (size + gap), 1);
}

// Room left for the labels' own size when `count` labels share `room`.
// A count of 0 (damaged entry) is taken as one label, never as a divisor.
int32_t SizeThatFits(int64_t room, int64_t gap, int64_t count) {
    const int64_t n = std::max<int64_t>(count, 1);
    return AtLeast((room - gap * (n - 1)) / n, 0);
}

int32_t GapThatFits(int64_t room, int64_t size, int64_t count) {
    if (count <= 1) {
        return 0;
    }
    return AtLeast((room - size * count) / (count - 1), 0);
}

} // namespace

const SheetField kClampOrder[kSheetFieldCount] = {
    SheetField::PaperWidth,       SheetField::PaperHeight,       SheetField::NumVertical,
    SheetField::NumHorizontal,    SheetField::LabelWidth,        SheetField::LabelHeight,
    SheetField::FirstLabelPosTop, SheetField::FirstLabelPosLeft, SheetField::SepVertical,
    SheetField::SepHorizontal,
};

bool IsCountField(SheetField field) {
    return field == SheetField::NumVertical || field == SheetField::NumHorizontal;
}

uint16_t GetSheetField(const SheetFormat& format, SheetField field) {
    return format.*kMembers[static_cast<int>(field)];
}

void SetSheetField(SheetFormat& format, SheetField field, uint16_t value) {
    format.*kMembers[static_cast<int>(field)] = value;
}

SheetRange SheetFormatRange(const SheetFormat& f, SheetField field) {
    const int d = UnitDecimals(f);
    const int64_t P = f.wPaperWidth, Q = f.wPaperHeight;
    const int64_t L = f.wFirstLabelPosLeft, T = f.wFirstLabelPosTop;
    const int64_t W = f.wLabelWidth, H = f.wLabelHeight;
    const int64_t NH = f.wNumHorizontal, NV = f.wNumVertical;
    const int64_t SH = f.wSepHorizontal, SV = f.wSepVertical;
    switch (field) {
    case SheetField::PaperWidth:
        return {LimitMm(6, d), LimitMm(297, d)};
    case SheetField::PaperHeight:
        return {LimitMm(6, d), LimitInch(13, d)};
    case SheetField::NumVertical:
        return {1, CountThatFits(Q - T, H, SV)};
    case SheetField::NumHorizontal:
        return {1, CountThatFits(P - L, W, SH)};
    case SheetField::LabelWidth:
        return {0, SizeThatFits(P - L, SH, NH)};
    case SheetField::LabelHeight:
        return {0, SizeThatFits(Q - T, SV, NV)};
    case SheetField::FirstLabelPosTop:
        return {0, AtLeast(Q - SV * (NV - 1) - H * NV, 0)};
    case SheetField::FirstLabelPosLeft:
        return {0, AtLeast(P - SH * (NH - 1) - W * NH, 0)};
    case SheetField::SepVertical:
        return {0, GapThatFits(Q - T, H, NV)};
    case SheetField::SepHorizontal:
        return {0, GapThatFits(P - L, W, NH)};
    }
    return {0, 0};
}

void ClampSheetFormat(SheetFormat& format) {
    for (SheetField field : kClampOrder) {
        const SheetRange range = SheetFormatRange(format, field);
        if (GetSheetField(format, field) > range.max) {
            SetSheetField(format, field, static_cast<uint16_t>(range.max));
        }
    }
}

int SameSheetFormat(const SheetFormat& a, const SheetFormat& b) {
    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetField field = static_cast<SheetField>(i);
        const double va = GetSheetField(a, field);
        const double vb = GetSheetField(b, field);
        if (IsCountField(field) ? va != vb : TwipsToDisplay(va, b) != TwipsToDisplay(vb, b)) {
            return 0;
        }
    }
    return std::strncmp(a.szName, b.szName, sizeof a.szName) == 0 ? 1 : 0;
}

SheetFormat DefaultSheetFormat() {
    SheetFormat format{};
    std::strcpy(format.szName, "MySheetFormat");
    format.wPaperWidth = static_cast<uint16_t>(MmToTwips(210, 0));
    format.wPaperHeight = static_cast<uint16_t>(MmToTwips(297, 0));
    format.wLabelWidth = static_cast<uint16_t>(MmToTwips(100, 0));
    format.wLabelHeight = static_cast<uint16_t>(MmToTwips(50, 0));
    format.wNumVertical = 1;
    format.wNumHorizontal = 1;
    format.wSepVertical = 1;
    format.wSepHorizontal = 1;
    return format;
}
