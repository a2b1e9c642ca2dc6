// Any text as the command line of the wizard and of the editor: the path
// each takes always ends inside its buffer and is the line's own text, and
// a line that names a path that fits is never refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "command_line.h"
#include "editor_text.h"

namespace {

void CheckPath(const char* path, size_t room, const std::string& line) {
    const void* end = std::memchr(path, '\0', room);
    if (!end || line.find(path) == std::string::npos) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Windows hands over a NUL-terminated line; anything after a NUL is not
    // part of it.
    const std::string line(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));

    const WizardCommandLine wizard = ParseWizardCommandLine(line.c_str());
    CheckPath(wizard.szPath, sizeof wizard.szPath, line);
    if (wizard.bAutoEmboss != (line.find(" /p") != std::string::npos)) {
        std::abort();
    }

    char editor[kPathBuffer];
    std::memset(editor, 'x', sizeof editor);
    const bool taken = UnquoteCommandLine(line.c_str(), editor);
    CheckPath(editor, sizeof editor, line);
    if ((line.size() < kPathBuffer && !taken) || (!taken && *editor)) {
        std::abort();
    }
    return 0;
}
