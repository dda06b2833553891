#include "document/archive_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>
#include <unistd.h>

std::size_t ArchiveReader::Remaining() const
{
    if (m_descriptor < 0)
        return m_size - m_offset;
    if (!m_known)
        return std::numeric_limits<std::size_t>::max();
    const std::uint64_t read = m_dropped + m_offset;
    return read >= *m_known ? 0 : std::size_t(std::min<std::uint64_t>(*m_known - read, SIZE_MAX));
}

void ArchiveReader::Fill(std::size_t count)
{
    if (m_descriptor < 0 || m_size - m_offset >= count)
        return;
    m_buffer.erase(0, m_offset);
    m_dropped += m_offset;
    m_offset = 0;
    // Each read asks for what is missing plus as much again as was read so
    // far (at most 64 KiB ahead), so the first bytes are checked before more
    // is read, and a large file still takes few reads.
    const std::size_t ahead = std::size_t(std::min<std::uint64_t>(m_dropped + m_buffer.size(), 1 << 16));
    while (m_buffer.size() < count && !m_ended) {
        const std::size_t want = std::min<std::size_t>(count - m_buffer.size() + ahead, 1 << 20);
        const std::size_t had = m_buffer.size();
        m_buffer.resize(had + want);
        const ssize_t got = ::read(m_descriptor, m_buffer.data() + had, want);
        const int error = errno;
        m_buffer.resize(had + std::size_t(std::max<ssize_t>(got, 0)));
        if (got < 0 && error == EINTR)
            continue;
        if (got < 0)
            throw ArchiveError{ArchiveError::kReadFailed, error};
        m_ended = got == 0;
    }
    m_data = reinterpret_cast<const unsigned char*>(m_buffer.data());
    m_size = m_buffer.size();
}

bool ArchiveReader::Has(std::size_t count)
{
    Fill(count);
    return m_size - m_offset >= count;
}

const unsigned char* ArchiveReader::Take(std::size_t count)
{
    Fill(count);
    if (count > m_size - m_offset)
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
    // A stored name that fills all 32 bytes has no terminator: it is cut to
    // 31 characters, so no reader of the name runs past the field. A name
    // that has one keeps every byte, so the record writes back as it was.
    if (!std::memchr(font.faceName, 0, sizeof font.faceName))
        font.faceName[sizeof font.faceName - 1] = '\0';
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
