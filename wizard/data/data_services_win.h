#pragma once
#include <windows.h>

#include <cstdint>

#include "app_state.h"
#include "label_compose.h"

// Hooks the data source and translator into the program: the record's
// release closes them, workbooks go through the spreadsheet application
// when one is registered. Called once at start-up.
void InstallDataServices();

// The data source reader and the translator library.
class TranslatorServices : public DataSourceServices {
  public:
    uint32_t LoadTables(const AppState& state) override;
    void UnloadTables() override;
    void Translate(const char* source, char* braille) override;
};

// The program's composition services.
LabelServices& ProgramLabelServices();

// One label for embossing with the program's services; kComposeSourceFailed
// when the spreadsheet application failed the source and has said so.
int ComposeLabelText(char* buffer, int32_t record, AppState* state);

// A malloc()ed ANSI copy of a UTF-8 heap text, which it frees. Text that
// does not convert is kept as it is.
char* Utf8ToAnsiText(char* text);
