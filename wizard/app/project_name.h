#pragma once
#include <cstddef>
#include <functional>

// The first free default project name: `base`, then `base` followed by 1,
// 2, 3 ... and ".dwp", as long as `exists` says the name is taken.
void ComposeDefaultProjectName(char* dest, size_t size, const char* base,
                               const std::function<bool(const char*)>& exists);
