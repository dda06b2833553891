#include "io/integer_field.h"

#include <algorithm>
#include <cctype>
#include <climits>

bool ReadIntegerText(const std::string& text, long long& value)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        number = std::min(number * 10 + (text[i] - '0'), 1LL << 40);
    const bool any = i > digits;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (!any || i != text.size())
        return false;
    value = negative ? -number : number;
    return true;
}

bool ReadIntegerField(const std::string& text, int& value, std::string& message)
{
    long long number = 0;
    if (!ReadIntegerText(text, number) || number > INT_MAX || number < INT_MIN) {
        message = "Please enter an integer.";
        return false;
    }
    value = int(number);
    return true;
}
