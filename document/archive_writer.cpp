#include "document/archive_writer.h"

#include <algorithm>
#include <bit>

void ArchiveWriter::Int32(std::int32_t value)
{
    StoreLittle32(Extend(4), std::uint32_t(value));
}

void ArchiveWriter::Float(float value)
{
    StoreLittle32(Extend(4), std::bit_cast<std::uint32_t>(value));
}

void ArchiveWriter::Font(const LogFont& font)
{
    Int32(font.height);
    Int32(font.width);
    Int32(font.escapement);
    Int32(font.orientation);
    Int32(font.weight);
    const unsigned char styles[8] = {font.italic,       font.underline,     font.strikeOut,
                                     font.charSet,      font.outPrecision,  font.clipPrecision,
                                     font.quality,      font.pitchAndFamily};
    Raw(styles, sizeof styles);
    Raw(font.faceName, sizeof font.faceName);
}

void ArchiveWriter::String(std::string_view text)
{
    const std::size_t length = text.size();
    if (length < 0xFF) {
        *Extend(1) = static_cast<unsigned char>(length);
    } else if (length < 0xFFFE) {
        unsigned char* out = Extend(3);
        out[0] = 0xFF;
        out[1] = static_cast<unsigned char>(length);
        out[2] = static_cast<unsigned char>(length >> 8);
    } else {
        unsigned char* out = Extend(7);
        out[0] = 0xFF;
        out[1] = 0xFF;
        out[2] = 0xFF;
        StoreLittle32(out + 3, std::uint32_t(length));
    }
    Raw(text.data(), length);
}

unsigned char* ArchiveWriter::Extend(std::size_t count)
{
    const std::size_t at = m_bytes.size();
    if (m_bytes.capacity() < at + count)
        m_bytes.reserve(std::max(at + count, m_bytes.capacity() * 2));
    m_bytes.resize(at + count);
    return reinterpret_cast<unsigned char*>(m_bytes.data() + at);
}
