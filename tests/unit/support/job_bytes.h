#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Builds embosser job bytes piece by piece: jobs for the decoder, and the
// bytes a job writer must give.
struct JobBytes {
    std::vector<uint8_t> b;

    JobBytes& Raw(std::initializer_list<int> values) {
        for (int v : values)
            b.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    JobBytes& Raw(const std::vector<uint8_t>& bytes) {
        b.insert(b.end(), bytes.begin(), bytes.end());
        return *this;
    }
    JobBytes& Text(const std::string& text) {
        b.insert(b.end(), text.begin(), text.end());
        return *this;
    }
    JobBytes& Header(const std::string& fields = "PW8000,PL12000,MI1,DP1,FP0;") {
        return Raw({0x1B, 0x57}).Text(fields).Raw({0x1B, 0x09});
    }
    JobBytes& Spacing(int rows) { return Raw({0x1B, 0x0B, 0x04, 0x05, 0x00, 5 * rows}); }
    // Line spacing, a graphics row and its line feed.
    JobBytes& Row(int rows, const std::vector<uint8_t>& bytes) {
        Spacing(rows).Raw({0x1B, 0x5C, static_cast<int>(bytes.size()), 0x00}).Raw(bytes);
        return Raw({0x0A});
    }
    JobBytes& Row(int rows, std::initializer_list<int> bytes) {
        std::vector<uint8_t> row;
        for (int v : bytes)
            row.push_back(static_cast<uint8_t>(v));
        return Row(rows, row);
    }
    JobBytes& Step(int rows) { return Spacing(rows).Raw({0x0A}); }
    JobBytes& FormFeed() { return Raw({0x0C}); }
    JobBytes& End() { return Raw({0x1B, 0x0A, 0x1A}); }
    size_t size() const { return b.size(); }
};
