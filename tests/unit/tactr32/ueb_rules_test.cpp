// Rules of Unified English Braille, each stated in made-up label texts.
#include <gtest/gtest.h>

#include "tactr_test_util.h"

using tactr_test::Ueb;

namespace {

// Wordsigns and shortforms only where the word stands alone: between
// spaces, hyphens, dashes and the punctuation that may surround a word.
TEST_F(Ueb, StandingAlone) {
    Check(*g2, {{"can-do", "14-36-145"},
                {"(so)", "5-126-234-5-345"},
                {"'so'", "3-234-3"},
                {"it's", "1346-3-234"}, // an apostrophe ending keeps "it" alone
                {"you/me", "13456-1256-456-34-134-15"},
                {"so*", "234-135-5-35"},
                {"more'n", "134-135-1235-15-3-1345"},
                {"t'other", "2345-3-135-2346-1235"},
                {"P.O. Box 9", "6-1234-256-6-135-256 6-12-135-1346 3456-24"},
                {"Ring us", "6-1235-346 136"}});
}

// The grade 1 symbol indicator before what would read otherwise: a letter
// standing alone, a-j after a number, a shortform's letters, a comma-like
// cell between letters.
TEST_F(Ueb, Grade1SymbolIndicator) {
    Check(*g2, {{"a b c", "1 56-12 56-14"},
                {"Flat 3b", "6-124-123-1-2345 3456-14-56-12"},
                {"Room 4-c", "6-1235-135-135-134 3456-145-36-56-14"},
                {"Gate a:b", "6-1245-1-2345-15 1-56-25-12"},
                {"shop.com", "146-135-1234-256-14-135-134"},
                {"see .com", "234-15-15 56-256-14-135-134"},
                {"Fr. Jones", "56-6-124-1235-256 6-245-5-135-234"},
                {"qk", "56-12345-13"},
                {"yrs", "56-13456-1235-234"},
                {"t-t-table", "56-2345-36-56-2345-36-2345-1-12-123-15"}});
}

// Three or more symbol indicators give way to the word indicator when that
// costs no more, its terminator counted; three sequences of them to a
// passage when that is shorter.
TEST_F(Ueb, Grade1WordIndicatorAndPassage) {
    Check(*g2, {{"x-y-z", "56-56-1346-36-13456-36-1356"},
                {"b-b-b-bulb", "56-56-12-36-12-36-12-36-12-136-123-12"},
                {"m-m-m-m-mother", "56-56-134-36-134-36-134-36-134-36-56-3-5-134"},
                {"k-k-k-kitten", "56-13-36-56-13-36-56-13-36-13-24-2345-2345-26"},
                {"b-d c-f g-h", "56-56-56-12-36-145 14-36-124 1245-36-125-56-3"},
                {"T-BONE STEAK HERE", "56-6-6-6-2345-36-12-5-135 34-2-13 5-125-6-3"}});
}

// Marks are paired: the outermost take the nonspecific signs, inner ones
// and those opening inside a word their own; a straight double mark
// without partner or after a digit is the undirected one (inches).
TEST_F(Ueb, QuotationMarksByPair) {
    Check(*g2, {{"\"Keep dry\"", "236-6-13-15-15-1234 145-1235-13456-356"},
                {"\x91Say \x93"
                 "cheese\x94\x92",
                 "236-6-234-1-13456 45-236-16-15-15-234-15-45-356-356"},
                {"pre\"heat\"", "1234-1235-15-45-236-125-2-2345-45-356"},
                {"the boys\x92 room", "2346 12-135-13456-234-3 1235-135-135-134"},
                {"5' 4\"", "3456-15-3 3456-145-6-2356"},
                {"12\" x 8\"", "3456-1-12-6-2356 56-1346 3456-125-6-2356"},
                {"He said \"hi", "6-125-15 234-145 6-2356-125-24"},
                {"sign \"-\" here", "234-24-1245-1345 236-36-356 5-125"},
                {"end.\"", "26-145-256-356"},
                {"The \x91"
                 "80s",
                 "6-2346 3-3456-125-245-234"},                  // a left mark as the apostrophe
                {"\xABOui\xBB", "456-236-6-1256-24-456-356"}}); // angle marks keep their signs
}

// A lower wordsign goes where it touches a quotation mark or follows a
// hyphen after a word, and where its sequence would be lower cells only.
TEST_F(Ueb, LowerWordsigns) {
    Check(*g2, {{"in", "35"},
                {"(in)", "5-126-35-5-345"},
                {"in.", "24-1345-256"},
                {"\"in\"", "236-24-1345-356"},
                {"drop-in", "145-1235-135-1234-36-24-1345"},
                {"9-in", "3456-24-36-35"},
                {"was?", "2456-1-234-236"},
                {"enough.", "26-1256-126-256"},
                {"be-in", "23-36-24-1345"}});
}

// The fewest cells; between as many, no initial-letter contraction where
// groupsigns do, a strong contraction where one fits, then the longest.
TEST_F(Ueb, ContractionChoice) {
    Check(*g2, {{"coherent", "14-135-125-12456-26-2345"},
                {"prisoners", "1234-1235-24-234-135-1345-12456-234"},
                {"whether", "156-15-2346-1235"},
                {"offer", "12356-124-12456"},
                {"bear", "12-15-345"},
                {"singer", "234-346-12456"},
                {"Zucchini", "6-1356-136-14-16-35-24"}, // "ch" before "cc"
                {"Honey", "6-125-5-135-13456"},
                {"Bayonet", "6-12-1-13456-135-1345-15-2345"}, // "one" split by a syllable
                {"Rooney", "6-1235-135-135-1345-15-13456"}});
}

// Parts of a word: a change of case, the table's boundaries in compounds
// and after combining forms; "ing" may follow an apostrophe or a change of
// case, a final-letter contraction may not.
TEST_F(Ueb, PartsOfWords) {
    Check(*g2, {{"lighthouse", "123-24-126-2345-125-1256-234-15"},
                {"microwave", "134-24-14-1235-135-2456-1-1236-15"},
                {"pothole", "1234-135-2345-125-135-123-15"},
                {"Johnstown", "6-245-135-125-1345-234-2345-246-1345"},
                {"Hedgerow", "6-125-1246-1245-15-1235-246"},
                {"Northeast", "6-1345-135-1235-1456-2-34"},
                {"twofold", "2345-2456-135-124-135-123-145"},
                {"dumbbell", "145-136-134-12-12-15-123-123"},
                {"nonevent", "1345-135-1345-15-1236-26-2345"},
                {"Lithograph", "6-123-24-1456-135-1245-1235-1-1234-125"},
                {"milling", "134-24-123-123-346"},
                {"Limeade", "6-123-24-134-15-1-145-15"},
                {"severed", "234-5-15-1246"},
                {"severely", "234-15-1236-12456-15-123-13456"},
                {"iPhone", "24-6-1234-125-5-135"},
                {"Ingrid", "6-35-1245-1235-24-145"},
                {"WALKing", "6-6-2456-1-123-13-6-3-346"},
                {"PlayMent", "6-1234-123-1-13456-6-134-26-2345"}});
}

// "be", "con" and "dis" only as the first syllable of the word.
TEST_F(Ueb, PrefixGroupsigns) {
    Check(*g2, {{"belated", "23-123-1-2345-1246"},
                {"best", "12-15-34"},
                {"bevel", "12-15-1236-15-123"},
                {"bestow", "23-34-246"},
                {"conch", "14-135-1345-16"},
                {"concert", "25-14-12456-2345"},
                {"disk", "145-24-234-13"},
                {"discount", "256-14-46-2345"},
                {"dishes", "145-24-146-15-234"},
                {"betwixt", "23-2345-2456-24-1346-2345"},
                {"begrudge", "23-1245-1235-136-145-1245-15"},
                {"conk", "14-135-1345-13"},
                {"diskette", "145-24-234-13-15-2345-2345-15"}});
}

// Shortforms stand alone, or keep to the listed longer words and to the
// start or end of proper names.
TEST_F(Ueb, Shortforms) {
    Check(*g2, {{"about", "1-12"},
                {"hereabouts", "5-125-1-12-234"},
                {"abouts", "1-12-1256-2345-234"},
                {"friendly", "124-1235-123-13456"},
                {"friend@home", "124-1235-24-26-145-4-1-125-135-134-15"},
                {"blinded", "12-123-35-145-1246"},
                {"blindfold", "12-123-124-135-123-145"},
                {"Greatwood", "6-1245-1235-2345-2456-135-135-145"},
                {"Blindon", "6-12-123-35-145-135-1345"},
                {"at 9 o'clock.", "1-2345 3456-24 135-3-14-256"},
                {"befriended", "23-124-1235-24-26-145-1246"},
                {"aftermaths", "1-124-134-1-1456-234"},
                {"o'clocks", "135-3-14-123-135-14-13-234"}});
}

TEST_F(Ueb, SignsOfTheSharedTable) {
    for (const tactr::Table* t : {g1, g2})
        Check(*t, {{"\xC6sop", "6-1-6-45-235-15-234-135-1234"},
                   {"\xC6GIS", "6-6-1-45-235-15-1245-24-234"},
                   {"C:\\Temp", "6-14-25-456-16-6-2345-15-134-1234"},
                   {"4\xBD", "3456-145-3456-1-34-12"},
                   {"m\xB2", "134-56-35-3456-12"},
                   {"\x01", ""}});
}

} // namespace
