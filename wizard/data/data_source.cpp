#include "data_source.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "csv.h"
#include "direct_workbook.h"

namespace {

enum class Backend { kCsv, kDirect, kAutomation };

// The record keeps a 32-bit handle (it is part of the project layout), so
// open sources live in a small table and the handle is a slot number + 1.
// The preview and an embossing job are the only users; a few slots spare.
struct Slot {
    std::atomic<bool> used{false};
    Backend backend = Backend::kCsv;
    void* source = nullptr;
};
constexpr uint32_t kSlotCount = 8;
Slot g_slots[kSlotCount];

WorkbookAutomation g_automation{};
char* (*g_fromUtf8)(char*) = nullptr;
// The last open went to the spreadsheet application and failed there.
std::atomic<bool> g_automationOpenFailed{false};

uint32_t AddSlot(Backend backend, void* source) {
    for (uint32_t i = 0; i < kSlotCount; ++i) {
        bool expected = false;
        if (g_slots[i].used.compare_exchange_strong(expected, true)) {
            g_slots[i].backend = backend;
            g_slots[i].source = source;
            return i + 1;
        }
    }
    return 0;
}

Slot* FindSlot(uint32_t handle) {
    if (handle == 0 || handle > kSlotCount || !g_slots[handle - 1].used) {
        return nullptr;
    }
    return &g_slots[handle - 1];
}

void CloseBackend(Backend backend, void* source) {
    switch (backend) {
    case Backend::kCsv:
        CsvClose(static_cast<CsvTable*>(source));
        break;
    case Backend::kDirect:
        DirectWorkbookClose(static_cast<DirectWorkbook*>(source));
        break;
    case Backend::kAutomation:
        if (g_automation.close) {
            g_automation.close(source);
        }
        break;
    }
}

// Ours to keep: a source that cannot get a slot is closed at once.
uint32_t Keep(Backend backend, void* source) {
    if (!source) {
        return 0;
    }
    const uint32_t handle = AddSlot(backend, source);
    if (!handle) {
        CloseBackend(backend, source);
    }
    return handle;
}

uint32_t OpenWorkbook(const char* path) {
    if (g_automation.open) {
        void* connection = nullptr;
        const int opened = g_automation.open(path, &connection);
        if (opened >= 0) {
            g_automationOpenFailed = opened != 1;
            return opened == 1 ? Keep(Backend::kAutomation, connection) : 0;
        }
    }
    return Keep(Backend::kDirect, DirectWorkbookOpen(path));
}

} // namespace

void SetDataSourcePlatform(const WorkbookAutomation& automation, char* (*fromUtf8)(char*)) {
    g_automation = automation;
    g_fromUtf8 = fromUtf8;
}

int32_t DataSourceKindOf(char* path) {
    for (char* c = path; *c; ++c) {
        if (*c >= 'A' && *c <= 'Z') {
            *c = static_cast<char>(*c - 'A' + 'a');
        }
    }
    if (std::strstr(path, ".xls")) {
        return kSourceWorkbook;
    }
    if (std::strstr(path, ".csv")) {
        return kSourceCsv;
    }
    return kSourceNone;
}

uint32_t DataSourceOpen(AppState* state) {
    // A path read from a project file is not trusted to be terminated.
    state->szDatabaseFile[sizeof state->szDatabaseFile - 1] = '\0';
    state->nSourceKind = DataSourceKindOf(state->szDatabaseFile);
    g_automationOpenFailed = false;
    switch (state->nSourceKind) {
    case kSourceWorkbook:
        state->hDataSource = OpenWorkbook(state->szDatabaseFile);
        break;
    case kSourceCsv:
        state->hDataSource = Keep(Backend::kCsv, CsvOpen(state->szDatabaseFile));
        break;
    default:
        break;
    }
    return state->hDataSource;
}

uint32_t DataSourceClose(AppState* state) {
    if (Slot* slot = FindSlot(state->hDataSource)) {
        CloseBackend(slot->backend, slot->source);
        slot->source = nullptr;
        slot->used = false;
    }
    state->hDataSource = 0;
    state->nSourceKind = kSourceNone;
    return 0;
}

int32_t DataSourceRowCount(AppState* state) {
    const Slot* slot = FindSlot(state->hDataSource);
    if (!slot) {
        return -1;
    }
    switch (slot->backend) {
    case Backend::kCsv:
        return CsvRowCount(static_cast<CsvTable*>(slot->source));
    case Backend::kDirect:
        return DirectWorkbookRowCount(static_cast<DirectWorkbook*>(slot->source));
    case Backend::kAutomation:
        return g_automation.rowCount ? g_automation.rowCount(slot->source) : -1;
    }
    return -1;
}

char* DataSourceCell(AppState* state, int32_t row, int32_t column) {
    const Slot* slot = FindSlot(state->hDataSource);
    if (!slot) {
        return nullptr;
    }
    switch (slot->backend) {
    case Backend::kCsv:
        return CsvCellText(static_cast<CsvTable*>(slot->source), row - 1, column - 1);
    case Backend::kDirect: {
        if (row < 1 || column < 1) {
            return nullptr;
        }
        char* text = DirectWorkbookCell(static_cast<DirectWorkbook*>(slot->source), row, column);
        return text && g_fromUtf8 ? g_fromUtf8(text) : text;
    }
    case Backend::kAutomation:
        return g_automation.cell ? g_automation.cell(slot->source, row, column) : nullptr;
    }
    return nullptr;
}

int DataSourceFailed(AppState* state) {
    const Slot* slot = FindSlot(state->hDataSource);
    if (!slot) {
        return state->nSourceKind == kSourceWorkbook && g_automationOpenFailed ? 1 : 0;
    }
    if (slot->backend != Backend::kAutomation || !g_automation.failed) {
        return 0;
    }
    return g_automation.failed(slot->source);
}

void DataSourceFreeCell(AppState* state, char* text) {
    const Slot* slot = FindSlot(state->hDataSource);
    if (!slot) {
        return;
    }
    if (slot->backend == Backend::kCsv) {
        CsvFreeText(text);
    } else {
        std::free(text);
    }
}
