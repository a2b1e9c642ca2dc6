// The uncontracted national codes, rule by rule, on label texts.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tactr_test_util.h"

namespace {

struct Case {
    const char* rule;
    const char* text; // Windows-1252
    const char* dots;
};

class NationalCodes : public testing::Test {
  protected:
    static void Check(const char* table, std::initializer_list<Case> cases) {
        tactr::Table t = tactr_test::LoadTable(table);
        ASSERT_EQ(std::string::npos, t.szName.find("FAILED")) << t.szName;
        for (const Case& c : cases)
            EXPECT_EQ(c.dots, tactr_test::Braille(t, c.text))
                << table << ", " << c.rule << ": " << c.text;
    }
};

TEST_F(NationalCodes, German) {
    Check("de-g0.qrf",
          {
              {"capital", "Hans M\xFCller", "46-125-1-1345-234 46-134-1256-123-123-15-1235"},
              {"capital in a word", "BahnCard", "46-12-1-125-1345-46-14-1-1235-145"},
              {"capitals", "ABC-Schule", "45-1-12-14-36-46-234-14-125-136-123-15"},
              {"capitals", "\xD6PNV-Ticket", "45-246-1234-1345-1236-36-46-2345-24-14-13-15-2345"},
              {"small letters after capitals", "DVDs", "45-145-1236-145-6-234"},
              {"umlaut, sharp s",
               "Stra\xDF"
               "e",
               "46-234-2345-1235-1-2346-15"},
              {"umlaut", "\xC4pfel", "46-345-1234-124-15-123"},
              {"accent sign", "Caf\xE9 Cr\xE8me", "46-14-1-124-4-123456 46-14-1235-4-2346-134-15"},
              {"accent sign", "\xC5sa Str\xF6m", "46-4-1-234-1 46-234-2345-1235-246-134"},
              {"accent sign",
               "Se\xF1or N\xFA\xF1"
               "ez",
               "46-234-15-4-1345-135-1235 46-1345-4-136-4-1345-15-1356"},
              {"accent sign", "\x8Akoda", "46-4-234-13-135-145-1"},
              {"ligature",
               "\xC6r\xF8sk\xF8"
               "bing",
               "46-1-15-1235-4-135-234-13-4-135-12-24-1345-1245"},
              {"thousands and decimals", "1.234,56 \x80", "3456-1-3-12-14-145-2-15-124 4-15"},
              {"letter after a number", "Gleis 7a", "46-1245-123-15-24-234 3456-1245-6-1"},
              {"colon inside a number", "Termin 9:30 Uhr",
               "46-2345-15-1235-134-24-1345 3456-24-6-25-14-245 46-136-125-1235"},
              {"minus",
               "bei -18 \xB0"
               "C lagern",
               "12-15-24 4-36-3456-1-125-4-356-46-14 123-1-1245-15-1235-1345"},
              {"hyphen before a number", "Kabine A-1", "46-13-1-12-24-1345-15 45-1-36-3456-1"},
              {"apostrophe before a number", "Jahrgang '89",
               "46-245-1-125-1235-1245-1-1345-1245 3456-6-125-24"},
              {"number after a slash", "Tel. 0201/12345",
               "46-2345-15-123-3 3456-245-12-245-1-5-2-3456-1-12-14-145-15"},
              {"per cent", "20 %", "3456-12-245-3456-245-356"},
              {"sign before a number", "\x80 12,99", "4-15-3456-1-12-2-24-24"},
              {"calculation", "5 + 3 = 8", "3456-15 4-235-3456-14 4-2356-3456-125"},
              {"degrees Celsius",
               "25 \xB0"
               "C",
               "3456-12-15-4-356-46-14"},
              {"quotes", "\x84Zum L\xF6wen\x93", "236-46-1356-136-134 46-123-246-2456-15-1345-356"},
              {"single quotes",
               "\x82"
               "Anna\x91",
               "6-236-46-1-1345-1345-1-6-356"},
              {"apostrophe", "geht\x92s", "1245-15-125-2345-6-234"},
              {"dash", "Mo - Fr", "46-134-135 6-36 46-124-1235"},
              {"hyphen", "Haupt- und Nebeneingang",
               "46-125-1-136-1234-2345-36 136-1345-145 "
               "46-1345-15-12-15-1345-15-24-1345-1245-1-1345-1245"},
              {"section", "\xA7 4 Abs. 2", "346-3456-145 46-1-12-234-3 3456-12"},
              {"copyright", "\xA9 2024", "2356-45-14-2356 3456-12-245-12-145"},
              {"address", "E-Mail", "45-15-36-46-134-1-24-123"},
              {"address", "a@b.de", "6-46-1-4-345-12-3-145-15"},
              {"no sign", "\x95 Aspirin", "5-123456 46-1-234-1234-24-1235-24-1345"},
          });
}

TEST_F(NationalCodes, Swedish) {
    Check("sv-g0.qrf", {
                           {"capital", "\xC5sa Lindstr\xF6m",
                            "6-16-234-1 6-123-24-1345-145-234-2345-1235-246-134"},
                           {"capitals", "NHL-match", "6-6-1345-125-123-36-134-1-2345-14-125"},
                           {"small letters after capitals", "IKEAs", "6-6-24-13-15-1-156-234"},
                           {"capital passage", "ST\xD6R INTE TACK",
                            "6-6-6-234-2345-246-1235 24-1345-2345-15 2345-1-14-13-156"},
                           {"accented letter",
                            "Ren\xE9"
                            "e",
                            "6-1235-15-1345-123456-15"},
                           {"diacritic sign",
                            "Cr\xE8me br\xFBl\xE9"
                            "e",
                            "6-14-1235-2346-134-15 12-1235-346-235-136-123-123456-15"},
                           {"diacritic sign", "\x8Akoda", "6-346-2356-234-13-135-145-1"},
                           {"cedilla", "Fran\xE7ois", "6-124-1235-1-1345-126-2-14-135-24-234"},
                           {"other letter", "\xD8resund", "6-4-135-1235-15-234-136-1345-145"},
                           {"telephone", "Tel. 08-123 45",
                            "6-2345-15-123-3 3456-245-125-36-3456-1-12-14 3456-145-15"},
                           {"letter after a number", "Rum 3b", "6-1235-136-134 3456-14-156-12"},
                           {"decimals", "12,50 kr", "3456-1-12-2-15-245 13-1235"},
                           {"quotes", "\x94Hej\x94", "56-6-125-15-245-56"},
                           {"guillemets", "\xABHej\xBB", "45-2356-6-125-15-245-2356-12"},
                           {"apostrophe", "Anna\x92s", "6-1-1345-1345-1-5-234"},
                           {"per cent", "50 %", "3456-15-245 1456"},
                           {"no sign", "\x95 Mj\xF6lk", "45-123456 6-134-245-246-123-13"},
                       });
}

TEST_F(NationalCodes, French) {
    Check("fr-g0.qrf",
          {
              {"capital", "\xC9lodie Bernard",
               "46-123456-123-135-145-24-15 46-12-15-1235-1345-1-1235-145"},
              {"capitals", "SNCF", "46-46-234-1345-14-124"},
              {"small letters after capitals", "PDFs", "46-46-1234-145-124-6-3-234"},
              {"accented capital",
               "\xC9"
               "cole",
               "46-123456-14-135-123-15"},
              {"accents", "No\xEBl \xE0 l'h\xF4tel",
               "46-1345-135-1246-123 12356 123-3-125-1456-2345-15-123"},
              {"ligature",
               "\x8C"
               "ufs",
               "46-246-136-124-234"},
              {"tilde", "S\xE3o Paulo", "46-234-5-26-1-135 46-1234-1-136-123-135"},
              {"ring", "\xC5ngstr\xF6m", "46-5-1-1345-1245-234-2345-1235-246-134"},
              {"accent sign", "\x8Akoda", "46-4-234-13-135-145-1"},
              {"sharp s",
               "Stra\xDF"
               "e",
               "46-234-2345-1235-1-234-234-15"},
              {"number", "75001 Paris", "6-12456-156-3456-3456-16 46-1234-1-1235-24-234"},
              {"decimals", "4,99 \x80", "6-1456-2-246-246 45-15"},
              {"date", "12/05", "6-16-126-34-3456-156"},
              {"plus before a number", "+33 1", "6-235-146-146 6-16"},
              {"calculation", "1+1=2", "6-16-235-16-2356-126"},
              {"brackets inside a number", "1-(-4)", "6-16-36-236-36-1456-356"},
              {"minus",
               "-5 \xB0"
               "C",
               "6-36-156 5-135-46-14"},
              {"hyphen before a number", "A-1", "46-1-36-6-16"},
              {"bracket before a number", "(2)", "6-236-126-356"},
              {"quotes", "\xAB Le Soleil \xBB", "2356 46-123-15 46-234-135-123-15-24-123 2356"},
              {"apostrophe", "Jus d\x92orange", "46-245-136-234 145-3-135-1235-1-1345-1245-15"},
              {"number sign", "n\xB0 5", "1345-5-135 6-156"},
              {"per cent", "20 %", "6-126-3456 5-346"},
              {"no sign", "\x95 Pain", "45-123456 46-1234-1-24-1345"},
          });
}

TEST_F(NationalCodes, Spanish) {
    Check("es-g0.qrf",
          {
              {"capital",
               "Jos\xE9 Garc\xED"
               "a",
               "46-245-135-234-2346 46-1245-1-1235-14-34-1"},
              {"capitals", "NI\xD1OS", "46-46-1345-24-12456-135-234"},
              {"accented vowels", "\xCD\xF1igo S\xE1nchez",
               "46-34-12456-24-1245-135 46-234-12356-1345-14-125-15-1356"},
              {"accent sign", "Ping\xFCino", "46-1234-24-1345-1245-6-136-24-1345-135"},
              {"accent sign", "Fran\xE7ois M\xFCller",
               "46-124-1235-1-1345-6-14-135-24-234 46-134-6-136-123-123-15-1235"},
              {"thousands and decimals", "Total 1.234,56",
               "46-2345-135-2345-1-123 3456-1-3-12-14-145-2-15-124"},
              {"decimals", "4,99", "3456-145-2-24-24"},
              {"ordinal", "Piso 2\xBA", "46-1234-24-234-135 3456-12-16-3456-245"},
              {"telephone", "+34 91", "235-3456-14-145 3456-24-1"},
              {"questions",
               "\xBF"
               "D\xF3nde?",
               "26-46-145-346-1345-145-15-26"},
              {"exclamations", "\xA1Hola!", "235-46-125-135-123-1-235"},
              {"quotes", "\xABLa Plaza\xBB", "236-46-123-1 46-1234-123-1-1356-1-236"},
              {"apostrophe", "O'Donnell", "46-135-3-46-145-135-1345-1345-15-123-123"},
              {"per cent", "20 %", "3456-12-245 456-356"},
              {"euro", "5 \x80", "3456-15 456-15"},
              {"at", "info@ejemplo.es", "24-1345-124-135-5-15-245-15-134-1234-123-135-3-15-234"},
              {"no sign", "\x95 Pan", "456-123456 46-1234-1-1345"},
          });
}

} // namespace
