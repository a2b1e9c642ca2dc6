#include "project_codec.h"

#include <cstring>

namespace {

uint32_t ReadU32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

void WriteU32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

const uint8_t* RecordBytes(const AppState& state) {
    return reinterpret_cast<const uint8_t*>(&state);
}

// A text that fills its whole array loses its last character: left
// unterminated it would run on into the fields after it wherever it is
// shown or used. Texts that end in time keep every byte, the ones after
// their terminator included.
template <size_t N> void Terminate(char (&text)[N]) {
    if (!std::memchr(text, '\0', N)) {
        text[N - 1] = '\0';
    }
}

void TerminateTexts(AppState* state) {
    Terminate(state->szSelectedPrinter);
    Terminate(state->Sheet.szName);
    Terminate(state->szLabelText);
    Terminate(state->szRuleFile);
    Terminate(state->szExceptionFile);
    Terminate(state->szDatabaseFile);
}

} // namespace

void EncodeProject(const AppState& state, uint8_t (&out)[kProjectFileSizeV2]) {
    WriteU32(out, state.dwMagic);
    WriteU32(out + 4, state.dwVersion);
    std::memcpy(out + kProjectHeaderSize, RecordBytes(state) + offsetof(AppState, szProjectFile),
                kSettingsBlockV2 + kSheetBlock + kTextBlock);
    WriteU32(out + kProjectHeaderSize + offsetof(AppState, hDataSource) - 12, 0);
    WriteU32(out + kProjectHeaderSize + offsetof(AppState, hTranslator) - 12, 0);
}

ProjectDecode DecodeProject(const uint8_t* data, size_t size, AppState* state) {
    if (size < kProjectHeaderSize || ReadU32(data) != kProjectMagic) {
        return ProjectDecode::NotAProject;
    }
    const uint32_t version = ReadU32(data + 4);
    const size_t settingsSize = version == 1 ? kSettingsBlockV1 : kSettingsBlockV2;
    if ((version != 1 && version != 2) ||
        size < kProjectHeaderSize + settingsSize + kSheetBlock + kTextBlock) {
        return ProjectDecode::NotAProject;
    }

    char keptPath[sizeof state->szProjectFile];
    std::memcpy(keptPath, state->szProjectFile, sizeof keptPath);

    auto* record = reinterpret_cast<uint8_t*>(state);
    const uint8_t* settings = data + kProjectHeaderSize;
    std::memset(record + offsetof(AppState, szProjectFile), 0, kSettingsBlockV2);
    // Version 1 ends its settings with 8 ignored bytes after the five numbers.
    const size_t copied = version == 1 ? offsetof(AppState, hDataSource) - 12 : kSettingsBlockV2;
    std::memcpy(record + offsetof(AppState, szProjectFile), settings, copied);
    state->dwMagic = kProjectMagic;
    state->dwVersion = kProjectVersion;
    state->hDataSource = 0;
    state->hTranslator = 0;
    std::memcpy(state->szProjectFile, keptPath, sizeof keptPath);
    std::memcpy(record + offsetof(AppState, Sheet), settings + settingsSize,
                kSheetBlock + kTextBlock);
    TerminateTexts(state);
    return ProjectDecode::Ok;
}
