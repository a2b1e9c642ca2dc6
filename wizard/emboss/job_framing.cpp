#include "job_framing.h"

#include <cstdio>

#include "units.h"

namespace {

// Every queue whose driver carries one of these names is offered as an
// embosser; all of them speak the same byte language.
constexpr const char* kEmbosserDrivers[] = {
    "Ridgeline",
    "Cirrus",
    "Fell",
    "Tarn",
    "Stratus",
    "Tarn V3",
    "Fell V3",
    "Ridgeline V3",
    "Cirrus PRO V3",
    "Stratus PRO",
    "Vantor Ridgeline",
    "Vantor Tarn",
    "Vantor Cirrus PRO",
    "Vantor Stratus PRO",
    "Vantor Ridgeline V3",
    "Vantor Tarn V3",
    "Vantor Cirrus PRO V3",
    "Vantor Ridgeline V4",
    "Vantor Tarn V4",
    "Vantor Cirrus PRO V4",
};

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    return *a == *b;
}

} // namespace

int32_t PaperWholeInches(uint16_t wTwips) {
    return static_cast<int32_t>(TwipsToInch(wTwips, 0));
}

int WriteJobHeader(JobSink& sink, int32_t nWidthInches, int32_t nHeightInches,
                   uint32_t nMultipleImpacts) {
    if (nMultipleImpacts < 1 || nMultipleImpacts > 5)
        nMultipleImpacts = 1;
    static const unsigned char kStart[] = {0x1B, 0x57};
    static const unsigned char kEnd[] = {0x1B, 0x09};
    char text[96];
    int n = snprintf(text, sizeof text, "PW%d,PL%d,MI%u,DP1,FP0;", nWidthInches * 1000,
                     nHeightInches * 1000, nMultipleImpacts);
    return sink.Write(kStart, sizeof kStart) && sink.Write(text, static_cast<size_t>(n)) &&
           sink.Write(kEnd, sizeof kEnd);
}

int WriteJobEnd(JobSink& sink) {
    static const unsigned char kEscLineFeed[] = {0x1B, 0x0A};
    static const unsigned char kEndOfJob[] = {0x1A};
    return sink.Write(kEscLineFeed, sizeof kEscLineFeed) && sink.Write(kEndOfJob, sizeof kEndOfJob);
}

int IsEmbosserDriver(const char* szDriver) {
    if (!szDriver)
        return 0;
    for (const char* entry : kEmbosserDrivers)
        if (EqualsIgnoringCase(entry, szDriver))
            return 1;
    return 0;
}
