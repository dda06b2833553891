#pragma once

#include <cctype>
#include <cstddef>
#include <string>

/// A strict reader of JSON text (RFC 8259): one value, UTF-8 throughout, no
/// NaN or Infinity, no trailing commas, no leading zeros, no control
/// characters in strings. `Check` returns an empty string for valid text,
/// otherwise what is wrong and where.
class StrictJson {
public:
    static std::string Check(const std::string& text)
    {
        StrictJson reader(text);
        reader.Space();
        if (!reader.Value(0))
            return reader.m_error;
        reader.Space();
        if (reader.m_at != text.size()) {
            reader.Fail("text after the value");
            return reader.m_error;
        }
        return {};
    }

private:
    explicit StrictJson(const std::string& text) : m_text(text) {}

    bool Fail(const char* what)
    {
        if (m_error.empty())
            m_error = std::string(what) + " at byte " + std::to_string(m_at);
        return false;
    }
    bool AtEnd() const { return m_at >= m_text.size(); }
    unsigned char Peek() const { return AtEnd() ? 0 : static_cast<unsigned char>(m_text[m_at]); }
    void Space()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++m_at;
    }
    bool Literal(const char* word)
    {
        const std::string w(word);
        if (m_text.compare(m_at, w.size(), w) != 0)
            return Fail("unknown word");
        m_at += w.size();
        return true;
    }
    bool Value(int depth)
    {
        if (depth > 512)
            return Fail("nesting too deep");
        switch (Peek()) {
        case '{': return Object(depth);
        case '[': return Array(depth);
        case '"': return String();
        case 't': return Literal("true");
        case 'f': return Literal("false");
        case 'n': return Literal("null");
        default: return Number();
        }
    }
    bool Object(int depth)
    {
        ++m_at;
        Space();
        if (Peek() == '}')
            return ++m_at, true;
        for (;;) {
            Space();
            if (Peek() != '"' || !String())
                return Fail("object key expected");
            Space();
            if (Peek() != ':')
                return Fail("':' expected");
            ++m_at;
            Space();
            if (!Value(depth + 1))
                return false;
            Space();
            if (Peek() == ',') {
                ++m_at;
                continue;
            }
            if (Peek() == '}')
                return ++m_at, true;
            return Fail("',' or '}' expected");
        }
    }
    bool Array(int depth)
    {
        ++m_at;
        Space();
        if (Peek() == ']')
            return ++m_at, true;
        for (;;) {
            Space();
            if (!Value(depth + 1))
                return false;
            Space();
            if (Peek() == ',') {
                ++m_at;
                continue;
            }
            if (Peek() == ']')
                return ++m_at, true;
            return Fail("',' or ']' expected");
        }
    }
    static bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
    bool Number()
    {
        const std::size_t start = m_at;
        if (Peek() == '-')
            ++m_at;
        if (Peek() == '0') {
            ++m_at;
        } else if (IsDigit(Peek())) {
            while (IsDigit(Peek()))
                ++m_at;
        } else {
            return Fail("value expected");
        }
        if (Peek() == '.') {
            ++m_at;
            if (!IsDigit(Peek()))
                return Fail("digit expected after '.'");
            while (IsDigit(Peek()))
                ++m_at;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_at;
            if (Peek() == '+' || Peek() == '-')
                ++m_at;
            if (!IsDigit(Peek()))
                return Fail("digit expected in exponent");
            while (IsDigit(Peek()))
                ++m_at;
        }
        return m_at > start;
    }
    bool String()
    {
        ++m_at;
        while (!AtEnd()) {
            const unsigned char c = Peek();
            if (c == '"')
                return ++m_at, true;
            if (c < 0x20)
                return Fail("control character in a string");
            if (c == '\\') {
                ++m_at;
                const unsigned char e = Peek();
                if (e == 'u') {
                    if (m_at + 4 >= m_text.size())
                        return Fail("bad \\u escape");
                    for (int i = 1; i <= 4; ++i)
                        if (!std::isxdigit(static_cast<unsigned char>(m_text[m_at + i])))
                            return Fail("bad \\u escape");
                    m_at += 5;
                    continue;
                }
                if (!e || std::string("\"\\/bfnrt").find(char(e)) == std::string::npos)
                    return Fail("bad escape");
                ++m_at;
                continue;
            }
            if (c >= 0x80) {
                const std::size_t length = Utf8(m_at);
                if (!length)
                    return Fail("malformed UTF-8");
                m_at += length;
                continue;
            }
            ++m_at;
        }
        return Fail("unterminated string");
    }
    std::size_t Utf8(std::size_t at) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(m_text.data()) + at;
        const std::size_t left = m_text.size() - at;
        std::size_t length = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : 2;
        if (p[0] < 0xC2 || p[0] > 0xF4 || left < length)
            return 0;
        unsigned code = p[0] & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (std::size_t i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            return 0;
        return length;
    }

    const std::string& m_text;
    std::size_t m_at = 0;
    std::string m_error;
};
