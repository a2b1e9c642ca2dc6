#include "table_names.h"

#include <cstring>

char* TableNameOf(char* dest, size_t size, const char* text) {
    if (!size) {
        return dest;
    }
    dest[0] = '\0';
    const char* found = text ? std::strstr(text, ".qrf") : nullptr;
    if (!found) {
        return dest;
    }
    const size_t length = static_cast<size_t>(found - text) + 4;
    // A name that does not fit would name another file: give none.
    if (length >= size) {
        return dest;
    }
    std::memcpy(dest, text, length);
    dest[length] = '\0';
    return dest;
}

void InsertCarriageReturns(char* dest, size_t size, const char* source) {
    if (!size) {
        return;
    }
    size_t at = 0;
    for (; source && *source; ++source) {
        const size_t need = *source == '\n' ? 2 : 1;
        // A CR without its LF would leave a half line end at the cut.
        if (at + need >= size) {
            break;
        }
        if (*source == '\n') {
            dest[at++] = '\r';
        }
        dest[at++] = *source;
    }
    dest[at] = '\0';
}

const char* LastPathPart(const char* path) {
    const size_t length = std::strlen(path);
    for (size_t i = length > 1 ? length - 1 : 0; i-- > 0;) {
        if (path[i] == '\\') {
            return path + i + 1;
        }
    }
    return path;
}
