#include "label_ini_format.h"

#include <cctype>
#include <cstdio>
#include <cstring>

const char* const kLabelIniKeys[kLabelIniKeyCount] = {
    "wPaperWidth",  "wPaperHeight", "wFirstLabelPosLeft", "wFirstLabelPosTop", "wLabelWidth",
    "wLabelHeight", "wNumVertical", "wNumHorizontal",     "wSepVertical",      "wSepHorizontal",
    "bInch",
};

namespace {

constexpr int kFlagIndex = kLabelIniKeyCount - 1;

void CopyName(char* dest, size_t size, const char* name) {
    if (size == 0) {
        return;
    }
    std::snprintf(dest, size, "%s", name ? name : "");
}

} // namespace

uint16_t ParseLabelIniWord(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (std::isspace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Saturate like the platform's text-to-long conversion instead of
    // overflowing on a long run of digits.
    int64_t value = 0;
    for (; std::isdigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > 2147483648LL) {
            value = 2147483648LL;
        }
    }
    if (negative) {
        value = -value;
    } else if (value > 2147483647LL) {
        value = 2147483647LL;
    }
    return static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFFu);
}

uint32_t ParseLabelIniFlag(const char* text) {
    return std::strcmp(text, "Yes") == 0 ? 1 : 0;
}

void FormatLabelIniValue(const SheetFormat& format, int index, char* dest, size_t size) {
    if (index == kFlagIndex) {
        std::snprintf(dest, size, "%s", format.bInch ? "Yes" : "No");
    } else {
        std::snprintf(dest, size, "%u",
                      static_cast<unsigned>(GetSheetField(format, static_cast<SheetField>(index))));
    }
}

void StoreLabelIniValue(SheetFormat& format, int index, const char* text) {
    if (index == kFlagIndex) {
        format.bInch = ParseLabelIniFlag(text);
    } else {
        SetSheetField(format, static_cast<SheetField>(index), ParseLabelIniWord(text));
    }
}

void ReadLabelIniSection(SheetFormat& format, const char* name, const LabelIniKeyReader& read) {
    char text[260];
    for (int i = 0; i < kLabelIniKeyCount; ++i) {
        text[0] = '\0';
        read(kLabelIniKeys[i], text, sizeof text);
        StoreLabelIniValue(format, i, text);
    }
    CopyName(format.szName, sizeof format.szName, name);
}

const char* NextSectionName(const char* name) {
    const char* next = name + std::strlen(name) + 1;
    return *next ? next : nullptr;
}

bool SectionListContains(const char* list, const char* name) {
    if (!list || !*list) {
        return false;
    }
    for (const char* p = list; p; p = NextSectionName(p)) {
        if (std::strcmp(p, name) == 0) {
            return true;
        }
    }
    return false;
}

void NeighbourAfterDelete(const char* list, const char* name, char* dest, size_t size) {
    const char* previous = nullptr;
    const char* last = nullptr;
    if (list && *list) {
        for (const char* p = list; p; p = NextSectionName(p)) {
            if (std::strcmp(p, name) == 0) {
                const char* after = NextSectionName(p);
                CopyName(dest, size, previous ? previous : after);
                return;
            }
            previous = p;
            last = p;
        }
    }
    CopyName(dest, size, last);
}
