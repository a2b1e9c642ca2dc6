#include <gtest/gtest.h>

#include <string>

#include "command_line.h"

namespace {

TEST(StripQuotes, RemovesTheQuotesThatAreThere) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"\"C:\\a b\\p.dwp\"", "C:\\a b\\p.dwp"},
        {"\"C:\\p.dwp", "C:\\p.dwp"},
        {"C:\\p.dwp\"", "C:\\p.dwp"},
        {"\"", ""},
        {"\"\"", ""},
        {"", ""},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        StripQuotes(text.data());
        EXPECT_STREQ(text.c_str(), c.out) << "input " << c.in;
    }
}

TEST(WizardCommandLine, PathAndAutoSwitch) {
    const struct {
        const char* line;
        const char* path;
        bool autoEmboss;
    } cases[] = {
        {"", "", false},
        {"\"C:\\Labels\\my project.dwp\" /p", "C:\\Labels\\my project.dwp", true},
        {"C:\\x.dwp /p", "C:\\x.dwp", true},
        {"C:\\x.dwp", "C:\\x.dwp", false},
        {"nosuchfile /p", "nosuchfile", true},
        {" /p", "", true},
        {"C:\\x.dwp /P", "C:\\x.dwp /P", false},
    };
    for (const auto& c : cases) {
        const WizardCommandLine parsed = ParseWizardCommandLine(c.line);
        EXPECT_STREQ(parsed.szPath, c.path) << "line " << c.line;
        EXPECT_EQ(parsed.bAutoEmboss, c.autoEmboss) << "line " << c.line;
    }
}

TEST(WizardCommandLine, OverlongPathIsNoProject) {
    const std::string fits = "C:\\" + std::string(256, 'a');
    const std::string tooLong = "\"C:\\" + std::string(300, 'a') + "\" /p";
    EXPECT_STREQ(ParseWizardCommandLine(fits.c_str()).szPath, fits.c_str());
    const WizardCommandLine parsed = ParseWizardCommandLine(tooLong.c_str());
    EXPECT_STREQ(parsed.szPath, "");
    EXPECT_TRUE(parsed.bAutoEmboss);
}

} // namespace
