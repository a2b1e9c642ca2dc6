#include "qrf_syntax.h"

namespace tactr {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::vector<std::string> SplitTokens(std::string_view line) {
    std::vector<std::string> tok;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        if (i > start)
            tok.emplace_back(line.substr(start, i - start));
    }
    return tok;
}

std::string RestAfter(std::string_view line, int skip) {
    size_t i = 0;
    for (int k = 0; k < skip; ++k) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
    }
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    size_t end = line.size();
    while (end > i && IsBlank(line[end - 1]))
        --end;
    return std::string(line.substr(i, end - i));
}

bool ParseText(std::string_view token, std::string& text) {
    text.clear();
    for (size_t i = 0; i < token.size(); ++i) {
        char c = token[i];
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i >= token.size())
            return false;
        switch (token[i]) {
        case 's':
            text += ' ';
            break;
        case 't':
            text += '\t';
            break;
        case '\\':
            text += '\\';
            break;
        case 'x': {
            if (i + 2 >= token.size())
                return false;
            int hi = HexValue(token[i + 1]), lo = HexValue(token[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            text += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool ParseChar(std::string_view token, uint8_t& c) {
    std::string text;
    if (!ParseText(token, text) || text.size() != 1)
        return false;
    c = static_cast<uint8_t>(text[0]);
    return true;
}

bool ParseMetadata(std::string_view line, std::string& text) {
    return ParseText(RestAfter(line, 1), text);
}

bool ParseDots(std::string_view token, std::vector<uint8_t>& pool, CellRun& run, std::string& why) {
    size_t start = pool.size();
    size_t i = 0;
    if (token.empty()) {
        why = "dots are missing";
        return false;
    }
    while (i <= token.size()) {
        size_t end = token.find('-', i);
        if (end == std::string_view::npos)
            end = token.size();
        std::string_view cell = token.substr(i, end - i);
        uint8_t bits = 0;
        if (cell.empty()) {
            why = "empty cell in dots '" + std::string(token) + "'";
            pool.resize(start);
            return false;
        }
        if (cell != "0") {
            for (char d : cell) {
                uint8_t bit = static_cast<uint8_t>(d >= '1' && d <= '6' ? 1u << (d - '1') : 0u);
                if (!bit || (bits & bit)) {
                    why = "bad dots '" + std::string(token) + "' (dots 1 to 6, each once per cell)";
                    pool.resize(start);
                    return false;
                }
                bits |= bit;
            }
        }
        pool.push_back(bits);
        i = end + 1;
    }
    if (pool.size() - start > 255) {
        why = "too many cells in '" + std::string(token.substr(0, 20)) + "...'";
        pool.resize(start);
        return false;
    }
    run.off = static_cast<uint32_t>(start);
    run.len = static_cast<uint16_t>(pool.size() - start);
    return true;
}

bool ParsePositions(std::string_view token, uint8_t& positions) {
    positions = 0;
    size_t i = 0;
    while (i <= token.size()) {
        size_t end = token.find('+', i);
        if (end == std::string_view::npos)
            end = token.size();
        std::string_view p = token.substr(i, end - i);
        uint8_t bit = p == "word"       ? kWord
                      : p == "begin"    ? kBegin
                      : p == "middle"   ? kMiddle
                      : p == "end"      ? kEnd
                      : p == "after"    ? kAfter
                      : p == "anywhere" ? kAnywhere
                                        : 0;
        if (!bit)
            return false;
        positions |= bit;
        i = end + 1;
    }
    return true;
}

bool ParseLetterPatterns(std::string_view token, std::vector<std::string>& patterns) {
    size_t i = 0;
    while (i <= token.size()) {
        size_t end = token.find(',', i);
        if (end == std::string_view::npos)
            end = token.size();
        std::string text;
        if (!ParseText(token.substr(i, end - i), text) || text.empty())
            return false;
        patterns.push_back(std::move(text));
        i = end + 1;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace tactr
