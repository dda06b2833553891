#pragma once

#include <cstdint>
#include <string>

/// A small JSON text builder: objects, arrays, strings, integers and floats.
/// Floats are written with nine significant digits so each reads back to the
/// same 4-byte value; values that are not finite become the strings "NaN",
/// "Infinity" and "-Infinity".
class JsonWriter {
public:
    void BeginObject(const char* key = nullptr);
    void EndObject();
    void BeginArray(const char* key = nullptr);
    void EndArray();
    void Int(const char* key, long long value);
    void Float(const char* key, float value);
    void String(const char* key, const std::string& value);
    /// An array element without a key.
    void FloatElement(float value) { Float(nullptr, value); }

    const std::string& Text() const { return m_text; }

    /// `text` as a quoted JSON string; bytes that are not well-formed UTF-8
    /// are written as U+FFFD.
    static std::string Quote(const std::string& text);

private:
    void Key(const char* key);

    std::string m_text;
    bool m_needComma = false;
};
