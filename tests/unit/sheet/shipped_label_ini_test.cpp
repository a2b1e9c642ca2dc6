#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "label_ini_format.h"
#include "units.h"

namespace {

// A misspelt key or a unit flag other than "Yes" or "No" would silently read
// as 0 or millimetres, so every section must spell out all eleven keys.
void ExpectWellFormedKeys(const std::string& section, const std::set<std::string>& keys,
                          const std::string& flag) {
    EXPECT_EQ(static_cast<size_t>(kLabelIniKeyCount), keys.size()) << section;
    EXPECT_TRUE(flag == "Yes" || flag == "No") << section << ": bInch=" << flag;
}

std::vector<SheetFormat> ReadShippedFormats() {
    const char* root = std::getenv("DOTWELL_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : DOTWELL_SOURCE_DIR) + "/data/label.ini");
    std::vector<SheetFormat> formats;
    std::vector<std::set<std::string>> keys;
    std::vector<std::string> flags;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            formats.push_back(SheetFormat{});
            keys.emplace_back();
            flags.emplace_back();
            line.copy(formats.back().szName, line.size() - 2, 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (formats.empty() || equals == std::string::npos) {
            continue;
        }
        for (int i = 0; i < kLabelIniKeyCount; ++i) {
            if (line.compare(0, equals, kLabelIniKeys[i]) == 0) {
                StoreLabelIniValue(formats.back(), i, line.c_str() + equals + 1);
                keys.back().insert(kLabelIniKeys[i]);
            }
        }
        if (line.compare(0, equals, "bInch") == 0) {
            flags.back() = line.substr(equals + 1);
        }
    }
    for (size_t i = 0; i < formats.size(); ++i) {
        ExpectWellFormedKeys(formats[i].szName, keys[i], flags[i]);
    }
    return formats;
}

// What the page stores after showing a value and reading it back.
SheetFormat AtDisplayPrecision(SheetFormat f) {
    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetField field = static_cast<SheetField>(i);
        if (!IsCountField(field)) {
            const double shown = TwipsToDisplay(GetSheetField(f, field), f);
            SetSheetField(f, field, static_cast<uint16_t>(TypedLengthToTwips(shown, f)));
        }
    }
    return f;
}

void ExpectAllLabelsOnThePaper(const SheetFormat& f, const char* how) {
    for (int i = 0; i < kSheetFieldCount; ++i) {
        const SheetField field = static_cast<SheetField>(i);
        const SheetRange range = SheetFormatRange(f, field);
        const int value = GetSheetField(f, field);
        EXPECT_LE(range.min, value) << f.szName << ", field " << i << how;
        EXPECT_GE(range.max, value) << f.szName << ", field " << i << how;
    }
    const long right = f.wFirstLabelPosLeft + long(f.wNumHorizontal) * f.wLabelWidth +
                       long(f.wNumHorizontal - 1) * f.wSepHorizontal;
    const long bottom = f.wFirstLabelPosTop + long(f.wNumVertical) * f.wLabelHeight +
                        long(f.wNumVertical - 1) * f.wSepVertical;
    EXPECT_LE(right, f.wPaperWidth) << f.szName << how;
    EXPECT_LE(bottom, f.wPaperHeight) << f.szName << how;
}

TEST(ShippedLabelIni, OffersRealSheetsThatFitTheirPaper) {
    const std::vector<SheetFormat> formats = ReadShippedFormats();
    ASSERT_GE(formats.size(), 10u);
    std::set<std::string> names;
    for (const SheetFormat& f : formats) {
        EXPECT_TRUE(names.insert(f.szName).second) << "duplicate " << f.szName;
        EXPECT_GE(f.wNumVertical, 1) << f.szName;
        EXPECT_GE(f.wNumHorizontal, 1) << f.szName;
        ExpectAllLabelsOnThePaper(f, "");
        ExpectAllLabelsOnThePaper(AtDisplayPrecision(f), " at display precision");
    }
}

} // namespace
