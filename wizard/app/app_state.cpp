#include "app_state.h"

#include <cstdlib>
#include <cstring>

namespace {
AppStateServices g_services{};
}

void SetAppStateServices(const AppStateServices& services) {
    g_services = services;
}

void CloseAppDataSource(AppState* state) {
    if (state->hDataSource) {
        state->hDataSource = g_services.closeDataSource ? g_services.closeDataSource(state) : 0;
    }
}

void ResetAppState(AppState* state) {
    std::memset(state, 0, sizeof *state);
    state->dwMagic = kProjectMagic;
    state->dwVersion = kProjectVersion;
    state->nFromLabel = 1;
    state->nStartPos = 1;
}

void ReleaseAppState(AppState* state) {
    if (!state) {
        return;
    }
    if (state->hTranslator) {
        if (g_services.unloadTranslator) {
            g_services.unloadTranslator(state->hTranslator);
        }
        state->hTranslator = 0;
    }
    if (state->hDataSource) {
        state->hDataSource = g_services.closeDataSource ? g_services.closeDataSource(state) : 0;
    }
    std::free(state->pFields);
    ResetAppState(state);
}
