#include "import_slot.h"

#include <cstring>

namespace {

bool Matches(BYTE* base, const IMAGE_THUNK_DATA& entry, const char* name) {
    if (IMAGE_SNAP_BY_ORDINAL(entry.u1.Ordinal)) {
        return IS_INTRESOURCE(name) &&
               IMAGE_ORDINAL(entry.u1.Ordinal) == reinterpret_cast<ULONG_PTR>(name);
    }
    const auto* byName =
        reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + entry.u1.AddressOfData);
    return !IS_INTRESOURCE(name) && std::strcmp(byName->Name, name) == 0;
}

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) {
        *slot = value;
        VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
}

} // namespace

void** ImportSlot(HMODULE module, const char* library, const char* name) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) {
        return nullptr;
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
            if (Matches(base, *wanted, name)) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
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
