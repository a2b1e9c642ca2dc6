#include "picture_words.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "label_placement.h"
#include "units.h"

namespace {

// A length at the unit's precision without trailing zeros: 70, 37.5, 2.76.
std::string Length(uint16_t twips, const SheetFormat& format) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", UnitDecimals(format), TwipsToDisplay(twips, format));
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        shown.erase(shown.find_last_not_of('0') + 1);
        if (shown.back() == '.')
            shown.pop_back();
    }
    return shown;
}

std::string Size(uint16_t width, uint16_t height, const SheetFormat& format) {
    return Length(width, format) + " x " + Length(height, format) +
           (format.bInch ? " inches" : " mm");
}

std::vector<std::string> NonBlankLines(const char* text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char* p = text;; ++p) {
        if (*p == '\r' || *p == '\n' || *p == '\0') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
            if (*p == '\0')
                return lines;
        } else {
            line += *p;
        }
    }
}

// U+2800 + dots, in UTF-8.
std::string BrailleCells(const std::string& cells) {
    std::string braille;
    for (unsigned char cell : cells) {
        braille += static_cast<char>(0xE2);
        braille += static_cast<char>(0xA0);
        braille += static_cast<char>(0x80 | (cell & 0x3F));
    }
    return braille;
}

} // namespace

std::string SheetInWords(const SheetFormat& format) {
    std::string words(format.szName, strnlen(format.szName, sizeof format.szName));
    if (!words.empty())
        words += ", ";
    words += std::to_string(format.wNumHorizontal);
    words += " across, ";
    words += std::to_string(format.wNumVertical);
    words += " down, labels ";
    words += Size(format.wLabelWidth, format.wLabelHeight, format);
    return words;
}

std::string PaperInWords(const SheetFormat& format) {
    return "paper " + Size(format.wPaperWidth, format.wPaperHeight, format);
}

std::string StartInWords(const SheetFormat& format, int32_t startPos) {
    std::string words = "start at label " + std::to_string(startPos);
    int32_t row = 0, column = 0;
    if (LabelSlotOf(format, startPos, &row, &column))
        words += ": row " + std::to_string(row) + ", column " + std::to_string(column);
    return words;
}

std::string LabelCounterInWords(int32_t record, int32_t count) {
    return "Label " + std::to_string(record) + " of " + std::to_string(count) + ":";
}

std::string LabelInWords(const char* text, const char* cells) {
    std::string words;
    for (const std::string& line : NonBlankLines(text ? text : "")) {
        if (!words.empty())
            words += '\n';
        words += line;
    }
    if (!cells || !*cells)
        return words;
    words += words.empty() ? "braille:" : "\nbraille:";
    for (const std::string& line : NonBlankLines(cells)) {
        words += '\n';
        words += BrailleCells(line);
    }
    return words;
}
