#pragma once
#include <cstddef>
#include <cstdint>

#include "app_state.h"

// Project files: an 8-byte header (signature, version) and the record's
// persistent bytes. Version 2 is written; version 1, with a shorter settings
// block, is still read.
constexpr size_t kProjectHeaderSize = 8;
constexpr size_t kSettingsBlockV2 = 552;
constexpr size_t kSettingsBlockV1 = 548;
constexpr size_t kSheetBlock = sizeof(SheetFormat);
constexpr size_t kTextBlock = 4096 + 512 + 512 + 260;
constexpr size_t kProjectFileSizeV2 =
    kProjectHeaderSize + kSettingsBlockV2 + kSheetBlock + kTextBlock;
constexpr size_t kProjectFileSizeV1 =
    kProjectHeaderSize + kSettingsBlockV1 + kSheetBlock + kTextBlock;

static_assert(kProjectFileSizeV2 == 6072);
static_assert(kProjectFileSizeV1 == 6068);
static_assert(kSettingsBlockV2 == offsetof(AppState, Sheet) - offsetof(AppState, szProjectFile));
static_assert(kTextBlock == kProjectBodyEnd - offsetof(AppState, szLabelText));

enum class ProjectDecode {
    Ok,
    NotAProject, // wrong signature, unknown version, or too short
};

// Writes the version-2 bytes of `state` (handles as 0) into `out`.
void EncodeProject(const AppState& state, uint8_t (&out)[kProjectFileSizeV2]);

// Reads a project's bytes into `state`. The record is touched only when the
// whole file is good; its path is kept, the stored one is never used. Every
// text read ends within its array, cut by one character if need be.
ProjectDecode DecodeProject(const uint8_t* data, size_t size, AppState* state);
