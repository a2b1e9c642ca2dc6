#pragma once
#include <string>

// The command line that starts `program` on `path`: both quoted, so blanks
// in either reach the program whole. An empty path gives no argument.
std::string EditorCommandLine(const std::string& program, const std::string& path);
