#include "csv_tokenize.h"

#include <cstring>
#include <initializer_list>

namespace {

bool EndsField(const CsvCursor* cursor, size_t pos) {
    if (pos >= cursor->nSize) {
        return true;
    }
    char c = cursor->pData[pos];
    return c == cursor->cSeparator || c == '\r' || c == '\n';
}

// Finds the quote that closes a quoted field whose text starts at `pos`, or
// gives nSize when there is none. A quote closes only when a separator, a
// line end or the end of the data follows it: the editor leaves quotes
// inside a field undoubled, so any other quote belongs to the text. A
// doubled quote stands for one quote, unless the pair ends the field, which
// then reads as a quote in the text followed by the closing one.
size_t FindClosingQuote(const CsvCursor* cursor, size_t pos, bool* doubled) {
    const char* data = cursor->pData;
    size_t size = cursor->nSize;
    while (pos < size) {
        const void* hit = std::memchr(data + pos, '"', size - pos);
        if (hit == nullptr) {
            return size;
        }
        pos = static_cast<size_t>(static_cast<const char*>(hit) - data);
        if (EndsField(cursor, pos + 1)) {
            return pos;
        }
        if (data[pos + 1] == '"') {
            if (EndsField(cursor, pos + 2)) {
                return pos + 1;
            }
            *doubled = true;
            pos += 2;
        } else {
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

    if (start < size && data[start] == '"' && !cursor->bNoClosingQuote) {
        bool doubled = false;
        size_t close = FindClosingQuote(cursor, start + 1, &doubled);
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
        size_t pos = start;
        char sep = cursor->cSeparator;
        while (pos < size) {
            char c = data[pos];
            if (c == sep || c == '\r' || c == '\n') {
                break;
            }
            ++pos;
        }
        field->pText = data + start;
        field->nLength = pos - start;
        end = pos;
    }

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
    // candidate that leaves a quote unclosed reads the file wrongly and only
    // counts when no other one splits the record.
    static const char candidates[] = {'\t', ';', ','};
    CsvCursor cursors[3];
    for (int k = 0; k < 3; ++k) {
        CsvCursorInit(&cursors[k], const_cast<char*>(data), size, candidates[k], false);
    }
    for (;;) {
        bool anyLeft = false;
        size_t fields[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            CsvField field;
            while (CsvNextField(&cursors[k], &field)) {
                ++fields[k];
                if (field.bRowEnd) {
                    break;
                }
            }
            anyLeft = anyLeft || fields[k] > 0;
        }
        for (bool clean : {true, false}) {
            for (int k = 0; k < 3; ++k) {
                if (fields[k] >= 2 && (!clean || !cursors[k].bNoClosingQuote)) {
                    return candidates[k];
                }
            }
        }
        if (!anyLeft) {
            return ';';
        }
    }
}

size_t CsvBomLength(const char* data, size_t size) {
    if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
        static_cast<unsigned char>(data[1]) == 0xBB &&
        static_cast<unsigned char>(data[2]) == 0xBF) {
        return 3;
    }
    return 0;
}
