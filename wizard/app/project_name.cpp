#include "project_name.h"

#include <cstdio>

void ComposeDefaultProjectName(char* dest, size_t size, const char* base,
                               const std::function<bool(const char*)>& exists) {
    std::snprintf(dest, size, "%s", base);
    for (unsigned counter = 1; exists(dest) && counter != 0; ++counter) {
        std::snprintf(dest, size, "%s%u.dwp", base, counter);
    }
}
