#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "csv_table.h"

namespace {

char* CopyBytes(const char* text, size_t length) {
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text, length + 1);
    }
    return copy;
}

bool IsAscii(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

// The wizard works in the ANSI code page while the editor saves UTF-8;
// handing it the UTF-8 bytes would turn every accented letter into two wrong
// characters on the label. Characters the code page lacks become its
// default character, not a look-alike (best fit turns an infinity sign into
// an 8), so the reader can tell. Null when the conversion cannot be made.
char* Utf8ToAnsi(const char* text, size_t length) {
    if (length >= INT_MAX / 2) {
        return nullptr;
    }
    int count = static_cast<int>(length);
    int wideCount = MultiByteToWideChar(CP_UTF8, 0, text, count, nullptr, 0);
    if (wideCount <= 0) {
        return nullptr;
    }
    wchar_t* wide = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * wideCount));
    char* ansi = nullptr;
    if (wide != nullptr &&
        MultiByteToWideChar(CP_UTF8, 0, text, count, wide, wideCount) == wideCount) {
        int ansiCount = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, wideCount, nullptr,
                                            0, nullptr, nullptr);
        if (ansiCount > 0) {
            ansi = static_cast<char*>(std::malloc(static_cast<size_t>(ansiCount) + 1));
        }
        if (ansi != nullptr) {
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, wideCount, ansi, ansiCount,
                                nullptr, nullptr);
            ansi[ansiCount] = '\0';
        }
    }
    std::free(wide);
    return ansi;
}

} // namespace

char* CsvCellText(const CsvTable* table, int32_t row, int32_t column) {
    const char* text = CsvTableCell(table, row, column);
    if (text == nullptr) {
        return nullptr;
    }
    size_t length = std::strlen(text);
    if (CsvTableIsUtf8(table) && !IsAscii(text, length)) {
        if (char* ansi = Utf8ToAnsi(text, length)) {
            return ansi;
        }
    }
    return CopyBytes(text, length);
}

void CsvFreeText(char* text) {
    std::free(text);
}
