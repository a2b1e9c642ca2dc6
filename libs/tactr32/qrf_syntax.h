// Lexical pieces of the *.qrf format: tokens, escapes, dot patterns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "qrf_table.h"

namespace tactr {

std::vector<std::string> SplitTokens(std::string_view line);

// The rest of the line after `skip` tokens, trailing blanks removed.
std::string RestAfter(std::string_view line, int skip);

// The value of a hexadecimal digit, or -1.
int HexValue(char c);

// Escapes: \xHH, \s (space), \t, \\.
bool ParseText(std::string_view token, std::string& text);
bool ParseChar(std::string_view token, uint8_t& c);

// The text of a metadata line (name, language, description): the rest of
// the line after its keyword, escapes decoded. False on a bad escape.
bool ParseMetadata(std::string_view line, std::string& text);

// Cells separated by '-', each the dot numbers 1-6 or 0 for a blank cell:
// "145-15". Appends to `pool`; false with a reason when malformed.
bool ParseDots(std::string_view token, std::vector<uint8_t>& pool, CellRun& run, std::string& why);

// "word", "begin", "middle", "end", "after", "anywhere" or several joined
// by '+'.
bool ParsePositions(std::string_view token, uint8_t& positions);

// Letter patterns separated by ',' ("ver,vel,CV"); escapes allowed.
bool ParseLetterPatterns(std::string_view token, std::vector<std::string>& patterns);

// The folder part of a path, with its trailing separator.
std::string FolderOf(const std::string& path);

} // namespace tactr
