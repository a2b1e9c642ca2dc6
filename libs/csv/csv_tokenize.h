#pragma once
#include <cstddef>

// Splits a buffer into fields, one call per field. The rules are those of
// files people really have: RFC 4180 quoting with doubled quotes, and the
// files our grid editor writes, which quote a field only when it holds a
// semicolon and never double the quotes inside it.
struct CsvCursor {
    char* pData;
    size_t nSize;
    size_t nPos;
    char cSeparator;
    bool bWrite;          // unescape and NUL-terminate fields in place
    bool bNoClosingQuote; // no quoted field from here on can be closed
    bool bDone;
};

struct CsvField {
    char* pText; // NUL-terminated only when the cursor writes
    size_t nLength;
    bool bRowEnd; // the field is the last of its row
};

// A writing cursor needs one byte past the end of the data for the last
// terminator.
void CsvCursorInit(CsvCursor* cursor, char* data, size_t size, char separator, bool write);

// Gives the next field; false when the data is used up. Empty data has no
// rows at all; any other data has at least one field.
bool CsvNextField(CsvCursor* cursor, CsvField* field);

// The separator of a file, judged from its first record that one of tab,
// semicolon or comma splits, outside quotes. A tab wins, then a semicolon:
// semicolon files carry commas in their text unquoted (decimal commas,
// addresses), while tabs seldom appear in text. A file that none splits
// gets a semicolon, the separator our editor writes.
char CsvDetectSeparator(const char* data, size_t size);

// Length of a UTF-8 byte-order mark at the start of the data, or 0.
size_t CsvBomLength(const char* data, size_t size);

bool CsvIsValidUtf8(const char* data, size_t size);
