#include "project_file_io.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "label_fields.h"
#include "page_services.h"
#include "project_codec.h"
#include "resource.h"

int ShowMessage(HWND owner, HINSTANCE instance, UINT stringId, UINT style, ...) {
    char format[1024] = "";
    char caption[64] = "";
    LoadStringA(instance, stringId, format, sizeof format);
    LoadStringA(instance, IDS_PRODUCT_NAME, caption, sizeof caption);
    va_list arguments;
    va_start(arguments, style);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return -1;
    }
    std::vector<char> text(static_cast<size_t>(length) + 1);
    va_start(arguments, style);
    std::vsnprintf(text.data(), text.size(), format, arguments);
    va_end(arguments);
    return MessageBoxA(owner, text.data(), caption, style);
}

int ReadProject(HWND owner, AppState* state) {
    const char* path = state->szProjectFile;
    if (!*path || !std::strchr(path, '\\') || !FileExists(path)) {
        return 0;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        return 0;
    }
    uint8_t bytes[kProjectFileSizeV2 + 1];
    const size_t size = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (DecodeProject(bytes, size, state) != ProjectDecode::Ok) {
        ShowMessage(owner, GetModuleHandleA(nullptr), IDS_NOT_A_PROJECT, MB_OK);
        return 0;
    }
    ScanLabelFields(state);
    return 1;
}
