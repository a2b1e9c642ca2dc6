#include "loaded_tables.h"

#include <cstring>
#include <mutex>

#include "translate.h"

namespace tactr {

int LoadedTables::Load(const std::string& tablePath, const std::string& exceptionsPath) {
    auto table = std::make_unique<Table>();
    std::unique_ptr<Table> exceptions;
    std::string error;
    if (!CompileTable(tablePath, TableKind::kTranslation, ReadWholeFile, *table, error)) {
        Unload();
        return 0;
    }
    bool folder =
        exceptionsPath.empty() || exceptionsPath.back() == '\\' || exceptionsPath.back() == '/';
    if (!folder) {
        // A chosen list that cannot be read must not be skipped quietly: the
        // names in it would come out wrong.
        exceptions = std::make_unique<Table>();
        if (!CompileTable(exceptionsPath, TableKind::kExceptions, ReadWholeFile, *exceptions,
                          error)) {
            Unload();
            return 0;
        }
    }
    std::unique_lock guard(lock_);
    table_ = std::move(table);
    exceptions_ = std::move(exceptions);
    return 1;
}

void LoadedTables::Unload() {
    std::unique_lock guard(lock_);
    table_.reset();
    exceptions_.reset();
}

int LoadedTables::Translate(const char* source, char* out, size_t outSize) const {
    std::shared_lock guard(lock_);
    if (!table_) {
        if (out && outSize)
            out[0] = '\0';
        return 0;
    }
    tactr::Translate(*table_, exceptions_.get(), source, out, outSize);
    return 1;
}

std::string DescribeTable(const std::string& path) {
    auto table = std::make_unique<Table>();
    std::string error;
    if (!CompileTable(path, TableKind::kTranslation, ReadWholeFile, *table, error))
        return "This table cannot be used:\n" + error;
    std::string text = table->szName;
    if (!table->szDescription.empty())
        text += (text.empty() ? "" : "\n") + table->szDescription;
    return text;
}

void CopyToBuffer(const std::string& text, char* buffer, size_t size) {
    if (!buffer || size == 0)
        return;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

} // namespace tactr
