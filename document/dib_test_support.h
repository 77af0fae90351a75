#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace ovilan::testing {

// A strict decoder of the runs our encoder may write: encoded runs, absolute runs of 3 or more
// padded to 16 bits, end of line, end of bitmap; anything else fails the test.
inline std::vector<std::vector<std::uint8_t>> decodeRle4(const std::vector<std::uint8_t>& data)
{
    std::vector<std::vector<std::uint8_t>> rows(1);
    std::size_t i = 0;
    while (i + 1 < data.size()) {
        const std::uint8_t count = data[i];
        const std::uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                rows.back().push_back(k % 2 == 0 ? value >> 4 : value & 15);
        } else if (value == 0) {
            rows.emplace_back();
        } else if (value == 1) {
            rows.pop_back();
            EXPECT_EQ(i, data.size());
            return rows;
        } else {
            EXPECT_GE(value, 3);
            const std::size_t bytes = (value + 1) / 2;
            for (int k = 0; k < value; ++k)
                rows.back().push_back(k % 2 == 0 ? data[i + k / 2] >> 4 : data[i + k / 2] & 15);
            i += bytes + bytes % 2;
        }
    }
    ADD_FAILURE() << "no end of bitmap";
    return rows;
}

// The rows of a run-length encoded DIB, bottom row first.
inline std::vector<std::vector<std::uint8_t>> decodeRle4Dib(const std::vector<std::uint8_t>& dib)
{
    return decodeRle4(std::vector<std::uint8_t>(dib.begin() + 104, dib.end()));
}

} // namespace ovilan::testing
