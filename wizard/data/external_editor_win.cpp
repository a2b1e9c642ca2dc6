#include "external_editor_win.h"

#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data_source.h"
#include "editor_command.h"
#include "office_registry.h"
#include "paths.h"
#include "resource.h"
#include "settings_win.h"

namespace {

int RunCommand(const char* commandLine) {
    return RunAndWait("%s", commandLine);
}

EditorLauncher g_launcher{RunCommand, OpenAndWait};

void WaitForProcess(HANDLE process) {
    while (WaitForSingleObject(process, 1000) == WAIT_TIMEOUT) {
    }
}

} // namespace

void SetEditorLauncher(const EditorLauncher& launcher) {
    g_launcher = launcher;
}

int RunAndWait(const char* format, ...) {
    va_list list;
    va_start(list, format);
    va_list sizing;
    va_copy(sizing, list);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length < 0) {
        va_end(list);
        return 0;
    }
    // CreateProcessA may write into its command line.
    std::vector<char> commandLine(static_cast<size_t>(length) + 1);
    std::vsnprintf(commandLine.data(), commandLine.size(), format, list);
    va_end(list);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 0;
    }
    CloseHandle(process.hThread);
    WaitForProcess(process.hProcess);
    CloseHandle(process.hProcess);
    return 1;
}

int OpenAndWait(const char* path) {
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = "open";
    execute.lpFile = path;
    execute.nShow = SW_SHOW;
    if (!ShellExecuteExA(&execute)) {
        return 0;
    }
    if (execute.hProcess) {
        WaitForProcess(execute.hProcess);
        CloseHandle(execute.hProcess);
    }
    return 1;
}

// Without the spreadsheet application a workbook still opens, in whatever
// the system associates with it.
void EditDataSource(HWND page, char* path) {
    const int32_t kind = DataSourceKindOf(path);
    HWND wizard = GetParent(page);
    ShowWindow(wizard, SW_HIDE);
    int started = 0;
    if (kind == kSourceWorkbook) {
        char folder[MAX_PATH];
        if (ExcelInstalled() && ExcelFolder(folder, sizeof folder)) {
            started = g_launcher.runCommand(
                EditorCommandLine(std::string(folder) + "excel.exe", path).c_str());
        } else {
            started = g_launcher.openDocument(path);
        }
    } else {
        char program[MAX_PATH];
        ModuleFolderPath(program, sizeof program, "gridpad.exe");
        started = g_launcher.runCommand(EditorCommandLine(program, path).c_str());
    }
    ShowWindow(wizard, SW_SHOW);
    if (!started || kind == kSourceWorkbook) {
        return;
    }
    char saved[MAX_PATH] = "";
    if (ReadLastSaved(saved, sizeof saved) && saved[0]) {
        SetDlgItemTextA(page, IDC_DATABASE_PATH, saved);
        std::strncpy(path, saved, MAX_PATH - 1);
        path[MAX_PATH - 1] = '\0';
    }
}
