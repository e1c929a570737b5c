// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstring>

// A record word read as the float or the signed integer it holds, and back.
// The bits are copied, never converted, so NaN payloads, negative zero and
// every other pattern pass unchanged.
namespace vosk {

inline std::uint32_t BitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float FloatOf(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline std::uint32_t BitsOf(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

inline std::int32_t IntOf(std::uint32_t bits) {
    std::int32_t value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace vosk
