#include "document/archive_reader.h"

#include <bit>
#include <cstring>

const unsigned char* ArchiveReader::Take(std::size_t count)
{
    if (count > Remaining())
        throw ArchiveError{ArchiveError::kEndOfFile};
    const unsigned char* at = m_data + m_offset;
    m_offset += count;
    return at;
}

std::int32_t ArchiveReader::Int32()
{
    return std::int32_t(LoadLittle32(Take(4)));
}

float ArchiveReader::Float()
{
    return std::bit_cast<float>(LoadLittle32(Take(4)));
}

LogFont ArchiveReader::Font()
{
    LogFont font;
    font.height = Int32();
    font.width = Int32();
    font.escapement = Int32();
    font.orientation = Int32();
    font.weight = Int32();
    const unsigned char* styles = Take(8);
    font.italic = styles[0];
    font.underline = styles[1];
    font.strikeOut = styles[2];
    font.charSet = styles[3];
    font.outPrecision = styles[4];
    font.clipPrecision = styles[5];
    font.quality = styles[6];
    font.pitchAndFamily = styles[7];
    std::memcpy(font.faceName, Take(sizeof font.faceName), sizeof font.faceName);
    return font;
}

std::size_t ArchiveReader::ReadLength(bool& wide)
{
    const unsigned char first = *Take(1);
    if (first < 0xFF)
        return first;
    const unsigned char* word = Take(2);
    const unsigned mid = unsigned(word[0]) | unsigned(word[1]) << 8;
    if (mid == 0xFFFE) {
        // The UTF-16 marker; the length in units follows in the usual form,
        // and a second marker is not a length at all.
        if (wide)
            throw ArchiveError{ArchiveError::kBadIndex};
        wide = true;
        return ReadLength(wide);
    }
    if (mid < 0xFFFF)
        return mid;
    const std::uint32_t full = LoadLittle32(Take(4));
    if (full == 0xFFFFFFFFu) // would announce a 64-bit length, which no page can fill
        throw ArchiveError{ArchiveError::kEndOfFile};
    return full;
}

std::string ArchiveReader::String()
{
    bool wide = false;
    const std::size_t length = ReadLength(wide);
    if (wide) {
        if (length > Remaining() / 2)
            throw ArchiveError{ArchiveError::kEndOfFile};
        return Utf16ToUtf8(Take(length * 2), length);
    }
    const unsigned char* text = Take(length);
    return std::string(reinterpret_cast<const char*>(text), length);
}

int ArchiveReader::Count(std::size_t recordBytes)
{
    const std::int32_t count = Int32();
    if (count < 0)
        throw ArchiveError{ArchiveError::kBadIndex};
    if (recordBytes > 0 && std::size_t(count) > Remaining() / recordBytes)
        throw ArchiveError{ArchiveError::kEndOfFile};
    return count;
}

static void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3F));
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

std::string Utf16ToUtf8(const unsigned char* in, std::size_t count)
{
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t unit = unsigned(in[2 * i]) | unsigned(in[2 * i + 1]) << 8;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
            const std::uint32_t low = unsigned(in[2 * i + 2]) | unsigned(in[2 * i + 3]) << 8;
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000)
            unit = 0xFFFD;
        AppendUtf8(out, unit);
    }
    return out;
}
