#pragma once
#include <windows.h>

#include <string>

// A control that shows something only by drawing it tells screen readers
// what it shows: a name and a value in words.

enum PictureKind {
    kKeepsItsRole = 0, // a control that also shows text, such as a rich edit
    kGraphic = 1,      // a drawing on a static
    kLiveName = 2,     // its name is read out whenever it changes
};

// Subclasses `picture` to answer WM_GETOBJECT (`kind`: PictureKind flags).
// Harmless when done again.
void MakeSpeakingPicture(HWND picture, int kind);

// New words (UTF-8) for the picture; raises the name and value change
// events for what changed. Empty words leave the control's own.
void SetPictureWords(HWND picture, const std::string& name, const std::string& value);

// Asks screen readers to read out `control`'s name whenever it changes,
// without taking the focus there: a polite live region.
void MakeLiveRegion(HWND control);

// Tells screen readers that a live region's name has changed.
void AnnounceLiveRegion(HWND control);
