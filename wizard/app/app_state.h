#pragma once
#include <cstddef>
#include <cstdint>

#include "sheet_format.h"

constexpr uint32_t kProjectMagic = 0x12345678;
constexpr uint32_t kProjectVersion = 2;

// A `{X}` field of the label text: where its opening brace stands and the
// text between the braces.
struct LabelField {
    int32_t nPos;
    char szName[260];
};

// The one record every wizard page shares. Bytes 4 to 6075 are, as they
// stand, the body of a project file, so their widths never change: the two
// handles in that range are 32-bit identifiers, not pointers.
#pragma pack(push, 1)
struct AppState {
    uint32_t bAutoEmboss;
    uint32_t dwMagic;
    uint32_t dwVersion;
    char szProjectFile[260];
    char szSelectedPrinter[260];
    int32_t nMaxLabel;
    int32_t nMinLabel;
    int32_t nFromLabel;
    int32_t nToLabel;
    int32_t nStartPos;
    uint32_t hDataSource;
    int32_t nSourceKind;
    uint32_t hTranslator;
    SheetFormat Sheet;
    char szLabelText[4096];
    char szRuleFile[512];
    char szExceptionFile[512];
    char szDatabaseFile[260];
    int32_t nFieldCount;
    LabelField* pFields; // malloc()ed; freed by the field scan and by release
};
#pragma pack(pop)

// The persistent range written to project files.
constexpr size_t kProjectBodyOffset = 4;
constexpr size_t kProjectBodyEnd = 6076;

static_assert(offsetof(AppState, dwMagic) == 4);
static_assert(offsetof(AppState, dwVersion) == 8);
static_assert(offsetof(AppState, szProjectFile) == 12);
static_assert(offsetof(AppState, szSelectedPrinter) == 272);
static_assert(offsetof(AppState, nMaxLabel) == 532);
static_assert(offsetof(AppState, nMinLabel) == 536);
static_assert(offsetof(AppState, nFromLabel) == 540);
static_assert(offsetof(AppState, nToLabel) == 544);
static_assert(offsetof(AppState, nStartPos) == 548);
static_assert(offsetof(AppState, hDataSource) == 552);
static_assert(offsetof(AppState, nSourceKind) == 556);
static_assert(offsetof(AppState, hTranslator) == 560);
static_assert(offsetof(AppState, Sheet) == 564);
static_assert(offsetof(AppState, Sheet.wTextLeft) == 688);
static_assert(offsetof(AppState, Sheet.wTextHeight) == 694);
static_assert(offsetof(AppState, szLabelText) == 696);
static_assert(offsetof(AppState, szRuleFile) == 4792);
static_assert(offsetof(AppState, szExceptionFile) == 5304);
static_assert(offsetof(AppState, szDatabaseFile) == 5816);
static_assert(offsetof(AppState, nFieldCount) == kProjectBodyEnd);
static_assert(offsetof(AppState, pFields) == 6080);
static_assert(sizeof(AppState) == 6080 + sizeof(void*));

// What releasing the record closes belongs to other parts of the program;
// they register here at start-up so the record itself stays portable.
struct AppStateServices {
    void (*unloadTranslator)(uint32_t translator);
    uint32_t (*closeDataSource)(AppState* state);
};
void SetAppStateServices(const AppStateServices& services);

// Closes the record's data source, if one is open, and stores 0 as its
// handle.
void CloseAppDataSource(AppState* state);

// Fills the record with zero, then sets the signature, the version, the
// first label and the start position.
void ResetAppState(AppState* state);

// Closes what the record holds open (translator tables, data source, field
// array), then resets it. Harmless on a null pointer and when called twice.
void ReleaseAppState(AppState* state);
