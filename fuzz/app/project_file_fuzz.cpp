// Any bytes as a project file: the decoder takes them or refuses them
// without reading past them, every text it keeps ends inside its array, the
// field scan copes with whatever text arrived, and what was read is saved
// and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "label_fields.h"
#include "project_codec.h"

namespace {

template <size_t N> void CheckEnds(const char (&text)[N]) {
    if (!std::memchr(text, '\0', N)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so a read past its end is seen.
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
    std::memcpy(bytes.get(), data, size);

    auto state = std::make_unique<AppState>();
    ResetAppState(state.get());
    std::strcpy(state->szProjectFile, "C:\\Labels\\kept.dwp");
    if (DecodeProject(bytes.get(), size, state.get()) != ProjectDecode::Ok) {
        return 0;
    }
    if (std::strcmp(state->szProjectFile, "C:\\Labels\\kept.dwp") != 0 || state->hDataSource != 0 ||
        state->hTranslator != 0 || state->dwVersion != kProjectVersion) {
        std::abort();
    }
    CheckEnds(state->szSelectedPrinter);
    CheckEnds(state->Sheet.szName);
    CheckEnds(state->szLabelText);
    CheckEnds(state->szRuleFile);
    CheckEnds(state->szExceptionFile);
    CheckEnds(state->szDatabaseFile);

    ScanLabelFields(state.get());
    for (int32_t i = 0; i < state->nFieldCount; ++i) {
        const LabelField& field = state->pFields[i];
        if (field.nPos < 0 || static_cast<size_t>(field.nPos) >= LabelText(*state).size()) {
            std::abort();
        }
        CheckEnds(field.szName);
    }

    uint8_t saved[kProjectFileSizeV2];
    EncodeProject(*state, saved);
    auto again = std::make_unique<AppState>();
    ResetAppState(again.get());
    std::strcpy(again->szProjectFile, state->szProjectFile);
    if (DecodeProject(saved, sizeof saved, again.get()) != ProjectDecode::Ok ||
        std::memcmp(reinterpret_cast<const uint8_t*>(again.get()) + kProjectBodyOffset,
                    reinterpret_cast<const uint8_t*>(state.get()) + kProjectBodyOffset,
                    kProjectBodyEnd - kProjectBodyOffset) != 0) {
        std::abort();
    }
    ReleaseAppState(state.get());
    return 0;
}
