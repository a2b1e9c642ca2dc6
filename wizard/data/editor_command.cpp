#include "editor_command.h"

std::string EditorCommandLine(const std::string& program, const std::string& path) {
    std::string command = "\"" + program + "\"";
    if (!path.empty()) {
        command += " \"" + path + "\"";
    }
    return command;
}
