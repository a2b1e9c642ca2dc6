#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <utility>

// Limits of every grid: rows 0..32000 (row 0 holds the column headers),
// columns 0..256 (column 0 holds the row headers).
constexpr int kMaxGridRows = 32000;
constexpr int kMaxGridCols = 256;

// Painting fetches a whole cell (13 bytes of key and flags, the text, the NUL)
// into a 1000-byte buffer, so no stored text is longer than this.
constexpr std::size_t kMaxCellText = 986;

enum CellType {
    CELL_NONE = 0,
    CELL_TEXT = 1,
    CELL_NUMBER = 2,
    CELL_TRUE = 3,
    CELL_FALSE = 4,
    CELL_GRAPHIC = 5,
};

int ClassifyCellText(const char* text);
char CellTypeLetter(int type);
int CellTypeFromLetter(char letter);

// "%05d-%03d": the key under which a cell is ordered.
void FormatCellKey(int row, int col, char out[16]);

// Longest prefix of text, at most maxBytes long, that ends on a character
// boundary of UTF-8.
std::size_t Utf8CutLength(const char* text, std::size_t maxBytes);

// Start of the last UTF-8 character of text[0..len), or 0 when len is 0.
std::size_t Utf8LastCharStart(const char* text, std::size_t len);

struct StoredCell {
    char cProtect; // 'U' or 'P'
    char cType;    // 'A', 'N', 'T', 'F' or 'G'
    std::string text;
};

// The cells of one grid, ordered by row and then column (the order of their
// keys). A cell without an entry reads as empty, typeless and unprotected.
class CellStore {
  public:
    // Replaces the cell with the text (cut to kMaxCellText at a character
    // boundary), its type and the protection letter. False when out of memory;
    // the old entry is gone then.
    bool Set(int row, int col, const char* text, char protect);
    void SetProtect(int row, int col, bool bProtect);
    bool Remove(int row, int col);
    void Clear() { m_cells.clear(); }

    const StoredCell* Find(int row, int col) const;
    bool Empty() const { return m_cells.empty(); }
    std::size_t Count() const { return m_cells.size(); }
    // Row of the last cell in key order: the highest row holding a cell.
    int HighestRow() const;

    // Copies the text and its NUL into buffer (empty text for a missing
    // cell); returns the text length.
    std::size_t CopyText(int row, int col, char* buffer) const;

  private:
    std::map<std::pair<int, int>, StoredCell> m_cells;
};
