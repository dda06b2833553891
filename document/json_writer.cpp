#include "document/json_writer.h"

#include <cmath>
#include <cstdio>

std::string JsonWriter::Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
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
