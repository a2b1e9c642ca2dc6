#pragma once
#include <cstddef>

// Splits a buffer into fields, one call per field. Quoted fields follow RFC
// 4180: a doubled quote inside is one quote, and line breaks and separators
// are text. What the RFC does not allow is read the way files people really
// have mean it: a quote inside an unquoted field, or a single quote inside a
// quoted one that no separator or line end follows, is text (older versions
// of our grid editor never doubled quotes); a quote never closed is text.
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
    bool bRowEnd;    // the field is the last of its row
    bool bQuoted;    // read as a quoted field
    bool bLoneQuote; // a quoted field with a single quote read as text
};

// A writing cursor needs one byte past the end of the data for the last
// terminator.
void CsvCursorInit(CsvCursor* cursor, char* data, size_t size, char separator, bool write);

// Gives the next field; false when the data is used up. Empty data has no
// rows at all; any other data has at least one field.
bool CsvNextField(CsvCursor* cursor, CsvField* field);

// The separator of a file, judged from its first record that one of tab,
// semicolon or comma splits, outside quotes; a split that keeps the quoting
// rules wins over one that breaks them. Then a tab wins, then a semicolon:
// semicolon files carry commas in their text unquoted (decimal commas,
// addresses), while tabs seldom appear in text. A file that none splits
// gets a semicolon, the separator our editor writes.
char CsvDetectSeparator(const char* data, size_t size);

// A first line "sep=X", which spreadsheet programs write and read, names the
// separator X (a tab or a punctuation character other than a quote). Gives
// the line's length with its line end, and sets the separator; 0 when the
// data does not start with such a line.
size_t CsvSeparatorLine(const char* data, size_t size, char* separator);

// Length of a UTF-8 byte-order mark at the start of the data, or 0.
size_t CsvBomLength(const char* data, size_t size);

bool CsvIsValidUtf8(const char* data, size_t size);
