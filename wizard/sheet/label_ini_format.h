#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "sheet_format.h"

// How a sheet format is written in Label.ini: one section per format, eleven
// keys in a fixed order, lengths and counts as decimal whole numbers and the
// unit flag as "Yes" or "No".

constexpr int kLabelIniKeyCount = 11;

// The key names in the order they are written; the first ten follow
// SheetField, the last is "bInch".
extern const char* const kLabelIniKeys[kLabelIniKeyCount];

// A stored number: decimal with optional sign and leading blanks, digits up
// to the first other character, 0 without any; only the low 16 bits count.
uint16_t ParseLabelIniWord(const char* text);

// The unit flag is inches only for the exact text "Yes".
uint32_t ParseLabelIniFlag(const char* text);

// The text written for key `index` of `format` (at least 12 bytes of room).
void FormatLabelIniValue(const SheetFormat& format, int index, char* dest, size_t size);

// Stores the text read for key `index` into its field.
void StoreLabelIniValue(SheetFormat& format, int index, const char* text);

// Leaves in `text` (of `size` bytes) what a section holds for `key`, "" when
// it has no such key.
using LabelIniKeyReader = std::function<void(const char* key, char* text, size_t size)>;

// Reads section `name` into `format`: the eleven keys through `read`, the
// name cut to fit; the text box stays as it was.
void ReadLabelIniSection(SheetFormat& format, const char* name, const LabelIniKeyReader& read);

// Names of a section-name list: NUL-separated, ended by an empty name.
// Returns the name after `name` or null at the end.
const char* NextSectionName(const char* name);

// Whether `list` holds `name` exactly (case-sensitive).
bool SectionListContains(const char* list, const char* name);

// The name to select after `name` has been deleted from `list` (the list as
// it was before the delete): the one before it, the one after it when it was
// first, empty when it was alone, the last one when it was not there.
void NeighbourAfterDelete(const char* list, const char* name, char* dest, size_t size);
