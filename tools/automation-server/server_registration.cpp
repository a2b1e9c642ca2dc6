#include "server_registration.h"

#include <windows.h>

#include <string>

#include "server_clsid.h"

static const wchar_t kDescription[] = L"Dotwell stand-in spreadsheet (test equipment)";

static bool SetDefaultValue(const std::wstring& subkey, const std::wstring& value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

int RegisterStandInServer(const wchar_t* pszExePath) {
    std::wstring clsidKey = std::wstring(L"CLSID\\") + kStandInClsidText;
    std::wstring progIdKey = kStandInProgId;
    bool ok =
        SetDefaultValue(clsidKey, kDescription) &&
        SetDefaultValue(clsidKey + L"\\LocalServer32", L"\"" + std::wstring(pszExePath) + L"\"") &&
        SetDefaultValue(clsidKey + L"\\ProgID", kStandInProgId) &&
        SetDefaultValue(progIdKey, kDescription) &&
        SetDefaultValue(progIdKey + L"\\CLSID", kStandInClsidText);
    return ok ? 1 : 0;
}

int UnregisterStandInServer() {
    std::wstring progIdClsid = std::wstring(kStandInProgId) + L"\\CLSID";
    wchar_t current[64] = L"";
    LONG size = sizeof current;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, progIdClsid.c_str(), current, &size) == ERROR_SUCCESS &&
        lstrcmpiW(current, kStandInClsidText) == 0)
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kStandInProgId);
    std::wstring clsidKey = std::wstring(L"CLSID\\") + kStandInClsidText;
    LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, clsidKey.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? 1 : 0;
}
