#pragma once
#include <windows.h>

#include <vector>

// One function a module imports from a library: by ordinal or by name, and
// the import address table entry through which the module calls it.
struct ImportedFunction {
    bool byOrdinal;
    WORD ordinal;     // when byOrdinal
    const char* name; // otherwise
    void** slot;
};

// What `module` imports from `library` (any letter case), in table order.
std::vector<ImportedFunction> ImportsFrom(HMODULE module, const char* library);

// The import address table entry through which `module` calls the export
// `name` of `library` (MAKEINTRESOURCEA(n) for an export by ordinal); null
// when the module does not import it that way.
void** ImportSlot(HMODULE module, const char* library, const char* name);

// Points an import slot at `replacement` for its lifetime, so a test sees the
// calls the program makes through its real import table.
class ImportPatch {
  public:
    ImportPatch(void** slot, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    void* original() const { return original_; }

  private:
    void** slot_;
    void* original_;
};
