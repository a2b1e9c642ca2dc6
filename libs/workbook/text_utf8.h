// Text conversions to UTF-8, the workbook reader's one text encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

void AppendCodePoint(std::string& out, uint32_t nCodePoint);
// Latin-1 is what the spreadsheet's compressed 8-bit strings are.
void AppendLatin1(std::string& out, const uint8_t* p, size_t nCount);
// UTF-16LE code units; a lone surrogate becomes U+FFFD.
void AppendUtf16(std::string& out, const uint8_t* p, size_t nUnits);
