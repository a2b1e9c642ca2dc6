// What the label benchmarks share: the translator engine in place of
// tactr32.dll, a made-up list of names and addresses and the demo's design.
#pragma once
#include <cstdint>
#include <string>

#include "app_state.h"

// Hooks the CSV reader and the portable translator into composition and
// into the record's release, as the program does at start-up with
// tactr32.dll. Tables and exception lists are read from `tablesFolder`, laid
// out as the tables folder is. Call before composing.
void InstallBenchServices(const std::string& tablesFolder);

// One label for embossing with those services: what the Emboss page's
// worker hands the placement code.
int ComposeBenchLabel(char* buffer, int32_t record, AppState* state);

// Writes `rows` records of name; street; postcode; town, separated by
// semicolons as the demo list is. Every row differs, so no label is a copy of
// the one before. 1, or 0 when the file cannot be written.
int WriteAddressList(const std::string& path, int32_t rows);

// A temporary file name of this process that nothing else uses.
std::string BenchTempPath(const char* name);

// The demo project's design: A4 sheets of 3 x 8 labels of 70 x 37 mm, three
// lines of UEB grade 2 from the list at `csvPath`. The fields are scanned;
// release the record with ReleaseAppState.
void DescribeAddressJob(AppState* state, const std::string& csvPath);
