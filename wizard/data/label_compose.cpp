#include "label_compose.h"

#include <cstring>
#include <string>

#include "data_source.h"
#include "label_text.h"

namespace {

// The last load result of the preview, apart from the record's own
// `hTranslator`: the translator holds one set of tables per process, so
// this only says that the preview loaded them last.
uint32_t g_previewTables = 0;

bool HasSourcePath(const AppState& state) {
    return state.szDatabaseFile[0] != '\0';
}

// Translated and cut to the text box, in `text` (at least
// kBrailleTextSize bytes).
void TranslateAndClip(const char* source, char* braille, const AppState& state,
                      LabelServices& services) {
    std::memset(braille, 0, kBrailleTextSize);
    services.Translate(source, braille);
    braille[kBrailleTextSize - 1] = '\0';
    ClipLabelLines(&state, braille);
}

} // namespace

uint32_t DataSourceServices::OpenSource(AppState& state) {
    return DataSourceOpen(&state);
}

void DataSourceServices::CloseSource(AppState& state) {
    DataSourceClose(&state);
}

int32_t DataSourceServices::RowCount(AppState& state) {
    return DataSourceRowCount(&state);
}

char* DataSourceServices::Cell(AppState& state, int32_t row, int32_t column) {
    return DataSourceCell(&state, row, column);
}

void DataSourceServices::FreeCell(AppState& state, char* text) {
    DataSourceFreeCell(&state, text);
}

void MergeLabelFields(char* buffer, AppState& state, int32_t row, LabelServices& services) {
    const size_t length = strnlen(state.szLabelText, kLabelTextBufferSize - 1);
    std::memcpy(buffer, state.szLabelText, length);
    buffer[length] = '\0';
    if (!HasSourcePath(state) || !state.pFields) {
        return;
    }
    for (int32_t i = 0; i < state.nFieldCount; ++i) {
        const LabelField& field = state.pFields[i];
        const std::string name(field.szName, strnlen(field.szName, sizeof field.szName));
        const std::string pattern = "{" + name + "}";
        char* cell = services.Cell(state, row, ColumnNumberOf(name.c_str()));
        if (cell) {
            ReplaceAll(buffer, kLabelTextBufferSize, pattern.c_str(), cell);
        }
        services.FreeCell(state, cell);
    }
}

int ComposeLabelText(char* buffer, int32_t record, AppState* state, LabelServices& services) {
    if (!state || record < 0) {
        return 0;
    }
    if (state->hDataSource == 0) {
        if (HasSourcePath(*state)) {
            services.OpenSource(*state);
        }
        state->hTranslator = services.LoadTables(*state);
    }
    if (HasSourcePath(*state) && state->hDataSource == 0) {
        return kComposeSourceNotOpened;
    }
    MergeLabelFields(buffer, *state, record, services);
    if (state->hTranslator == 0) {
        return kComposeNoTables;
    }
    char braille[kBrailleTextSize];
    TranslateAndClip(buffer, braille, *state, services);
    const size_t length = std::strlen(braille);
    for (size_t i = 0; i < length; ++i) {
        if (braille[i] == '\n') {
            braille[i] = '\0';
        }
    }
    std::memcpy(buffer, braille, length);
    buffer[length] = '\0';
    buffer[length + 1] = '\0';
    return 1;
}

void UpdateLabelRange(AppState& state, int32_t maxLabel) {
    state.nMaxLabel = maxLabel;
    state.nMinLabel = 1;
    if (state.nFromLabel < 1 || state.nFromLabel > state.nMaxLabel) {
        state.nFromLabel = 1;
    }
    if (state.nToLabel < state.nFromLabel || state.nToLabel > state.nMaxLabel) {
        state.nToLabel = state.nMaxLabel;
    }
}

int PreviewLabelRange(AppState* state, LabelServices& services) {
    if (!state) {
        return 0;
    }
    if (!HasSourcePath(*state)) {
        UpdateLabelRange(*state, 10000);
        return 1;
    }
    if (state->hDataSource == 0 && services.OpenSource(*state) == 0) {
        return 0;
    }
    UpdateLabelRange(*state, services.RowCount(*state));
    return 1;
}

void ReleaseLabelPreview(AppState* state, LabelServices& services, PreviewView& view) {
    if (!state) {
        return;
    }
    if (g_previewTables) {
        services.UnloadTables();
        g_previewTables = 0;
    }
    if (HasSourcePath(*state) && state->hDataSource) {
        services.CloseSource(*state);
    }
    view.EnableControls(false);
}

namespace {

int ShowRecord(AppState& state, int32_t recordIndex, LabelServices& services, PreviewView& view) {
    const bool hasPath = HasSourcePath(state);
    if (hasPath && state.hDataSource == 0 && services.OpenSource(state) == 0) {
        return 0;
    }
    const int32_t count = hasPath ? services.RowCount(state) : state.nMaxLabel;
    if (hasPath && recordIndex + 1 > count) {
        services.CloseSource(state);
        return 0;
    }
    view.ShowCounter(recordIndex + 1, count);
    char text[kLabelTextBufferSize];
    MergeLabelFields(text, state, recordIndex + 1, services);
    if (g_previewTables) {
        char braille[kBrailleTextSize];
        TranslateAndClip(text, braille, state, services);
        view.ShowText(text, braille);
    } else {
        ClipLabelLines(&state, text);
        view.ShowText(text, nullptr);
    }
    return 1;
}

} // namespace

int ReopenLabelPreview(AppState* state, int32_t recordIndex, bool translate,
                       LabelServices& services, PreviewView& view) {
    if (!state || recordIndex < 0) {
        return 0;
    }
    view.EnableControls(true);
    if (HasSourcePath(*state)) {
        if (state->hDataSource) {
            services.CloseSource(*state);
        }
        services.OpenSource(*state);
    }
    if (translate) {
        if (g_previewTables) {
            services.UnloadTables();
        }
        g_previewTables = services.LoadTables(*state);
    }
    return ShowRecord(*state, recordIndex, services, view);
}

int ShowLabelPreview(AppState* state, int32_t recordIndex, LabelServices& services,
                     PreviewView& view) {
    if (!state || recordIndex < 0) {
        return 0;
    }
    view.EnableControls(true);
    return ShowRecord(*state, recordIndex, services, view);
}
