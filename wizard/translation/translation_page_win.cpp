#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "basic_page_win.h"
#include "page_services_win.h"
#include "page_table_win.h"
#include "paths.h"
#include "resource.h"
#include "settings_win.h"
#include "table_lists_win.h"
#include "table_names.h"
#include "tactr32_win.h"

namespace {

constexpr UINT32 kDetailsSize = 1024;

void SyncWizardButtons(HWND page) {
    const bool bothChosen =
        SendDlgItemMessageA(page, IDC_RULE_FILE, CB_GETCURSEL, 0, 0) != CB_ERR &&
        SendDlgItemMessageA(page, IDC_EXCEPTION_FILE, CB_GETCURSEL, 0, 0) != CB_ERR;
    SetWizardButtons(page, bothChosen ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

void RememberRuleFile(HWND page, AppState* state) {
    CopySelection(GetDlgItem(page, IDC_RULE_FILE), state->szRuleFile, sizeof state->szRuleFile);
    char name[MAX_PATH];
    WriteLastRuleFile(TableNameOf(name, sizeof name, state->szRuleFile));
}

void RememberExceptionFile(HWND page, AppState* state) {
    CopySelection(GetDlgItem(page, IDC_EXCEPTION_FILE), state->szExceptionFile,
                  sizeof state->szExceptionFile);
    char name[MAX_PATH];
    WriteLastExceptionFile(TableNameOf(name, sizeof name, state->szExceptionFile));
}

// The translator gives LF line ends; the edit control needs CR LF.
void ShowDetails(HWND page, const char* ruleFile) {
    char* details = static_cast<char*>(std::calloc(kDetailsSize, 1));
    char* shown = static_cast<char*>(std::calloc(kDetailsSize, 1));
    char name[MAX_PATH];
    // With no table chosen there is nothing to describe; the translator
    // would only report the folder as unreadable.
    if (details && shown && *TableNameOf(name, sizeof name, ruleFile)) {
        char path[MAX_PATH];
        RuleFilePath(path, sizeof path, ruleFile);
        TactrTableDetails(path, details, kDetailsSize);
        details[kDetailsSize - 1] = '\0';
        InsertCarriageReturns(shown, kDetailsSize, details);
    }
    if (details && shown) {
        SetDlgItemTextA(page, IDC_RULE_DETAILS, *shown ? shown : "No Details");
    }
    std::free(details);
    std::free(shown);
}

void RuleListNotified(HWND page, AppState* state) {
    RememberRuleFile(page, state);
    HWND list = GetDlgItem(page, IDC_RULE_FILE);
    BOOL offered = FALSE;
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    char item[MAX_PATH];
    if (selected != CB_ERR && SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected),
                                           0) < static_cast<LRESULT>(sizeof item)) {
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(item));
        char path[MAX_PATH];
        RuleFilePath(path, sizeof path, item);
        offered = TactrTableProperties(page, path, nullptr, 0) != 0;
    }
    EnableWindow(GetDlgItem(page, IDC_RULE_PROPERTIES), offered);
    ShowDetails(page, state->szRuleFile);
}

// The chosen related table stands in until the list next notifies.
void ShowProperties(HWND page, AppState* state) {
    char path[MAX_PATH];
    RuleFilePath(path, sizeof path, state->szRuleFile);
    char chosen[MAX_PATH] = {};
    TactrTableProperties(page, path, chosen, sizeof chosen);
    chosen[sizeof chosen - 1] = '\0';
    const char* name = LastPathPart(chosen);
    if (*chosen && std::strlen(name) < sizeof state->szRuleFile) {
        std::strcpy(state->szRuleFile, name);
    }
}

void EditExceptionLists(HWND page) {
    char exceptionFolder[MAX_PATH], ruleFolder[MAX_PATH];
    ExceptionFilePath(exceptionFolder, sizeof exceptionFolder, "");
    RuleFilePath(ruleFolder, sizeof ruleFolder, "");
    TactrEditExceptionList(page, exceptionFolder, ruleFolder);
}

void Command(HWND page, int id) {
    PageEntry* row = PageRow(page);
    if (!row) {
        return;
    }
    SyncWizardButtons(page);
    switch (id) {
    case IDC_RULE_FILE:
        RuleListNotified(page, row->pState);
        break;
    case IDC_EXCEPTION_FILE:
        RememberExceptionFile(page, row->pState);
        break;
    case IDC_RULE_PROPERTIES:
        ShowProperties(page, row->pState);
        break;
    case IDC_EXCEPTION_OPTIONS:
        EditExceptionLists(page);
        break;
    }
}

// Next commits both lists before the page moves on as every page does.
void CommitChoices(HWND page) {
    if (PageEntry* row = PageRow(page)) {
        RememberExceptionFile(page, row->pState);
        RememberRuleFile(page, row->pState);
    }
}

} // namespace

INT_PTR CALLBACK TranslationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        PageEntry* row = InitPage(page, lParam, IDS_HEADER_TRANSLATION);
        char folder[MAX_PATH];
        FillTableCombo(GetDlgItem(page, IDC_RULE_FILE), RuleFilePath(folder, sizeof folder, ""),
                       row->pState->szRuleFile, ReadLastRuleFile);
        FillTableCombo(GetDlgItem(page, IDC_EXCEPTION_FILE),
                       ExceptionFilePath(folder, sizeof folder, ""), row->pState->szExceptionFile,
                       ReadLastExceptionFile);
        return TRUE;
    }
    case WM_COMMAND:
        Command(page, LOWORD(wParam));
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_WIZNEXT) {
            CommitChoices(page);
        }
        break;
    }
    return BasicPageMessage(page, message, wParam, lParam, IDS_HEADER_TRANSLATION,
                            PSWIZB_BACK | PSWIZB_NEXT);
}
