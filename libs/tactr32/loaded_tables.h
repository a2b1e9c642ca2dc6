// The one set of tables a process translates with, and the texts the
// library gives about a table.
#pragma once

#include <memory>
#include <shared_mutex>
#include <string>

#include "qrf_table.h"

namespace tactr {

class LoadedTables {
  public:
    // Loads a table and an exception list; an exceptions path that ends in a
    // path separator is a folder: no list chosen. Gives 1, or 0 when either
    // file does not compile: nothing is loaded then.
    int Load(const std::string& tablePath, const std::string& exceptionsPath);
    void Unload();
    // Translates with what is loaded; 0 and an empty text when nothing is.
    int Translate(const char* source, char* out, size_t outSize) const;

  private:
    // Translation on one thread may meet a reload on another.
    mutable std::shared_mutex lock_;
    std::unique_ptr<Table> table_, exceptions_;
};

// Name and description of a table with LF line ends, or why it cannot be used.
std::string DescribeTable(const std::string& path);

// Copies text into a buffer of `size` bytes, cut to fit, always terminated.
void CopyToBuffer(const std::string& text, char* buffer, size_t size);

} // namespace tactr
