#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "project_codec.h"

namespace {

std::unique_ptr<AppState> SampleState() {
    auto state = std::make_unique<AppState>();
    ResetAppState(state.get());
    std::strcpy(state->szProjectFile, "C:\\Labels\\a.dwp");
    std::strcpy(state->szSelectedPrinter, "Embosser");
    state->nMaxLabel = 12;
    state->nMinLabel = 1;
    state->nToLabel = 12;
    state->nStartPos = 5;
    state->hDataSource = 0xDEADBEEF;
    state->nSourceKind = 1;
    state->hTranslator = 0xCAFEF00D;
    std::strcpy(state->Sheet.szName, "A4 3 x 8");
    state->Sheet.wPaperWidth = 11905;
    state->Sheet.wTextHeight = 1000;
    std::strcpy(state->szLabelText, "{A}\n{B}");
    std::strcpy(state->szRuleFile, "en-ueb-g2.qrf");
    std::strcpy(state->szDatabaseFile, "C:\\Labels\\names.csv");
    return state;
}

TEST(ProjectCodec, WritesTheVersion2Layout) {
    auto state = SampleState();
    uint8_t bytes[kProjectFileSizeV2];
    EncodeProject(*state, bytes);
    const uint8_t header[] = {0x78, 0x56, 0x34, 0x12, 0x02, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(bytes, header, sizeof header), 0);
    for (size_t offset : {548u, 549u, 550u, 551u, 556u, 557u, 558u, 559u}) {
        EXPECT_EQ(bytes[offset], 0) << "run-time handles are stored as 0, byte " << offset;
    }
    EXPECT_EQ(bytes[552], 1) << "the source kind is kept";
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 8), "C:\\Labels\\a.dwp");
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 560), "A4 3 x 8");
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 692), "{A}\n{B}");
}

TEST(ProjectCodec, RoundTripKeepsTheRecordAndThePath) {
    auto state = SampleState();
    uint8_t bytes[kProjectFileSizeV2];
    EncodeProject(*state, bytes);

    auto read = std::make_unique<AppState>();
    ResetAppState(read.get());
    std::strcpy(read->szProjectFile, "D:\\moved\\a.dwp");
    ASSERT_EQ(DecodeProject(bytes, sizeof bytes, read.get()), ProjectDecode::Ok);
    EXPECT_STREQ(read->szProjectFile, "D:\\moved\\a.dwp") << "the stored path is never used";
    EXPECT_EQ(read->hDataSource, 0u);
    EXPECT_EQ(read->hTranslator, 0u);
    EXPECT_EQ(read->nStartPos, 5);
    EXPECT_EQ(read->nSourceKind, 1);
    EXPECT_EQ(std::memcmp(&read->Sheet, &state->Sheet, sizeof state->Sheet), 0);
    EXPECT_STREQ(read->szDatabaseFile, state->szDatabaseFile);
}

TEST(ProjectCodec, ReadsVersion1AsVersion2) {
    auto state = SampleState();
    std::vector<uint8_t> v1(kProjectFileSizeV1, 0);
    const uint8_t header[] = {0x78, 0x56, 0x34, 0x12, 0x01, 0x00, 0x00, 0x00};
    std::memcpy(v1.data(), header, sizeof header);
    std::memcpy(v1.data() + 8, state->szProjectFile, 540);
    std::memset(v1.data() + 8 + 540, 0x5A, 8); // ignored
    std::memcpy(v1.data() + 8 + 548, &state->Sheet, kSheetBlock + kTextBlock);

    auto read = std::make_unique<AppState>();
    ResetAppState(read.get());
    read->nSourceKind = 1;
    std::strcpy(read->szProjectFile, "C:\\old.dwp");
    ASSERT_EQ(DecodeProject(v1.data(), v1.size(), read.get()), ProjectDecode::Ok);
    EXPECT_EQ(read->dwVersion, 2u);
    EXPECT_EQ(read->nSourceKind, 0);
    EXPECT_EQ(read->hDataSource, 0u);
    EXPECT_EQ(read->nToLabel, 12);
    EXPECT_STREQ(read->szSelectedPrinter, "Embosser");
    EXPECT_STREQ(read->szLabelText, "{A}\n{B}");
}

TEST(ProjectCodec, RefusesWhatIsNotAWholeProjectWithoutTouchingTheRecord) {
    auto state = SampleState();
    uint8_t good[kProjectFileSizeV2];
    EncodeProject(*state, good);

    std::vector<std::vector<uint8_t>> bad;
    bad.emplace_back(good, good + 4);                      // shorter than the header
    bad.emplace_back(good, good + kProjectFileSizeV2 - 1); // one byte short
    bad.emplace_back(good, good + kProjectFileSizeV2);
    bad.back()[0] = 0x79; // wrong signature
    bad.emplace_back(good, good + kProjectFileSizeV2);
    bad.back()[4] = 3;                                 // unknown version
    bad.emplace_back(good, good + kProjectFileSizeV1); // version 2 at version 1's length
    bad.emplace_back(good, good + kProjectFileSizeV1 - 1);
    bad.back()[4] = 1; // version 1, one byte short
    for (size_t i = 0; i < bad.size(); ++i) {
        auto read = std::make_unique<AppState>();
        ResetAppState(read.get());
        std::strcpy(read->szLabelText, "untouched");
        EXPECT_EQ(DecodeProject(bad[i].data(), bad[i].size(), read.get()),
                  ProjectDecode::NotAProject)
            << "case " << i;
        EXPECT_STREQ(read->szLabelText, "untouched") << "case " << i;
    }
}

