#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "label_fields.h"

namespace {

struct Field {
    int pos;
    std::string name;
    bool operator==(const Field&) const = default;
};

std::vector<Field> Scan(const std::string& text) {
    auto state = std::make_unique<AppState>();
    ResetAppState(state.get());
    std::strncpy(state->szLabelText, text.c_str(), sizeof state->szLabelText - 1);
    ScanLabelFields(state.get());
    std::vector<Field> fields;
    for (int i = 0; i < state->nFieldCount; ++i) {
        fields.push_back({state->pFields[i].nPos, state->pFields[i].szName});
    }
    ReleaseAppState(state.get());
    return fields;
}

TEST(LabelFields, ScanFindsFieldsAndTheirNames) {
    const struct {
        const char* text;
        std::vector<Field> fields;
    } cases[] = {
        {"Name: {A} {B}", {{6, "A"}, {10, "B"}}},
        {"{AB}", {{0, "AB"}}},
        {"{}", {{0, ""}}},
        {"{ab} and {B}", {{0, "ab"}, {9, "B"}}},
        {"{ab} alone", {}},
        {"{A{B}", {{2, "B"}}},
        {"", {}},
        {"no fields", {}},
        {"{A", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scan(c.text), c.fields) << c.text;
    }
}

TEST(LabelFields, LongNamesAreCut) {
    const std::string text = "{" + std::string(600, 'x') + "} {A}";
    const auto fields = Scan(text);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].name.size(), 259u);
}

TEST(LabelFields, UnterminatedTextStaysInItsBuffer) {
    auto state = std::make_unique<AppState>();
    ResetAppState(state.get());
    std::memset(state->szLabelText, '{', sizeof state->szLabelText);
    std::memset(state->szRuleFile, 'A', sizeof state->szRuleFile);
    state->szRuleFile[5] = '}';
    ScanLabelFields(state.get());
    EXPECT_EQ(state->nFieldCount, 0) << "the scan must not read into the next field";
    ReleaseAppState(state.get());
}

TEST(LabelFields, BracesBalance) {
    EXPECT_EQ(HasFieldBraces("{A}\n{B}"), 1);
    EXPECT_EQ(HasFieldBraces("{A"), 0);
    EXPECT_EQ(HasFieldBraces("plain"), 0);
    EXPECT_EQ(HasFieldBraces("}{"), 1);
}

} // namespace
