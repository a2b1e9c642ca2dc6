// Identity of the stand-in spreadsheet automation server (test equipment).
#pragma once

#include <windows.h>

// {0866768B-05B4-4029-AC6A-F569978CE4CD}
static const CLSID CLSID_StandInSpreadsheet = {
    0x0866768b, 0x05b4, 0x4029, {0xac, 0x6a, 0xf5, 0x69, 0x97, 0x8c, 0xe4, 0xcd}};
static const wchar_t kStandInClsidText[] = L"{0866768B-05B4-4029-AC6A-F569978CE4CD}";
static const wchar_t kStandInProgId[] = L"Excel.Application";
