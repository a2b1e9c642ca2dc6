#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds embosser job files piece by piece for the decoder tests.
struct JobBytes {
    std::vector<uint8_t> b;

    JobBytes& Raw(std::initializer_list<int> values) {
        for (int v : values)
            b.push_back(static_cast<uint8_t>(v));
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
    JobBytes& Row(int rows, std::initializer_list<int> bytes) {
        Spacing(rows).Raw({0x1B, 0x5C, static_cast<int>(bytes.size()), 0x00}).Raw(bytes);
        return Raw({0x0A});
    }
    JobBytes& Step(int rows) { return Spacing(rows).Raw({0x0A}); }
    JobBytes& FormFeed() { return Raw({0x0C}); }
    JobBytes& End() { return Raw({0x1B, 0x0A, 0x1A}); }
    size_t size() const { return b.size(); }
};
