#include "cell_store.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

int ClassifyCellText(const char* text) {
    char upper[1000];
    std::size_t len = std::strlen(text);
    if (len >= sizeof upper) {
        len = sizeof upper - 1;
    }
    for (std::size_t i = 0; i < len; ++i) {
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    upper[len] = '\0';

    if (std::strcmp(upper, "TRUE") == 0) {
        return CELL_TRUE;
    }
    if (std::strcmp(upper, "FALSE") == 0) {
        return CELL_FALSE;
    }
    if (upper[0] == '~') {
        return CELL_GRAPHIC;
    }
    int digits = 0;
    int points = 0;
    for (std::size_t i = 0; i < len; ++i) {
        unsigned char c = static_cast<unsigned char>(upper[i]);
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (std::isalpha(c) || std::isspace(c)) {
            return CELL_TEXT;
        } else if (c == '.') {
            if (++points > 1) {
                return CELL_TEXT;
            }
        } else if ((c == '+' || c == '-') && i != 0) {
            return CELL_TEXT;
        }
    }
    return digits > 0 ? CELL_NUMBER : CELL_TEXT;
}

char CellTypeLetter(int type) {
    switch (type) {
    case CELL_NUMBER:
        return 'N';
    case CELL_TRUE:
        return 'T';
    case CELL_FALSE:
        return 'F';
    case CELL_GRAPHIC:
        return 'G';
    default:
        return 'A';
    }
}

int CellTypeFromLetter(char letter) {
    switch (letter) {
    case 'N':
        return CELL_NUMBER;
    case 'T':
        return CELL_TRUE;
    case 'F':
        return CELL_FALSE;
    case 'G':
        return CELL_GRAPHIC;
    default:
        return CELL_TEXT;
    }
}

void FormatCellKey(int row, int col, char out[16]) {
    std::snprintf(out, 16, "%05d-%03d", row, col);
}

static bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t Utf8CutLength(const char* text, std::size_t maxBytes) {
    std::size_t len = strnlen(text, maxBytes + 1);
    if (len <= maxBytes) {
        return len;
    }
    // text[maxBytes] exists; back up while it continues the character before.
    std::size_t cut = maxBytes;
    while (cut > 0 && IsContinuationByte(text[cut])) {
        --cut;
    }
    return cut;
}

std::size_t Utf8LastCharStart(const char* text, std::size_t len) {
    if (len == 0) {
        return 0;
    }
    std::size_t start = len - 1;
    while (start > 0 && IsContinuationByte(text[start])) {
        --start;
    }
    return start;
}

bool CellStore::Set(int row, int col, const char* text, char protect) {
    auto key = std::make_pair(row, col);
    m_cells.erase(key);
    try {
        StoredCell cell;
        cell.cProtect = protect;
        cell.text.assign(text, Utf8CutLength(text, kMaxCellText));
        cell.cType = CellTypeLetter(ClassifyCellText(cell.text.c_str()));
        m_cells.emplace(key, std::move(cell));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CellStore::SetProtect(int row, int col, bool bProtect) {
    char letter = bProtect ? 'P' : 'U';
    auto it = m_cells.find(std::make_pair(row, col));
    if (it != m_cells.end()) {
        it->second.cProtect = letter;
        return;
    }
    try {
        m_cells.emplace(std::make_pair(row, col), StoredCell{letter, 'A', std::string()});
    } catch (const std::bad_alloc&) {
    }
}

bool CellStore::Remove(int row, int col) {
    return m_cells.erase(std::make_pair(row, col)) != 0;
}

const StoredCell* CellStore::Find(int row, int col) const {
    auto it = m_cells.find(std::make_pair(row, col));
    return it == m_cells.end() ? nullptr : &it->second;
}

int CellStore::HighestRow() const {
    return m_cells.empty() ? 0 : m_cells.rbegin()->first.first;
}

std::size_t CellStore::CopyText(int row, int col, char* buffer) const {
    const StoredCell* cell = Find(row, col);
    if (cell == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, cell->text.c_str(), cell->text.size() + 1);
    return cell->text.size();
}
