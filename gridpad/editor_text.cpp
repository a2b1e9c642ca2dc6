#include "editor_text.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

bool UnquoteCommandLine(const char* commandLine, char out[kPathBuffer]) {
    std::string path(commandLine);
    if (!path.empty() && path.back() == '"') {
        path.pop_back();
    }
    if (!path.empty() && path.front() == '"') {
        path.erase(0, 1);
    }
    // A longer path cannot be opened or saved under its own name: refuse it
    // rather than work on a shortened one.
    if (path.size() >= kPathBuffer) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}

bool KeyPathFromVersion(const char* version, char* out, std::size_t capacity) {
    std::string rest(version);
    std::string fields[4];
    for (int field = 3; field >= 1; --field) {
        std::size_t comma = rest.rfind(',');
        if (comma == std::string::npos) {
            return false;
        }
        std::size_t digit = comma + 1;
        while (digit < rest.size() && !std::isdigit(static_cast<unsigned char>(rest[digit]))) {
            ++digit;
        }
        fields[field] = rest.substr(digit);
        rest.erase(comma);
    }
    fields[0] = rest;
    int len = std::snprintf(out, capacity, "Software\\Vantor\\Dotwell %s.%s\\csv",
                            fields[0].c_str(), fields[1].c_str());
    return len > 0 && static_cast<std::size_t>(len) < capacity;
}

bool LastDirFromPath(const char* path, const PathKindFn& kindOf, char out[kPathBuffer]) {
    std::size_t len = std::strlen(path);
    if (len >= kPathBuffer) {
        return false;
    }
    std::string dir(path);
    PathKind kind = kindOf(dir.c_str());
    while (kind == PATH_FILE && dir.size() > 2) {
        std::size_t slash = dir.rfind('\\');
        if (slash == std::string::npos) {
            return false;
        }
        dir.erase(slash);
        kind = kindOf(dir.c_str());
    }
    std::memcpy(out, dir.c_str(), dir.size() + 1);
    return true;
}
