#pragma once
#include <cstddef>

// Removes a closing double quote, then an opening one, in place.
void StripQuotes(char* text);

struct WizardCommandLine {
    char szPath[260]; // empty when no usable path was given
    bool bAutoEmboss; // " /p" was present
};

// Splits the wizard's command line: an optional, optionally quoted project
// path followed by an optional " /p". A path that would not fit a path
// buffer is dropped, so the wizard starts with no project instead of
// overrunning the record.
WizardCommandLine ParseWizardCommandLine(const char* commandLine);
