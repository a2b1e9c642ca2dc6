#pragma once
#include <windows.h>

// Lets the translator check every table of the rule-file folder once,
// before the wizard is shown.
void ScanTranslationTables();
void ScanTableFolder(const char* ruleFolder);

// Fills a sorted drop-down list with the table names of a folder and
// selects `current`, or when it names no table, the remembered name.
void FillTableCombo(HWND list, const char* folder, const char* current,
                    int (*readRemembered)(char* buffer, DWORD size));

// Copies the selected item into `field` (512 bytes) when its table name
// differs; a list without selection leaves the field alone.
void CopySelection(HWND list, char* field, size_t size);
