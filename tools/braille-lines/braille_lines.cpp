// braille_lines [--tables DIR] [--exceptions LIST] [--escapes] TABLE
// Reads lines of Windows-1252 text and writes one line of Unicode braille
// (UTF-8, U+2800 for a blank cell) per line, translated with TABLE. A TABLE
// without a folder is looked up in DIR, the shipped tables by default.
// --escapes reads \\, \t, \n, \s and \xHHHH (a Windows-1252 byte) in the
// input, for characters a terminal cannot type; a line end in the text comes
// out as a blank cell so every input line stays one output line.
#include <cstdio>
#include <iostream>
#include <string>

#include "qrf_syntax.h"
#include "qrf_table.h"
#include "translate.h"

namespace {

int Usage() {
    std::cerr << "usage: braille_lines [--tables DIR] [--exceptions LIST] [--escapes] TABLE\n";
    return 2;
}

bool Compile(const std::string& path, tactr::TableKind kind, tactr::Table& table) {
    std::string error;
    if (tactr::CompileTable(path, kind, tactr::ReadWholeFile, table, error))
        return true;
    std::cerr << "braille_lines: " << (error.empty() ? path : error) << "\n";
    return false;
}

// Decodes the escapes; an escape it does not know stays as written.
std::string Unescape(const std::string& line) {
    std::string text;
    for (size_t i = 0; i < line.size(); ++i) {
        char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (line[i] != '\\' || !next) {
            text += line[i];
            continue;
        }
        if (next == 'x' && i + 5 < line.size()) {
            int value = 0;
            for (size_t k = i + 2; k < i + 6 && value >= 0; ++k)
                value = tactr::HexValue(line[k]) < 0 ? -1 : value * 16 + tactr::HexValue(line[k]);
            if (value > 0 && value < 256) {
                text += static_cast<char>(value);
                i += 5;
                continue;
            }
        }
        const char* plain = next == '\\'  ? "\\"
                            : next == 't' ? "\t"
                            : next == 'n' ? "\n"
                            : next == 's' ? " "
                                          : nullptr;
        if (plain) {
            text += plain;
            ++i;
        } else {
            text += line[i];
        }
    }
    return text;
}

// One cell byte (0x40 + dots) as the UTF-8 of U+2800 + dots.
void PutCell(std::string& out, unsigned char cell) {
    unsigned code = 0x2800 + (cell == '\r' || cell == '\n' ? 0 : cell & 0x3F);
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = DOTWELL_TABLES_DIR, tableName, exceptionsPath;
    bool escapes = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--escapes")
            escapes = true;
        else if ((arg == "--tables" || arg == "--exceptions") && i + 1 < argc)
            (arg == "--tables" ? folder : exceptionsPath) = argv[++i];
        else if (tableName.empty() && !arg.starts_with("--"))
            tableName = arg;
        else
            return Usage();
    }
    if (tableName.empty())
        return Usage();
    if (tableName.find('/') == std::string::npos)
        tableName = folder + "/" + tableName;

    tactr::Table table, exceptions;
    if (!Compile(tableName, tactr::TableKind::kTranslation, table))
        return 1;
    if (!exceptionsPath.empty() &&
        !Compile(exceptionsPath, tactr::TableKind::kExceptions, exceptions))
        return 1;

    std::string line, out;
    char cells[tactr::kBrailleBufferSize];
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (escapes)
            line = Unescape(line);
        tactr::Translate(table, exceptionsPath.empty() ? nullptr : &exceptions, line.c_str(), cells,
                         sizeof cells);
        out.clear();
        for (const char* p = cells; *p; ++p)
            PutCell(out, static_cast<unsigned char>(*p));
        std::cout << out << '\n';
    }
    return 0;
}
