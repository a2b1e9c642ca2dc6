// Helpers shared by the translator tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "qrf_table.h"
#include "translate.h"

namespace tactr_test {

inline std::string TablePath(const std::string& name) {
    return std::string(DOTWELL_SOURCE_DIR) + "/libs/tactr32/tables/" + name;
}

// A table file name as a test name: "en-ueb-g2.qrf" gives "en_ueb_g2".
inline std::string TestNameOf(const std::string& fileName) {
    std::string name;
    for (char ch : fileName.substr(0, fileName.find('.')))
        name += (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                    ? ch
                    : '_';
    return name;
}

inline tactr::Table LoadTable(const std::string& name,
                              tactr::TableKind kind = tactr::TableKind::kTranslation) {
    tactr::Table t;
    std::string error;
    if (!tactr::CompileTable(TablePath(name), kind, tactr::ReadWholeFile, t, error))
        t.szName = "FAILED: " + error;
    return t;
}

// Braille as dot numbers, cells of a word joined by '-', a blank cell as a
// space, line ends as they are: "6-245-135 3456-1".
inline std::string ToDots(const char* braille) {
    std::string s;
    bool afterCell = false;
    for (const char* p = braille; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\r' || c == '\n' || (c & 0x3F) == 0) {
            s += c == '\r' || c == '\n' ? static_cast<char>(c) : ' ';
            afterCell = false;
            continue;
        }
        if (afterCell)
            s += '-';
        for (int d = 0; d < 6; ++d)
            if (c & (1 << d))
                s += static_cast<char>('1' + d);
        afterCell = true;
    }
    return s;
}

inline std::string Braille(const tactr::Table& t, const std::string& text,
                           const tactr::Table* ex = nullptr) {
    char out[tactr::kBrailleBufferSize];
    tactr::Translate(t, ex, text.c_str(), out, sizeof out);
    return ToDots(out);
}

struct Sample {
    const char* text;
    const char* dots;
};

// The English tables, loaded once for the tests of a file.
class Ueb : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        g1 = new tactr::Table(LoadTable("en-ueb-g1.qrf"));
        g2 = new tactr::Table(LoadTable("en-ueb-g2.qrf"));
    }
    static void TearDownTestSuite() {
        delete g1;
        delete g2;
    }
    static void Check(const tactr::Table& t, std::initializer_list<Sample> samples) {
        for (const Sample& s : samples)
            EXPECT_EQ(s.dots, Braille(t, s.text)) << "text: " << s.text;
    }
    static inline tactr::Table* g1 = nullptr;
    static inline tactr::Table* g2 = nullptr;
};

} // namespace tactr_test
