#pragma once

#include <cstdint>
#include <cstring>
#include <string>

/// Builds link-protocol bytes for tests, field by field, independently of the
/// client libraries, so the reader and the clients are checked against each
/// other rather than against themselves.
class PipeStream {
public:
    PipeStream& Byte(int value)
    {
        m_bytes.push_back(char(std::uint8_t(value)));
        return *this;
    }
    PipeStream& Int(std::int32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            Byte(int((std::uint32_t(value) >> shift) & 0xFF));
        return *this;
    }
    PipeStream& Real(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return Int(std::int32_t(bits));
    }
    /// A text as the protocol sends it: length with the zero byte, bytes, zero.
    PipeStream& Text(const std::string& text)
    {
        Int(std::int32_t(text.size() + 1));
        m_bytes += text;
        return Byte(0);
    }
    PipeStream& Raw(const std::string& bytes)
    {
        m_bytes += bytes;
        return *this;
    }

    PipeStream& Version(int version = 4) { return Byte(20).Int(version); }
    PipeStream& NewSet(const std::string& name, bool dx = false, bool dy = false)
    {
        return Byte(1).Byte(dx ? 1 : 0).Byte(dy ? 1 : 0).Text(name);
    }
    PipeStream& Point(float x, float y) { return Byte(3).Real(x).Real(y); }
    PipeStream& Style(int code, std::int32_t value) { return Byte(code).Int(value); }
    PipeStream& EndOfData() { return Byte(4); }
    PipeStream& EndAndClose() { return Byte(25); }
    PipeStream& SaveDocument(const std::string& path) { return Byte(26).Text(path); }
    PipeStream& Export(int code, const std::string& path, int width, int height)
    {
        return Byte(code).Text(path).Int(width).Int(height);
    }

    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};
