#pragma once

#include <cstdint>
#include <cstring>

/// A font request kept exactly as the 60-byte record the document file stores:
/// height (negative = character height in logical units), width, escapement and
/// orientation in tenths of a degree, weight, style bytes and a 32-byte face name.
struct LogFont {
    std::int32_t height = -14;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 1; // default character set
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    char faceName[32] = "Times New Roman";

    /// Stores `face`, cut to 31 bytes so the name stays terminated.
    void SetFaceName(const char* face)
    {
        std::memset(faceName, 0, sizeof faceName);
        std::strncpy(faceName, face, sizeof faceName - 1);
    }
    bool operator==(const LogFont& other) const
    {
        return std::memcmp(this, &other, sizeof(LogFont)) == 0;
    }
};

static_assert(sizeof(LogFont) == 60, "LogFont must match the stored 60-byte record");
