// Registration of the stand-in server under the spreadsheet's ProgID, in
// the registry of the prefix it runs in.
#pragma once

// 1 on success, 0 on failure.
int RegisterStandInServer(const wchar_t* pszExePath);
// Removes our class, and the ProgID only while it still names our class.
int UnregisterStandInServer();
