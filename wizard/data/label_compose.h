#pragma once
#include <cstdint>

#include "app_state.h"

// Room of the translator's braille output, terminator included.
constexpr size_t kBrailleTextSize = 1024;

// What composition needs from outside: the data source and the translator.
// The program passes the real ones; tests pass fakes.
class LabelServices {
  public:
    virtual ~LabelServices() = default;
    virtual uint32_t OpenSource(AppState& state) = 0;
    virtual void CloseSource(AppState& state) = 0;
    virtual int32_t RowCount(AppState& state) = 0;
    virtual char* Cell(AppState& state, int32_t row, int32_t column) = 0;
    virtual void FreeCell(AppState& state, char* text) = 0;
    // Loads the record's rules and exception list; 0 when translation is
    // not possible.
    virtual uint32_t LoadTables(const AppState& state) = 0;
    virtual void UnloadTables() = 0;
    // Writes the NUL-terminated braille of `source` into kBrailleTextSize
    // bytes.
    virtual void Translate(const char* source, char* braille) = 0;
};

// The data source through the reader of this folder; the translator is left
// to the platform.
class DataSourceServices : public LabelServices {
  public:
    uint32_t OpenSource(AppState& state) override;
    void CloseSource(AppState& state) override;
    int32_t RowCount(AppState& state) override;
    char* Cell(AppState& state, int32_t row, int32_t column) override;
    void FreeCell(AppState& state, char* text) override;
};

// Copies the label text into `buffer` (kLabelTextBufferSize bytes) and, when
// the record names a data source, replaces each field by its cell of `row`.
// A field whose cell cannot be read stays as typed.
void MergeLabelFields(char* buffer, AppState& state, int32_t row, LabelServices& services);

// What composition gives besides 1 (composed) and 0 (no label text). Every
// label of a job needs the data file and the tables, so a job ends at the
// first label that gives one of these rather than emboss blank labels.
constexpr int kComposeSourceFailed = -1;    // the source has told the user why
constexpr int kComposeSourceNotOpened = -2; // the data file would not open
constexpr int kComposeNoTables = -3;        // the translation tables would not load

// One label for embossing: composed braille lines, each NUL-terminated,
// and one more NUL, into `buffer` (kLabelTextBufferSize bytes). Opens the
// source and loads the tables when the source is closed. 1 on success.
int ComposeLabelText(char* buffer, int32_t record, AppState* state, LabelServices& services);

// Keeps the Emboss page's label range within 1..maxLabel.
void UpdateLabelRange(AppState& state, int32_t maxLabel);

// The controls of a page that shows a label preview.
class PreviewView {
  public:
    virtual ~PreviewView() = default;
    virtual void EnableControls(bool enabled) = 0;
    virtual void ShowCounter(int32_t record, int32_t count) = 0;
    // Shows `braille` (translated cells) when given, else `text` (8-bit, as
    // typed). `text` is the label's text either way, for those who cannot
    // see the cells.
    virtual void ShowText(const char* text, const char* braille) = 0;
};

// A page's label preview (record indexes from 0); 1 when done, 0 when the
// source or the record cannot be had.
// The label range: the source's row count, or 10000 without a source.
int PreviewLabelRange(AppState* state, LabelServices& services);
// Opens the source afresh (and the translator's tables when `translate`),
// then shows the record.
int ReopenLabelPreview(AppState* state, int32_t recordIndex, bool translate,
                       LabelServices& services, PreviewView& view);
// Shows the record with the source and tables already held.
int ShowLabelPreview(AppState* state, int32_t recordIndex, LabelServices& services,
                     PreviewView& view);
// Lets go of the tables and the source, so others may use them.
void ReleaseLabelPreview(AppState* state, LabelServices& services, PreviewView& view);
