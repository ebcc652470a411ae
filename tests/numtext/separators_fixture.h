#pragma once

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "numtext/numtext.h"

// The separators are process-wide: every test starts from '.' and ',' and leaves them so.
class NumberTextTest : public ::testing::Test {
protected:
    void SetUp() override { SetLocaleSeparators('.', ','); }
    void TearDown() override { SetLocaleSeparators('.', ','); }
};

// An 80-bit value built from its stored fields, for the encodings no arithmetic produces.
inline Extended ExtendedFromFields(std::uint16_t signAndExponent, std::uint64_t significand) {
    unsigned char bytes[sizeof(Extended)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &signAndExponent, 2);
    Extended value;
    std::memcpy(&value, bytes, sizeof(Extended));
    return value;
}
