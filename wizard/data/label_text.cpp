#include "label_text.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "units.h"

namespace {

constexpr int kBrailleCellMm = 6;

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

// Counted from the last letter, in the spreadsheet manner. Absurdly long
// names saturate instead of overflowing: no sheet has that many columns, so
// the field simply finds no cell.
int32_t ColumnNumberOf(const char* name) {
    const size_t length = std::strlen(name);
    for (size_t i = 0; i < length; ++i) {
        if (name[i] >= '0' && name[i] <= '9') {
            return -1;
        }
    }
    int64_t column = 0;
    int64_t weight = 1;
    for (size_t i = length; i-- > 0;) {
        const int64_t letter = static_cast<unsigned char>(name[i]) - 64;
        column += letter * weight;
        if (column > INT32_MAX || column < INT32_MIN) {
            return INT32_MAX;
        }
        weight *= 26;
        if (i > 0 && weight > (int64_t{1} << 40)) {
            return INT32_MAX;
        }
    }
    return static_cast<int32_t>(column);
}

void ReplaceAll(char* text, size_t capacity, const char* pattern, const char* replacement) {
    const size_t patternLength = std::strlen(pattern);
    if (capacity == 0 || patternLength == 0 || !*text) {
        return;
    }
    const size_t room = capacity - 1;
    const std::string source(text, strnlen(text, room));
    std::string result;
    size_t from = 0;
    for (size_t match = source.find(pattern, from);
         match != std::string::npos && result.size() < room; match = source.find(pattern, from)) {
        result.append(source, from, match - from);
        result.append(replacement, strnlen(replacement, room));
        from = match + patternLength;
    }
    if (result.size() < room) {
        result.append(source, from, std::string::npos);
    }
    const size_t kept = result.size() < room ? result.size() : room;
    std::memcpy(text, result.data(), kept);
    text[kept] = '\0';
}

int CellsPerLine(uint16_t textWidthTwips) {
    return static_cast<int>(TwipsToMm(textWidthTwips, 0)) / kBrailleCellMm;
}

void ClipLabelLines(const AppState* state, char* text) {
    const size_t cells = static_cast<size_t>(CellsPerLine(state->Sheet.wTextWidth));
    std::string result;
    const char* c = text;
    while (*c) {
        const char* lineEnd = c;
        while (*lineEnd && !IsLineEnd(*lineEnd)) {
            ++lineEnd;
        }
        const size_t length = static_cast<size_t>(lineEnd - c);
        result.append(c, length < cells ? length : cells);
        c = lineEnd;
        while (IsLineEnd(*c)) {
            ++c;
        }
        if (*c) {
            result += '\n';
        }
    }
    // Never longer than the text: every line feed written stands for at
    // least one line end read.
    std::memcpy(text, result.c_str(), result.size() + 1);
}
