#pragma once

// Reading the fuzzer's bytes as the arguments of a number-text call: 80-bit values are built
// from ten raw bytes, so denormals, NaNs with payloads, pseudo-denormals and unnormals all occur.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "numtext/numtext.h"

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    Extended extended() {
        unsigned char bytes[sizeof(Extended)] = {};
        take(bytes, 10);
        Extended value;
        std::memcpy(&value, bytes, sizeof(Extended));
        return value;
    }

    int integer() {
        std::int32_t value = 0;
        take(&value, sizeof value);
        return value;
    }

    // A small integer in -8 .. 247 most of the time, the odd extreme otherwise.
    int smallInteger() {
        std::uint8_t byte = 0;
        take(&byte, 1);
        if (byte == 0xFF) {
            return integer();
        }
        return static_cast<int>(byte) - 8;
    }

    char byte() {
        char c = 0;
        take(&c, 1);
        return c;
    }

    // What is left, as text without a terminating NUL.
    std::string_view rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

private:
    void take(void* out, std::size_t count) {
        const std::size_t n = count < size_ ? count : size_;
        if (n > 0) {
            std::memcpy(out, data_, n);
        }
        data_ += n;
        size_ -= n;
    }

    const std::uint8_t* data_;
    std::size_t size_;
};
