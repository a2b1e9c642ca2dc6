// Streams of a compound document (the container of .xls files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

bool IsCompoundDocument(const uint8_t* pData, size_t nSize);

// Reads the stream whose name matches (ignoring ASCII case) into out.
// False for a missing stream or a damaged container.
bool ReadCompoundStream(const uint8_t* pData, size_t nSize, const char* pszName,
                        std::vector<uint8_t>& out);
