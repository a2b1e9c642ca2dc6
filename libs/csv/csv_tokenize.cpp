#include "csv_tokenize.h"

#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool EndsField(const CsvCursor* cursor, size_t pos) {
    if (pos >= cursor->nSize) {
        return true;
    }
    char c = cursor->pData[pos];
    return c == cursor->cSeparator || IsLineEnd(c);
}

constexpr uint64_t kEveryByte = 0x0101010101010101ull;

// The high bit of the lowest zero byte of the word is set, and no bit
// below it: the bytes above may give false hits.
uint64_t LowestZeroByte(uint64_t word) {
    return (word - kEveryByte) & ~word & (kEveryByte << 7);
}

// The first separator or line end at or after pos, or nSize. Fields are
// short, but most are longer than a word: eight bytes are tested at once.
size_t FindFieldEnd(const CsvCursor* cursor, size_t pos) {
    static_assert(std::endian::native == std::endian::little, "the first hit is the lowest byte");
    const char* data = cursor->pData;
    size_t size = cursor->nSize;
    char sep = cursor->cSeparator;
    const uint64_t seps = kEveryByte * static_cast<unsigned char>(sep);
    for (; pos + 8 <= size; pos += 8) {
        uint64_t word;
        std::memcpy(&word, data + pos, 8);
        uint64_t hits = LowestZeroByte(word ^ seps) | LowestZeroByte(word ^ (kEveryByte * '\r')) |
                        LowestZeroByte(word ^ (kEveryByte * '\n'));
        if (hits != 0) {
            return pos + static_cast<size_t>(std::countr_zero(hits) / 8);
        }
    }
    while (pos < size && data[pos] != sep && !IsLineEnd(data[pos])) {
        ++pos;
    }
    return pos;
}

// Finds the quote that closes a quoted field whose text starts at `pos`, or
// gives nSize when there is none. A doubled quote is always one quote (RFC
// 4180). A single quote closes only when a separator, a line end or the end
// of the data follows it; any other single quote breaks the rules and is
// read as text: older versions of our grid editor never doubled quotes.
size_t FindClosingQuote(const CsvCursor* cursor, size_t pos, bool* doubled, bool* lone) {
    const char* data = cursor->pData;
    size_t size = cursor->nSize;
    while (pos < size) {
        const void* hit = std::memchr(data + pos, '"', size - pos);
        if (hit == nullptr) {
            return size;
        }
        pos = static_cast<size_t>(static_cast<const char*>(hit) - data);
        if (pos + 1 < size && data[pos + 1] == '"') {
            *doubled = true;
            pos += 2;
        } else if (EndsField(cursor, pos + 1)) {
            return pos;
        } else {
            *lone = true;
            ++pos;
        }
    }
    return size;
}

// Collapses doubled quotes in [begin, end) the way FindClosingQuote paired
// them; gives the new length.
size_t CollapseQuotes(char* begin, char* end) {
    char* out = begin;
    for (char* in = begin; in < end; ++in) {
        *out++ = *in;
        if (*in == '"' && in + 1 < end && in[1] == '"') {
            ++in;
        }
    }
    return static_cast<size_t>(out - begin);
}

// Whether RFC 4180 allows the field as read: quotes only around it, and
// inside it only doubled.
bool KeepsQuotingRules(const CsvField& field) {
    return field.bQuoted ? !field.bLoneQuote
                         : std::memchr(field.pText, '"', field.nLength) == nullptr;
}

} // namespace

void CsvCursorInit(CsvCursor* cursor, char* data, size_t size, char separator, bool write) {
    cursor->pData = data;
    cursor->nSize = size;
    cursor->nPos = 0;
    cursor->cSeparator = separator;
    cursor->bWrite = write;
    cursor->bNoClosingQuote = false;
    cursor->bDone = size == 0;
}

