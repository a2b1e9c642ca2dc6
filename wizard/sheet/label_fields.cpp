#include "label_fields.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Whether a field opens at `start`: some later `{` (this one included) is
// followed by capital letters and a `}`. A `{` that ends a run of capitals
// is skipped over, not examined itself.
bool FieldFollows(std::string_view text, size_t start) {
    size_t i = start;
    while (i < text.size()) {
        if (text[i] != '{') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && text[j] >= 'A' && text[j] <= 'Z') {
            ++j;
        }
        if (j >= text.size()) {
            return false;
        }
        if (text[j] == '}') {
            return true;
        }
        i = j + 1;
    }
    return false;
}

} // namespace

std::string_view LabelText(const AppState& state) {
    return {state.szLabelText, strnlen(state.szLabelText, sizeof state.szLabelText)};
}

void ScanLabelFields(AppState* state) {
    std::free(state->pFields);
    state->pFields = nullptr;
    state->nFieldCount = 0;

    const std::string_view text = LabelText(*state);
    std::vector<LabelField> fields;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '{' || !FieldFollows(text, i)) {
            ++i;
            continue;
        }
        LabelField field{};
        field.nPos = static_cast<int32_t>(i);
        const size_t close = text.find('}', i + 1);
        size_t length = 0;
        for (size_t k = i + 1; k < close; ++k) {
            if (text[k] != '{' && length + 1 < sizeof field.szName) {
                field.szName[length++] = text[k];
            }
        }
        fields.push_back(field);
        i = close + 1;
    }
    if (fields.empty()) {
        return;
    }
    auto* array = static_cast<LabelField*>(std::malloc(fields.size() * sizeof(LabelField)));
    if (!array) {
        return;
    }
    std::memcpy(array, fields.data(), fields.size() * sizeof(LabelField));
    state->pFields = array;
    state->nFieldCount = static_cast<int32_t>(fields.size());
}

int HasFieldBraces(std::string_view text) {
    size_t opening = 0;
    size_t closing = 0;
    for (char c : text) {
        opening += c == '{';
        closing += c == '}';
    }
    return opening > 0 && opening == closing;
}
