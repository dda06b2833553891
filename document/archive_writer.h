#pragma once

#include "model/colors.h"
#include "model/log_font.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// Builds the bytes of a document file: little-endian numbers without padding,
/// the 60-byte font record and length-prefixed 8-bit strings, appended to one
/// growing buffer.
class ArchiveWriter {
public:
    void Int32(std::int32_t value);
    void Float(float value);
    void ColorValue(Color value) { Int32(std::int32_t(value)); }
    /// The font record: five int32, eight bytes, the 32-byte face name.
    void Font(const LogFont& font);
    /// The length (one byte below 255; 0xFF and 16 bits below 65534; else 0xFF,
    /// 0xFFFF and 32 bits) and then the bytes of `text`, no terminator.
    void String(std::string_view text);
    /// Room for `count` bytes at the end, to be filled by the caller at once.
    unsigned char* Extend(std::size_t count);

    const std::string& Bytes() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }

private:
    void Raw(const void* data, std::size_t size) { m_bytes.append(static_cast<const char*>(data), size); }

    std::string m_bytes;
};

/// Stores `value` little-endian at `out` (4 bytes).
inline void StoreLittle32(unsigned char* out, std::uint32_t value)
{
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
    out[2] = static_cast<unsigned char>(value >> 16);
    out[3] = static_cast<unsigned char>(value >> 24);
}
