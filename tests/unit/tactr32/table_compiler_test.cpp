#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tactr_test_util.h"

namespace {

// In-memory files, so includes can be tested without a disk.
tactr::FileReader Files(std::map<std::string, std::string> files) {
    return [files](const std::string& path, std::string& text) {
        auto it = files.find(path);
        if (it == files.end())
            return false;
        text = it->second;
        return true;
    };
}

const char kBase[] = "letter a A 1\nletter b B 12\nletter c C 14\n";

TEST(TableCompiler, RefusesMalformedTablesWithLineAndReason) {
    struct Case {
        std::string text;
        tactr::TableKind kind;
        const char* error;
    } cases[] = {
        {"frobnicate 1", tactr::TableKind::kTranslation, "t.qrf:1: unknown directive 'frobnicate'"},
        {"letter a A 127", tactr::TableKind::kTranslation, "t.qrf:1: bad dots '127'"},
        {"letter a A 11", tactr::TableKind::kTranslation, "t.qrf:1: bad dots '11'"},
        {"letter a A 1-", tactr::TableKind::kTranslation, "t.qrf:1: empty cell in dots '1-'"},
        {"letter a A", tactr::TableKind::kTranslation,
         "t.qrf:1: letter needs lower case, upper case and dots"},
        {"# c\n\nletter a A 1\npunct a 2", tactr::TableKind::kTranslation,
         "t.qrf:4: character 'a' is defined twice"},
        {"punct ab 2", tactr::TableKind::kTranslation, "t.qrf:1: 'ab' is not one character"},
        {"punct \\xZZ 2", tactr::TableKind::kTranslation, "t.qrf:1: '\\xZZ' is not one character"},
        {"space \\x0A 0", tactr::TableKind::kTranslation,
         "t.qrf:1: line ends and NUL cannot be defined"},
        {std::string(kBase) + "anywhere ab 1\nbegin ab 2", tactr::TableKind::kTranslation,
         "t.qrf:5: 'ab' is given twice for the same place in a word"},
        {std::string(kBase) + "word aB 1", tactr::TableKind::kTranslation,
         "t.qrf:4: 'aB' holds a character that is not a lower-case letter"},
        {std::string(kBase) + "middle ad 1", tactr::TableKind::kTranslation,
         "t.qrf:4: 'ad' holds a character that is not a lower-case letter"},
        {"sideways ab 1", tactr::TableKind::kTranslation, "t.qrf:1: unknown directive 'sideways'"},
        {"grade 3", tactr::TableKind::kTranslation, "t.qrf:1: grade must be 0, 1 or 2"},
        {"letter a A 1\nsequence ab 1", tactr::TableKind::kTranslation,
         "t.qrf:2: a sequence cannot begin with a letter, a digit or a line end"},
        {"include missing.qri", tactr::TableKind::kTranslation,
         "t.qrf:1: cannot read included file 'missing.qri'"},
        {"include t.qrf", tactr::TableKind::kTranslation, "includes nested too deeply"},
        {"begin smith 1", tactr::TableKind::kExceptions,
         "t.qrf:1: an exception list holds whole words only"},
        {"letter a A 1", tactr::TableKind::kExceptions,
         "t.qrf:1: 'letter' does not belong in an exception list"},
        {"word smith 1\n\nword SMITH 2", tactr::TableKind::kExceptions,
         "t.qrf:3: word 'smith' is listed twice"},
        {"replace jose", tactr::TableKind::kExceptions,
         "t.qrf:1: replace needs a word and the text to use instead"},
        {"numinside : 6-25\nnuminside : 25", tactr::TableKind::kTranslation,
         "t.qrf:2: numinside is given twice for ':'"},
        {"numstart - 4-36 3456", tactr::TableKind::kTranslation,
         "t.qrf:1: numstart needs a character and its dots"},
        {"class v ab", tactr::TableKind::kTranslation,
         "t.qrf:1: class needs a capital letter A-Z and the small letters in it"},
        {std::string(kBase) + "class V aB", tactr::TableKind::kTranslation,
         "t.qrf:4: class V holds a character that is not a small letter"},
        {std::string(kBase) + "begin ab 1 next", tactr::TableKind::kTranslation,
         "t.qrf:4: only 'next <letters>' or '!next <letters>' may follow"},
        {std::string(kBase) + "begin ab 1 !next c,a#", tactr::TableKind::kTranslation,
         "t.qrf:4: 'a#' is not small letters, classes, '*' and a last '$'"},
        {std::string(kBase) + "boundary ^ab", tactr::TableKind::kTranslation,
         "t.qrf:4: boundary '^ab' marks no place with '|'"},
        {std::string(kBase) + "word ab 1\nlonger c|ab| |b|c", tactr::TableKind::kTranslation,
         "t.qrf:5: 'b' is not a word entry of the table"},
        {std::string(kBase) + "proper ab", tactr::TableKind::kTranslation,
         "t.qrf:4: 'ab' is not a word entry of the table"},
        {"yield 1-2", tactr::TableKind::kTranslation, "t.qrf:1: yield takes single cells"},
        {std::string(kBase) + "prefer ab", tactr::TableKind::kTranslation,
         "t.qrf:4: 'ab' is not a contraction of the table"},
        {"quotekind q 1 2\nquotemark \" q both", tactr::TableKind::kTranslation,
         "t.qrf:2: a quotation mark must first be defined as punctuation"},
        {"punct \" 2\nquotemark \" double both", tactr::TableKind::kTranslation,
         "t.qrf:2: unknown quote kind 'double'"},
        {"quotekind q 1 2 always", tactr::TableKind::kTranslation,
         "t.qrf:1: quotekind needs a name, its opening and its closing dots, then 'specific'"},
    };
    for (const Case& c : cases) {
        tactr::Table t;
        std::string error;
        EXPECT_EQ(0, tactr::CompileTableText(c.text, "t.qrf", c.kind, Files({{"t.qrf", c.text}}), t,
                                             error))
            << c.text;
        EXPECT_NE(std::string::npos, error.find(c.error))
            << "table: " << c.text << "\nerror: " << error;
    }
}

TEST(TableCompiler, ReadsMetadataAndIncludesRelativeToTheTable) {
    tactr::FileReader files = Files({
        {"/r/main.qrf",
         "name Main\r\nlanguage xx\r\ngrade 2\r\ndescription One\r\ndescription Two\r\ninclude "
         "sub/chars.qri\r\nword abc 1-2"},
        {"/r/sub/chars.qri", "letter a A 1\ninclude more.qri\n"},
        {"/r/sub/more.qri", "letter b B 12\nletter c C 14\nspace \\s 0\n"},
    });
    tactr::Table t;
    std::string error;
    ASSERT_TRUE(tactr::CompileTable("/r/main.qrf", tactr::TableKind::kTranslation, files, t, error))
        << error;
    EXPECT_EQ("Main", t.szName);
    EXPECT_EQ("xx", t.szLanguage);
    EXPECT_EQ(2, t.nGrade);
    EXPECT_EQ("One\nTwo", t.szDescription);
    EXPECT_EQ("1-2 12-1", tactr_test::Braille(t, "abc ba"));
}

// Contexts of letters after a contraction, boundaries, longer words keeping
// a shortform, the place after an apostrophe and ties that yield.
TEST(TableCompiler, ContextsBoundariesLongerWordsAndTies) {
    std::string table = "letter a A 1\nletter b B 12\nletter c C 14\nletter d D 145\n"
                        "letter e E 15\nspace \\s 0\njoiner ' 3\nclass V ae\n"
                        "begin ab 3456 next V\nmiddle+end cd 2 !next e$\n"
                        "anywhere bc 6\nboundary ab|cd\nafter de 5\n"
                        "word cab 45-14\nlonger |cab|e\n"
                        "anywhere dd 46-1\nanywhere d 35\nyield 46\n";
    tactr::Table t;
    std::string error;
    ASSERT_TRUE(tactr::CompileTableText(table, "t.qrf", tactr::TableKind::kTranslation, Files({}),
                                        t, error))
        << error;
    struct Sample {
        const char* text;
        const char* dots;
    } samples[] = {{"abe", "3456-15"},     {"abc", "1-6"},     {"acd", "1-2"},
                   {"acde", "1-14-35-15"}, {"abcd", "1-12-2"}, {"bc", "6"},
                   {"a'de", "1-3-5"},      {"de", "35-15"},    {"cabe", "45-14-15"},
                   {"cabd", "14-1-12-35"}, {"add", "1-35-35"}};
    for (const Sample& s : samples)
        EXPECT_EQ(s.dots, tactr_test::Braille(t, s.text)) << s.text;
}

TEST(TableCompiler, AllShippedTablesCompile) {
    for (const char* name :
         {"en-ueb-g1.qrf", "en-ueb-g2.qrf", "de-g0.qrf", "sv-g0.qrf", "fr-g0.qrf", "es-g0.qrf"}) {
        tactr::Table t = tactr_test::LoadTable(name);
        EXPECT_EQ(std::string::npos, t.szName.find("FAILED")) << t.szName;
        EXPECT_FALSE(t.szDescription.empty()) << name;
    }
}

TEST(TableCompiler, PositionsOfContractions) {
    std::string table =
        std::string(kBase) + "word abc 1-1\nbegin ab 2\nmiddle ab 3\nend ab 4\nspace \\s 0\n";
    tactr::Table t;
    std::string error;
    ASSERT_TRUE(tactr::CompileTableText(table, "t.qrf", tactr::TableKind::kTranslation, Files({}),
                                        t, error))
        << error;
    struct Sample {
        const char* text;
        const char* dots;
    } samples[] = {
        {"abc", "1-1"}, {"abca", "2-14-1"}, {"cabc", "14-3-14"}, {"cab", "14-4"}, {"ab", "1-12"}};
    for (const Sample& s : samples)
        EXPECT_EQ(s.dots, tactr_test::Braille(t, s.text)) << s.text;
}

TEST(TableCompiler, FallbackIsForPrintableCharactersOnly) {
    tactr::Table t;
    std::string error;
    ASSERT_TRUE(tactr::CompileTableText("letter a A 1\nundefined 123456\n", "t.qrf",
                                        tactr::TableKind::kTranslation, Files({}), t, error))
        << error;
    EXPECT_EQ("1-123456-1-123456-1", tactr_test::Braille(t, "a~a\xFF"
                                                            "a"));
    EXPECT_EQ("1-1", tactr_test::Braille(t, "a\x01\x1B\x7F\x81\x9D"
                                            "a"));
}

} // namespace
