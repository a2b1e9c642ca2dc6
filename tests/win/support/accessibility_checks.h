#pragma once
// What a screen reader and a keyboard user meet in a dialog, checked the way
// Windows works it out for the standard controls.
#include <windows.h>

#include <string>
#include <vector>

// The text as shown: the '&' that marks a mnemonic dropped, "&&" made one.
std::string WithoutMnemonic(const std::string& text);

// The lower-case letter a text's '&' marks; 0 without one.
char MnemonicOf(const std::string& text);

// What a screen reader announces as the control's name: the control's own
// answer when it gives one; else a button's own text; else the text of the
// nearest visible static before it, looking back no further than a tab stop
// or group start.
std::string AccessibleName(HWND control);

// One line for each visible, enabled tab stop among the children of
// `dialog` that has no name, or whose name Wine's standard object gives
// otherwise.
std::vector<std::string> UnnamedControls(HWND dialog);

// One line for each mnemonic shared by two visible controls among the
// children of `windows` (a property sheet and its page share one set).
std::vector<std::string> RepeatedMnemonics(const std::vector<HWND>& windows);

// One line for each of our labels without a mnemonic: buttons other than
// OK, Cancel and Close, and the template's statics that name a tab stop.
std::vector<std::string> LabelsWithoutMnemonic(HWND dialog);

// One line for each visible static or button text of `dialog` that its
// control cuts, measured with the control's own font.
std::vector<std::string> CutTexts(HWND dialog);
