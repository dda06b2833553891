#include "document/json_writer.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

// The length of the well-formed UTF-8 sequence at `p` (of `left` bytes), or 0
// when it is not one: a stray continuation byte, a truncated sequence, an
// overlong form, a surrogate or a value beyond U+10FFFF.
static std::size_t Utf8Length(const unsigned char* p, std::size_t left)
{
    const unsigned char c = p[0];
    std::size_t length = 0;
    unsigned code = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
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

std::string JsonWriter::Quote(const std::string& text)
{
    std::string quoted = "\"";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = bytes[i];
        if (c >= 0x80) {
            // Names come from files of any encoding; bytes that are not UTF-8
            // become U+FFFD so that every JSON reader takes the text.
            const std::size_t length = Utf8Length(bytes + i, text.size() - i);
            if (length == 0) {
                quoted += "\\ufffd";
                continue;
            }
            quoted.append(text, i, length);
            i += length - 1;
            continue;
        }
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                quoted += escaped;
            } else {
                quoted += char(c);
            }
        }
    }
    return quoted + "\"";
}

void JsonWriter::Key(const char* key)
{
    if (m_needComma)
        m_text += ',';
    if (key) {
        m_text += Quote(key);
        m_text += ':';
    }
    m_needComma = true;
}

void JsonWriter::BeginObject(const char* key)
{
    Key(key);
    m_text += '{';
    m_needComma = false;
}

void JsonWriter::EndObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::BeginArray(const char* key)
{
    Key(key);
    m_text += '[';
    m_needComma = false;
}

void JsonWriter::EndArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::Int(const char* key, long long value)
{
    Key(key);
    m_text += std::to_string(value);
}

void JsonWriter::Float(const char* key, float value)
{
    Key(key);
    if (std::isnan(value)) {
        m_text += "\"NaN\"";
        return;
    }
    if (std::isinf(value)) {
        m_text += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
        return;
    }
    char number[32];
    std::snprintf(number, sizeof number, "%.9g", double(value));
    m_text += number;
}

void JsonWriter::String(const char* key, const std::string& value)
{
    Key(key);
    m_text += Quote(value);
}