bool CsvNextField(CsvCursor* cursor, CsvField* field) {
    if (cursor->bDone) {
        return false;
    }
    char* data = cursor->pData;
    size_t size = cursor->nSize;
    size_t start = cursor->nPos;
    size_t end = size; // where the delimiter after the field stands
    bool quoted = false;
    field->bLoneQuote = false;

    if (start < size && data[start] == '"' && !cursor->bNoClosingQuote) {
        bool doubled = false;
        size_t close = FindClosingQuote(cursor, start + 1, &doubled, &field->bLoneQuote);
        if (close < size) {
            quoted = true;
            field->pText = data + start + 1;
            field->nLength = close - start - 1;
            if (doubled && cursor->bWrite) {
                field->nLength = CollapseQuotes(field->pText, data + close);
            }
            end = close + 1;
        } else {
            // Unterminated: the quote is read as text, and since no later
            // quote can close either, later fields skip the search.
            cursor->bNoClosingQuote = true;
        }
    }
    if (!quoted) {
        size_t pos = FindFieldEnd(cursor, start);
        field->pText = data + start;
        field->nLength = pos - start;
        end = pos;
    }

    field->bQuoted = quoted;
    char delimiter = end < size ? data[end] : '\0';
    if (cursor->bWrite) {
        field->pText[field->nLength] = '\0';
    }
    if (end >= size) {
        field->bRowEnd = true;
        cursor->bDone = true;
    } else if (delimiter == cursor->cSeparator) {
        field->bRowEnd = false;
        cursor->nPos = end + 1; // a separator at the very end leaves one empty field
    } else {
        field->bRowEnd = true;
        size_t next = end + 1;
        if (delimiter == '\r' && next < size && data[next] == '\n') {
            ++next;
        }
        cursor->nPos = next;
        cursor->bDone = next >= size;
    }
    return true;
}

char CsvDetectSeparator(const char* data, size_t size) {
    // Each candidate splits the records by the full quoting rules, so that
    // a separator inside a quoted field never counts; the records are taken
    // in step, and the first one that any candidate splits decides. A
    // candidate that splits it only by breaking the quoting rules (a single
    // quote inside quotes, a quote in an unquoted field, a quote never
    // closed) reads it wrongly and only counts when no other one splits it:
    // a file the editor writes keeps the rules for its semicolon alone.
    static const char candidates[] = {'\t', ';', ','};
    CsvCursor cursors[3];
    for (int k = 0; k < 3; ++k) {
        CsvCursorInit(&cursors[k], const_cast<char*>(data), size, candidates[k], false);
    }
    for (;;) {
        bool anyLeft = false;
        size_t fields[3] = {0, 0, 0};
        bool keepsRules[3] = {true, true, true};
        for (int k = 0; k < 3; ++k) {
            CsvField field;
            while (CsvNextField(&cursors[k], &field)) {
                ++fields[k];
                keepsRules[k] = keepsRules[k] && KeepsQuotingRules(field);
                if (field.bRowEnd) {
                    break;
                }
            }
            anyLeft = anyLeft || fields[k] > 0;
        }
        for (bool strict : {true, false}) {
            for (int k = 0; k < 3; ++k) {
                if (fields[k] >= 2 && (!strict || keepsRules[k])) {
                    return candidates[k];
                }
            }
        }
        if (!anyLeft) {
            return ';';
        }
    }
}

size_t CsvSeparatorLine(const char* data, size_t size, char* separator) {
    if (size < 5 || (data[0] | 0x20) != 's' || (data[1] | 0x20) != 'e' || (data[2] | 0x20) != 'p' ||
        data[3] != '=') {
        return 0;
    }
    char named = data[4];
    bool usable = named == '\t' || (named > ' ' && named < 0x7F && named != '"' &&
                                    !std::isalnum(static_cast<unsigned char>(named)));
    if (!usable || (size > 5 && !IsLineEnd(data[5]))) {
        return 0;
    }
    *separator = named;
    size_t length = 5;
    if (length < size && data[length] == '\r') {
        ++length;
    }
    if (length < size && data[length] == '\n') {
        ++length;
    }
    return length;
}

size_t CsvBomLength(const char* data, size_t size) {
    if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
        static_cast<unsigned char>(data[1]) == 0xBB &&
        static_cast<unsigned char>(data[2]) == 0xBF) {
        return 3;
    }
    return 0;
}