// What each version leaves in the record besides the stored blocks: the
// run-time fields are the program's own, never the file's.
TEST(ProjectCodec, KeepsRunTimeFieldsAndStoredBytesPerVersion) {
    auto state = SampleState();
    std::memcpy(state->szSelectedPrinter + 10, "tail", 4); // after the terminator
    std::memcpy(state->szLabelText + 100, "old", 3);
    uint8_t v2[kProjectFileSizeV2];
    EncodeProject(*state, v2);
    std::vector<uint8_t> withHandles(v2, v2 + sizeof v2);
    std::memset(withHandles.data() + 548, 0x11, 4); // another writer's handles
    std::memset(withHandles.data() + 556, 0x22, 4);
    withHandles.push_back(0x33); // trailing bytes are ignored
    std::vector<uint8_t> v1(v2, v2 + 8 + 540);
    v1[4] = 1;
    v1.insert(v1.end(), 8, 0x5A);
    v1.insert(v1.end(), v2 + 560, v2 + sizeof v2);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int32_t sourceKind;
    } cases[] = {
        {"version 2", std::vector<uint8_t>(v2, v2 + sizeof v2), 1},
        {"version 2, handles stored", withHandles, 1},
        {"version 1", v1, 0},
    };
    for (const Case& c : cases) {
        auto read = std::make_unique<AppState>();
        ResetAppState(read.get());
        read->bAutoEmboss = 1;
        read->nFieldCount = 3;
        read->pFields = reinterpret_cast<LabelField*>(read.get()); // only compared
        read->nSourceKind = 2;
        ASSERT_EQ(DecodeProject(c.bytes.data(), c.bytes.size(), read.get()), ProjectDecode::Ok)
            << c.name;
        EXPECT_EQ(read->dwMagic, kProjectMagic) << c.name;
        EXPECT_EQ(read->dwVersion, 2u) << c.name;
        EXPECT_EQ(read->hDataSource, 0u) << c.name;
        EXPECT_EQ(read->hTranslator, 0u) << c.name;
        EXPECT_EQ(read->nSourceKind, c.sourceKind) << c.name;
        EXPECT_EQ(read->bAutoEmboss, 1u) << c.name;
        EXPECT_EQ(read->nFieldCount, 3) << c.name;
        EXPECT_EQ(read->pFields, reinterpret_cast<LabelField*>(read.get())) << c.name;
        EXPECT_EQ(std::memcmp(read->szSelectedPrinter, state->szSelectedPrinter,
                              sizeof state->szSelectedPrinter),
                  0)
            << c.name;
        EXPECT_EQ(std::memcmp(read->szLabelText, state->szLabelText,
                              kProjectBodyEnd - offsetof(AppState, szLabelText)),
                  0)
            << c.name;
        EXPECT_EQ(read->nMaxLabel, 12) << c.name;
        EXPECT_EQ(read->nStartPos, 5) << c.name;
    }
}

// A text that fills its whole array in the file must not run on into the
// fields after it once read.
TEST(ProjectCodec, EveryTextEndsWithinItsArray) {
    auto state = SampleState();
    uint8_t good[kProjectFileSizeV2];
    EncodeProject(*state, good);
    const struct {
        const char* name;
        size_t offset;
        size_t size;
    } texts[] = {
        {"szSelectedPrinter", offsetof(AppState, szSelectedPrinter), 260},
        {"Sheet.szName", offsetof(AppState, Sheet.szName), 100},
        {"szLabelText", offsetof(AppState, szLabelText), 4096},
        {"szRuleFile", offsetof(AppState, szRuleFile), 512},
        {"szExceptionFile", offsetof(AppState, szExceptionFile), 512},
        {"szDatabaseFile", offsetof(AppState, szDatabaseFile), 260},
    };
    for (const auto& t : texts) {
        std::vector<uint8_t> bytes(good, good + sizeof good);
        const size_t inFile = t.offset - offsetof(AppState, szProjectFile) + kProjectHeaderSize;
        std::memset(bytes.data() + inFile, 'x', t.size);
        auto read = std::make_unique<AppState>();
        ResetAppState(read.get());
        ASSERT_EQ(DecodeProject(bytes.data(), bytes.size(), read.get()), ProjectDecode::Ok)
            << t.name;
        const char* text = reinterpret_cast<const char*>(read.get()) + t.offset;
        EXPECT_EQ(std::string(text), std::string(t.size - 1, 'x')) << t.name;
        auto expected = std::make_unique<AppState>();
        ResetAppState(expected.get());
        ASSERT_EQ(DecodeProject(good, sizeof good, expected.get()), ProjectDecode::Ok);
        std::memcpy(reinterpret_cast<char*>(expected.get()) + t.offset, text, t.size);
        EXPECT_EQ(std::memcmp(read.get(), expected.get(), sizeof(AppState)), 0)
            << t.name << ": only that text may change";
    }
}

} // namespace
