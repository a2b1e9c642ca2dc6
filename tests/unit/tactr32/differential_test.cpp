// Compares our tables with the reference translator over label texts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tactr_test_util.h"

namespace {

const std::string kSource = DOTWELL_SOURCE_DIR;
const std::string kTables = kSource + "/libs/tactr32/tables/";
const std::string kCorpus = kSource + "/tests/unit/tactr32/corpus/";

std::vector<uint32_t> DecodeUtf8(const std::string& s) {
    std::vector<uint32_t> cps;
    for (size_t i = 0; i < s.size();) {
        uint8_t c = static_cast<uint8_t>(s[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        uint32_t cp = extra == 0   ? c
                      : extra == 1 ? (c & 0x1F)
                      : extra == 2 ? (c & 0x0F)
                                   : (c & 0x07);
        for (int k = 1; k <= extra && i + k < s.size(); ++k)
            cp = (cp << 6) | (s[i + k] & 0x3F);
        cps.push_back(cp);
        i += 1 + extra;
    }
    return cps;
}

// Windows-1252 form of a corpus line; false when a character has none.
bool ToCp1252(const std::string& utf8, std::string& out) {
    static const std::map<uint32_t, uint8_t> kHigh = {
        {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
        {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
        {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
        {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
        {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
        {0x017E, 0x9E}, {0x0178, 0x9F}};
    out.clear();
    for (uint32_t cp : DecodeUtf8(utf8)) {
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
        } else if (auto it = kHigh.find(cp); it != kHigh.end()) {
            out += static_cast<char>(it->second);
        } else {
            return false;
        }
    }
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Runs the oracle over all lines at once; one braille line per input line.
std::vector<std::string> Oracle(const std::string& table, const std::vector<std::string>& lines) {
    char inName[] = "/tmp/tactr32-diff-XXXXXX";
    int fd = mkstemp(inName);
    if (fd < 0)
        return {};
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    bool wrote = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    std::vector<std::string> out;
    std::string cmd = "lou_translate --forward unicode.dis," + table + " < " + inName;
    if (FILE* p = wrote ? popen(cmd.c_str(), "r") : nullptr) {
        std::string all;
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            all.append(buf, n);
        pclose(p);
        std::istringstream is(all);
        for (std::string l; std::getline(is, l);)
            out.push_back(l);
    }
    unlink(inName);
    return out;
}

// Dots of each cell as a string per cell ("145"), "0" for a blank.
std::vector<uint8_t> OurCells(const tactr::Table& t, const std::string& cp1252) {
    char out[tactr::kBrailleBufferSize];
    size_t n = tactr::Translate(t, nullptr, cp1252.c_str(), out, sizeof out);
    std::vector<uint8_t> cells;
    for (size_t i = 0; i < n; ++i)
        cells.push_back(static_cast<uint8_t>(out[i]) & 0x3F);
    return cells;
}

bool OracleCells(const std::string& line, std::vector<uint8_t>& cells) {
    cells.clear();
    for (uint32_t cp : DecodeUtf8(line)) {
        if (cp < 0x2800 || cp > 0x283F)
            return false; // an undefined character
        cells.push_back(static_cast<uint8_t>(cp - 0x2800));
    }
    return true;
}

std::string Show(const std::vector<uint8_t>& cells) {
    std::string s;
    for (uint8_t c : cells) {
        if (!s.empty())
            s += ' ';
        if (c == 0)
            s += '/';
        for (int d = 0; d < 6; ++d)
            if (c & (1 << d))
                s += static_cast<char>('1' + d);
    }
    return s;
}

std::vector<std::vector<uint8_t>> SplitCells(const std::vector<uint8_t>& cells) {
    std::vector<std::vector<uint8_t>> words(1);
    for (uint8_t c : cells) {
        if (c == 0)
            words.emplace_back();
        else
            words.back().push_back(c);
    }
    return words;
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words(1);
    for (char c : line) {
        if (c == ' ')
            words.emplace_back();
        else
            words.back() += c;
    }
    return words;
}

struct Case {
    const char* corpus;
    const char* table;
    const char* oracle;
    const char* known; // lines or words known to differ, with the reason; may be null
    double minShare;   // 0: every line not listed must match; else words that must, in percent
};

class Differential : public testing::TestWithParam<Case> {};

TEST_P(Differential, MatchesReference) {
    const Case& c = GetParam();
    tactr::Table table;
    std::string error;
    ASSERT_TRUE(tactr::CompileTable(kTables + c.table, tactr::TableKind::kTranslation,
                                    tactr::ReadWholeFile, table, error))
        << error;
    std::vector<std::string> lines = ReadLines(kCorpus + c.corpus);
    ASSERT_FALSE(lines.empty());
    std::vector<std::string> oracle = Oracle(c.oracle, lines);
    ASSERT_EQ(lines.size(), oracle.size()) << "reference translator failed";

    std::map<std::string, std::string> known;
    if (c.known) {
        for (const std::string& l : ReadLines(kCorpus + c.known)) {
            if (l.empty() || l[0] == '#')
                continue;
            size_t tab = l.find('\t');
            known[l.substr(0, tab)] = tab == std::string::npos ? "" : l.substr(tab + 1);
        }
    }
    std::set<std::string> seenKnown;
    int nLines = 0, nSameLines = 0, nKnownLines = 0, nWords = 0, nSameWords = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string ansi;
        std::vector<uint8_t> theirs;
        if (!ToCp1252(lines[i], ansi) || !OracleCells(oracle[i], theirs))
            continue;
        std::vector<uint8_t> ours = OurCells(table, ansi);
        ++nLines;
        nSameLines += ours == theirs;
        if (ours != theirs && known.count(lines[i])) {
            seenKnown.insert(lines[i]);
            ++nKnownLines;
            continue;
        }
        std::vector<std::string> words = SplitWords(lines[i]);
        auto a = SplitCells(ours), b = SplitCells(theirs);
        bool aligned = a.size() == words.size() && b.size() == words.size();
        for (size_t w = 0; w < words.size(); ++w) {
            ++nWords;
            if (aligned ? a[w] == b[w] : ours == theirs) {
                ++nSameWords;
                continue;
            }
            if (known.count(words[w])) {
                seenKnown.insert(words[w]);
                continue;
            }
            ADD_FAILURE() << c.table << " line " << i + 1 << " \"" << lines[i] << "\" word \""
                          << words[w] << "\"\n  ours:   " << Show(ours)
                          << "\n  oracle: " << Show(theirs);
        }
    }
    ASSERT_GT(nLines, 0);
    for (const auto& [word, reason] : known)
        EXPECT_TRUE(seenKnown.count(word)) << "listed difference no longer differs: " << word;
    double wordShare = 100.0 * nSameWords / nWords;
    std::printf("%s: %d/%d lines, %d/%d words (%.2f %%) identical\n", c.table, nSameLines, nLines,
                nSameWords, nWords, wordShare);
    if (c.minShare == 0)
        EXPECT_EQ(nSameLines + nKnownLines, nLines);
    else
        EXPECT_GE(wordShare, c.minShare);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Differential,
    testing::Values(Case{"en.txt", "en-ueb-g1.qrf", "en-ueb-g1.ctb", "en-ueb.known", 0},
                    Case{"en.txt", "en-ueb-g2.qrf", "en-ueb-g2.ctb", "en-ueb.known", 98},
                    Case{"de.txt", "de-g0.qrf", "de-g0-detailed.utb", "de-g0.known", 99},
                    Case{"sv.txt", "sv-g0.qrf", "sv-g0.utb", nullptr, 0},
                    Case{"fr.txt", "fr-g0.qrf", "fr-bfu-comp6.utb", nullptr, 0},
                    Case{"es.txt", "es-g0.qrf", "es-g1.ctb", "es-g0.known", 95}),
    [](const testing::TestParamInfo<Case>& test) {
        return tactr_test::TestNameOf(test.param.table);
    });

} // namespace
