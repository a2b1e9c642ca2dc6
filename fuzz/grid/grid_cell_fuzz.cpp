#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cell_store.h"
#include "csv_save.h"

// Any text a file can hand the grid: it is stored cut at a character
// boundary, reads back as stored, and saves inside the editor's buffers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str(); // a cell ends at its first NUL

    CellStore store;
    store.Set(1, 1, text.c_str(), 'U');
    const StoredCell* cell = store.Find(1, 1);
    if (cell == nullptr || cell->text.size() > kMaxCellText ||
        text.compare(0, cell->text.size(), cell->text) != 0) {
        std::abort();
    }
    if (cell->text.size() < text.size() &&
        (static_cast<unsigned char>(text[cell->text.size()]) & 0xC0) == 0x80) {
        std::abort(); // cut inside a character
    }
    ClassifyCellText(text.c_str());

    char buffer[kCellBuffer];
    store.CopyText(1, 1, buffer);
    std::string saved =
        FormatGridCsv(1, 2, [&](int row, int col, char* out) { store.CopyText(row, col, out); });
    if (saved.size() < cell->text.size() + 2 || saved.back() != '\n') {
        std::abort();
    }
    std::size_t len = std::strlen(buffer);
    if (len > 0) {
        buffer[Utf8LastCharStart(buffer, len)] = '\0';
    }
    return 0;
}
