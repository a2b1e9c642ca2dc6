#include "translator_calls.h"

namespace {

// Bound at first use, by ordinal (the editor by name), so that the wizard
// still starts where the library is missing.
TranslatorCalls Bind() {
    TranslatorCalls calls{};
    HMODULE library = LoadLibraryA("tactr32.dll");
    if (!library) {
        return calls;
    }
    calls.pfnPrepareTable = reinterpret_cast<decltype(calls.pfnPrepareTable)>(
        GetProcAddress(library, MAKEINTRESOURCEA(38)));
    calls.pfnTableProperties = reinterpret_cast<decltype(calls.pfnTableProperties)>(
        GetProcAddress(library, MAKEINTRESOURCEA(19)));
    calls.pfnTableDetails = reinterpret_cast<decltype(calls.pfnTableDetails)>(
        GetProcAddress(library, MAKEINTRESOURCEA(13)));
    calls.pfnEditExceptionList = reinterpret_cast<decltype(calls.pfnEditExceptionList)>(
        GetProcAddress(library, "TactrEditExceptionList"));
    return calls;
}

} // namespace

const TranslatorCalls& Translator() {
    static const TranslatorCalls calls = Bind();
    return calls;
}
