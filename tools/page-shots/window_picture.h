#pragma once
#include <windows.h>

#include <string>

// Saves what the screen shows of `window` (frame and caption included) as a
// 24-bit BMP file. Returns whether the file was written.
bool SaveWindowPicture(HWND window, const std::string& path);

// Dispatches this thread's messages for `milliseconds`, so windows, this
// process's and others', finish drawing.
void Pump(DWORD milliseconds);
