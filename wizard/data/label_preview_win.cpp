#include "label_preview_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "data_services_win.h"
#include "label_compose.h"
#include "picture_words.h"
#include "resource.h"
#include "speaking_picture_win.h"

namespace {

constexpr int kPreviewControls[] = {IDC_LABEL_TEXT, IDC_RECORD_COUNTER, IDC_RECORD_SPIN};

// Typed text is 8-bit ANSI; the control is given UTF-8, so letters beyond
// ASCII show as typed.
std::string AnsiToUtf8(const char* text) {
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wideLength <= 0) {
        return text;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), wideLength);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return text;
    }
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(size) - 1);
    return utf8;
}

class PagePreview : public PreviewView {
  public:
    explicit PagePreview(HWND page) : page_(page) {}

    void EnableControls(bool enabled) override {
        for (int id : kPreviewControls) {
            EnableWindow(GetDlgItem(page_, id), enabled);
        }
    }

    void ShowCounter(int32_t record, int32_t count) override {
        counterWords_ = LabelCounterInWords(record, count);
        char format[256] = "";
        LoadStringA(GetModuleHandleA(nullptr), IDS_LABEL_COUNTER, format, sizeof format);
        char counter[300];
        std::snprintf(counter, sizeof counter, format, record, count);
        SetDlgItemTextA(page_, IDC_RECORD_COUNTER, counter);
        // The 32-bit range, so sources beyond 32767 rows can be walked.
        SendDlgItemMessageA(page_, IDC_RECORD_SPIN, UDM_SETRANGE32, 1, count);
        // The spin steps from the record shown; left at 0 its first step up
        // would land on the first record again.
        SendDlgItemMessageA(page_, IDC_RECORD_SPIN, UDM_SETPOS32, 0, record);
    }

    // The braille font draws the cells as letters, which is what a screen
    // reader would read out; it is told the text and the cells instead.
    void ShowText(const char* text, const char* braille) override {
        const std::string typed = AnsiToUtf8(text);
        const std::string shown = braille ? std::string(braille) : typed;
        HWND preview = GetDlgItem(page_, IDC_LABEL_TEXT);
        SETTEXTEX replace{ST_DEFAULT, CP_UTF8};
        SendMessageA(preview, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&replace),
                     reinterpret_cast<LPARAM>(shown.c_str()));
        MakeSpeakingPicture(preview, kKeepsItsRole);
        SetPictureWords(preview, counterWords_, LabelInWords(typed.c_str(), braille));
    }

  private:
    HWND page_;
    std::string counterWords_;
};

} // namespace

void PreviewLabelRange(AppState* state) {
    PreviewLabelRange(state, ProgramLabelServices());
}

void ReopenLabelPreview(HWND page, AppState* state, int32_t recordIndex, bool translate) {
    PagePreview view(page);
    ReopenLabelPreview(state, recordIndex, translate, ProgramLabelServices(), view);
}

void ShowLabelPreview(HWND page, AppState* state, int32_t recordIndex) {
    PagePreview view(page);
    ShowLabelPreview(state, recordIndex, ProgramLabelServices(), view);
}

void ReleaseLabelPreview(HWND page, AppState* state) {
    PagePreview view(page);
    ReleaseLabelPreview(state, ProgramLabelServices(), view);
}
