#include <cstdio>
#include <cstdlib>

#include "csv_table.h"

namespace {

// Reads the whole file into a heap buffer with one spare byte; null when it
// cannot be read or is too large for the table.
char* ReadWholeFile(const char* path, size_t* size) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    char* buffer = nullptr;
    // ftell is 32-bit on Windows: a larger file fails here, as it should.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long length = std::ftell(file);
        if (length >= 0 && static_cast<unsigned long>(length) <= kCsvMaxFileSize &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            *size = static_cast<size_t>(length);
            buffer = static_cast<char*>(std::malloc(*size + 1));
        }
    }
    if (buffer != nullptr) {
        *size = std::fread(buffer, 1, *size, file);
        // A folder opens on some systems but fails to read.
        if (std::fgetc(file) == EOF && std::ferror(file)) {
            std::free(buffer);
            buffer = nullptr;
        }
    }
    std::fclose(file);
    return buffer;
}

} // namespace

CsvTable* CsvOpen(const char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    size_t size = 0;
    char* buffer = ReadWholeFile(path, &size);
    return buffer != nullptr ? CsvTableAdopt(buffer, size) : nullptr;
}
