#include "test_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string FreshName() {
    static const unsigned tag = std::random_device{}();
    static unsigned counter = 0;
    char name[32];
    std::snprintf(name, sizeof name, "dw%08x-%u", tag, ++counter);
    return name;
}

} // namespace

TempFolder::TempFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    fs::path folder;
    do {
        folder = base / FreshName();
    } while (!fs::create_directory(folder, error) && !error);
    path_ = folder.string();
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

// Joined as text: a name in the ANSI code page must reach the C library as
// it is.
std::string TempFolder::File(const std::string& name) const {
    return path_ + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = File(name);
    WriteFileBytes(path, bytes);
    return path;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
