#include "import_table.h"

#include <cstring>

namespace {

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = value;
        VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

} // namespace

std::vector<ImportedFunction> ImportsFrom(HMODULE module, const char* library) {
    std::vector<ImportedFunction> functions;
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) {
        return functions;
    }
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) {
            continue;
        }
        // The lookup table keeps the names once the slots hold addresses.
        const auto* wanted = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; wanted->u1.AddressOfData; ++wanted, ++slots) {
            ImportedFunction function{};
            function.byOrdinal = IMAGE_SNAP_BY_ORDINAL(wanted->u1.Ordinal);
            if (function.byOrdinal) {
                function.ordinal = static_cast<WORD>(IMAGE_ORDINAL(wanted->u1.Ordinal));
            } else {
                function.name =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + wanted->u1.AddressOfData)
                        ->Name;
            }
            function.slot = reinterpret_cast<void**>(&slots->u1.Function);
            functions.push_back(function);
        }
    }
    return functions;
}

void** ImportSlot(HMODULE module, const char* library, const char* name) {
    for (const ImportedFunction& function : ImportsFrom(module, library)) {
        const bool match =
            function.byOrdinal
                ? IS_INTRESOURCE(name) && function.ordinal == reinterpret_cast<ULONG_PTR>(name)
                : !IS_INTRESOURCE(name) && std::strcmp(function.name, name) == 0;
        if (match) {
            return function.slot;
        }
    }
    return nullptr;
}

ImportPatch::ImportPatch(void** slot, void* replacement)
    : slot_(slot), original_(slot ? *slot : nullptr) {
    if (slot_) {
        WriteSlot(slot_, replacement);
    }
}

ImportPatch::~ImportPatch() {
    if (slot_) {
        WriteSlot(slot_, original_);
    }
}
