#include "loaded_tables.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tactr_test_util.h"

namespace {

using tactr_test::TablePath;

std::string Translated(const tactr::LoadedTables& set, const char* text) {
    char out[tactr::kBrailleBufferSize];
    std::memset(out, 'x', sizeof out);
    set.Translate(text, out, sizeof out);
    return tactr_test::ToDots(out);
}

TEST(LoadedTables, ExceptionFolderMeansNoList) {
    tactr::LoadedTables set;
    char out[8] = "x";
    EXPECT_EQ(0, set.Translate("a", out, sizeof out));
    EXPECT_EQ('\0', out[0]);
    std::string folder = TablePath("exceptions/");
    ASSERT_EQ(1, set.Load(TablePath("en-ueb-g2.qrf"), folder));
    EXPECT_EQ("6-1235-2-1245-1-1345", Translated(set, "Reagan"));
    ASSERT_EQ(1, set.Load(TablePath("en-ueb-g2.qrf"), TablePath("exceptions/names.qrf")));
    EXPECT_EQ("6-1235-15-1-1245-1-1345", Translated(set, "Reagan"));
    set.Unload();
    EXPECT_EQ("", Translated(set, "Reagan"));
}

TEST(LoadedTables, AFailedLoadLeavesNothingLoaded) {
    struct Case {
        std::string table, exceptions;
    } cases[] = {
        {TablePath("missing.qrf"), ""},
        {TablePath("en-ueb-g2.qrf"), TablePath("exceptions/missing.qrf")},
        // A table where a list belongs is refused: it holds more than words.
        {TablePath("en-ueb-g2.qrf"), TablePath("en-ueb-g1.qrf")},
    };
    for (const Case& c : cases) {
        tactr::LoadedTables set;
        ASSERT_EQ(1, set.Load(TablePath("en-ueb-g1.qrf"), ""));
        EXPECT_EQ(0, set.Load(c.table, c.exceptions)) << c.table << " + " << c.exceptions;
        char out[8];
        EXPECT_EQ(0, set.Translate("a", out, sizeof out));
    }
}

TEST(TableTexts, DescriptionAndCopy) {
    EXPECT_EQ("English UEB grade 2\nUnified English Braille, contracted: wordsigns, "
              "groupsigns,\nshortforms and "
              "initial- and final-letter contractions.",
              tactr::DescribeTable(TablePath("en-ueb-g2.qrf")));
    EXPECT_EQ(0u,
              tactr::DescribeTable(TablePath("missing.qrf")).find("This table cannot be used:\n"));
    EXPECT_EQ(0u,
              tactr::DescribeTable(TablePath("es-g0.qrf")).find("Espa\xF1ol sin contracciones\n"));

    char buf[6];
    std::memset(buf, 'x', sizeof buf);
    tactr::CopyToBuffer("Hello World", buf, 5);
    EXPECT_STREQ("Hell", buf);
    EXPECT_EQ('x', buf[5]);
    tactr::CopyToBuffer("Hi", buf, 0);
    EXPECT_EQ('H', buf[0]);
}

} // namespace
