#pragma once
#include <gtest/gtest.h>

#include <string>

#include "embview_decode.h"
#include "win_test_support.h"

// Waits until a whole job (its last byte the 0x1A that ends it) has reached
// the port file of a virtual embosser queue, then decodes it strictly. The
// job's bytes go to `bytes` when it is given.
inline ::testing::AssertionResult ReadEmbossedJob(const std::string& portFile, EmbJob* job,
                                                  std::string* jobBytes = nullptr) {
    std::string bytes;
    PumpUntil(
        [&] {
            bytes = ReadFileBytes(portFile);
            return !bytes.empty() && bytes.back() == 0x1A;
        },
        20000);
    if (jobBytes)
        *jobBytes = bytes;
    DecodeError error;
    if (!DecodeJob(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), job, &error))
        return ::testing::AssertionFailure()
               << portFile << " at " << error.nOffset << ": " << error.message;
    return ::testing::AssertionSuccess();
}
