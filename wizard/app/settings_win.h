#pragma once
#include <windows.h>

// The wizard's last choices under HKEY_CURRENT_USER\<SettingsKeyPath()>.
// Nothing here reports a failure to the user: a missing value reads as its
// default.

int RegReadValue(HKEY root, const char* keyPath, const char* valueName, DWORD type, void* data,
                 DWORD size);
int RegWriteValue(HKEY root, const char* keyPath, const char* valueName, DWORD type,
                  const void* data, DWORD size);

int GetLastDir(char* buffer, DWORD size);
int SetLastDir(const char* path);
int GetPersonalFolder(char* buffer, DWORD size);

// The button value (1: an existing project was chosen); the file name is
// read only when it is 1, else the buffer is left empty.
DWORD ReadLastProject(char* fileName, DWORD size);
void WriteLastProject(DWORD button, const char* fileName);

int ReadLastRuleFile(char* buffer, DWORD size);
void WriteLastRuleFile(const char* name);
int ReadLastExceptionFile(char* buffer, DWORD size);
void WriteLastExceptionFile(const char* name);
int ReadSelectedPrinter(char* buffer, DWORD size);
void WriteSelectedPrinter(const char* name);

// 1 to 5; 1 when missing. Values outside 1..5 are stored as 1.
DWORD ReadMultipleImpacts();
void WriteMultipleImpacts(DWORD impacts);

// "LastSaved" in the "csv" subkey, written by the grid editor.
int ReadLastSaved(char* buffer, DWORD size);
