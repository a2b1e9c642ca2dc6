#include "embosser_printers.h"

#include <windows.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>

#include "job_framing.h"

namespace {

// Appends one name, keeping the list ended by an extra NUL.
bool AppendName(char** pList, size_t* pUsed, const char* szName) {
    size_t len = strlen(szName);
    char* grown = static_cast<char*>(realloc(*pList, *pUsed + len + 2));
    if (!grown)
        return false;
    memcpy(grown + *pUsed, szName, len + 1);
    *pUsed += len + 1;
    grown[*pUsed] = 0;
    *pList = grown;
    return true;
}

} // namespace

char* EnumEmbossers() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    auto* buffer = static_cast<BYTE*>(malloc(needed + 32));
    if (!buffer)
        return nullptr;
    char* list = nullptr;
    size_t used = 0;
    if (EnumPrintersA(flags, nullptr, 2, buffer, needed + 32, &needed, &count)) {
        const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer);
        for (DWORD i = 0; i < count; ++i) {
            if (!printers[i].pPrinterName || !IsEmbosserDriver(printers[i].pDriverName))
                continue;
            if (!AppendName(&list, &used, printers[i].pPrinterName)) {
                free(list);
                list = nullptr;
                break;
            }
        }
    }
    free(buffer);
    return list;
}

void FreeEmbosserList(char* pList) {
    free(pList);
}
