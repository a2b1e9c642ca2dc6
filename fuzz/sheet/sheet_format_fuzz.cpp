// Any bytes as a sheet format (a damaged library entry or project file) and
// as typed or stored texts: ranges, clamping, the preview and the text
// conversions must neither trap nor overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "label_ini_format.h"
#include "sheet_format.h"
#include "sheet_preview_geometry.h"
#include "spin_value.h"
#include "units.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SheetFormat format{};
    std::memcpy(&format, data, size < sizeof format ? size : sizeof format);
    format.szName[sizeof format.szName - 1] = '\0';

    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetRange range = SheetFormatRange(format, static_cast<SheetField>(i));
        if (range.min > range.max && i >= 2) {
            __builtin_trap();
        }
    }
    SheetFormat clamped = format;
    ClampSheetFormat(clamped);
    SameSheetFormat(format, clamped);

    SheetPreviewGeometry geometry;
    if (ComputeSheetPreview(clamped, 336, 400, &geometry) &&
        (geometry.rows > 402 || geometry.columns > 338)) {
        __builtin_trap();
    }

    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseLabelIniWord(text.c_str());
    double value = 0;
    if (ParseNumberText(text.c_str(), &value)) {
        TypedLengthToTwips(value, format);
        char shown[64];
        FormatSpinValue(SpinStepValue(value, 1, 0.1, 0, 297, false), 1, shown, sizeof shown);
        SpinPosition(value, 0, 297, SpinCount(0, 297, 0.1));
    }
    return 0;
}
