// Any text as the Label.ini library: every section is read as the library
// reads it, each format is written and read back unchanged, and the name
// lists the page walks (selection after a delete) stay inside their
// buffers and name only sections that are there.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "label_ini_format.h"

namespace {

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The file as the platform's profile functions see it: "[name]" lines open
// sections, "key=value" lines fill them, the first of equal keys counts.
std::vector<Section> ReadSections(std::string_view text) {
    std::vector<Section> sections;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
        } else if (const size_t equals = line.find('='); !sections.empty() && equals != line.npos) {
            sections.back().keys.emplace_back(Trim(line.substr(0, equals)),
                                              Trim(line.substr(equals + 1)));
        }
    }
    return sections;
}

void CheckEnds(const char* text, size_t size) {
    if (!std::memchr(text, '\0', size)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::vector<Section> sections = ReadSections(file);

    // The section-name list: NUL-separated, ended by an empty name. An
    // empty or NUL-holding name cannot be listed.
    std::string list;
    std::vector<std::string> names;
    for (const Section& section : sections) {
        if (!section.name.empty() && section.name.find('\0') == std::string::npos) {
            names.push_back(section.name);
            list += section.name;
            list += '\0';
        }
    }
    list += '\0';

    for (const Section& section : sections) {
        SheetFormat format{};
        ReadLabelIniSection(format, section.name.c_str(),
                            [&](const char* key, char* text, size_t room) {
                                for (const auto& [k, v] : section.keys) {
                                    if (SameIgnoringCase(k, key)) {
                                        std::snprintf(text, room, "%s", v.c_str());
                                        return;
                                    }
                                }
                            });
        CheckEnds(format.szName, sizeof format.szName);

        // Written as the library writes it, then read back.
        SheetFormat back{};
        for (int i = 0; i < kLabelIniKeyCount; ++i) {
            char text[16];
            FormatLabelIniValue(format, i, text, sizeof text);
            if (!std::memchr(text, '\0', sizeof text - 1)) {
                std::abort(); // cut by the buffer
            }
            StoreLabelIniValue(back, i, text);
        }
        std::memcpy(back.szName, format.szName, sizeof back.szName);
        if (std::memcmp(&back, &format, sizeof format) != 0) {
            std::abort();
        }
    }

    const char* listed = names.empty() ? nullptr : list.c_str();
    for (const std::string& name : names) {
        if (!SectionListContains(listed, name.c_str())) {
            std::abort();
        }
    }
    // The selection after deleting each name, and a name that is not there,
    // into a buffer as small as the record's.
    names.push_back("\x01 not in the file");
    for (const std::string& name : names) {
        char next[sizeof SheetFormat{}.szName];
        std::memset(next, 'x', sizeof next);
        NeighbourAfterDelete(listed, name.c_str(), next, sizeof next);
        CheckEnds(next, sizeof next);
        bool known = !*next;
        for (const char* p = listed; p && !known; p = NextSectionName(p)) {
            known = std::strncmp(p, next, sizeof next - 1) == 0;
        }
        if (!known) {
            std::abort();
        }
    }
    return 0;
}
