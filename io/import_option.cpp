#include "io/import_option.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace {

// Case-insensitive search for `needle` in `text`; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view needle)
{
    if (needle.size() > text.size())
        return std::string_view::npos;
    for (std::size_t i = 0; i + needle.size() <= text.size(); ++i)
        if (strncasecmp(text.data() + i, needle.data(), needle.size()) == 0)
            return i;
    return std::string_view::npos;
}

// Whether `text` begins with `prefix`, ignoring case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' ||
                               text[i] == '\n'))
        ++i;
    return text.substr(i);
}

// Finds the first word of `words` that `text` begins with; -1 when none does.
int MatchWord(std::string_view text, std::initializer_list<std::pair<const char*, int>> words)
{
    for (const auto& [word, value] : words)
        if (StartsWithNoCase(text, word))
            return value;
    return -1;
}

int AtoiOf(std::string_view text)
{
    return std::atoi(std::string(text).c_str());
}

// A colour word or "custom R G B"; returns the colour code or `error`/-11.
int ParseColor(std::string_view value, int error, int& code)
{
    code = MatchWord(value, {{"black", 0}, {"white", 1}, {"red", 2}, {"green", 3}, {"blue", 4},
                             {"cyan", 5}, {"grey", 6}, {"none", 7}});
    if (code >= 0)
        return 1;
    if (!StartsWithNoCase(value, "custom"))
        return error;
    int red = -1, green = -1, blue = -1;
    const std::string rest(value.substr(6));
    if (std::sscanf(rest.c_str(), "%d %d %d", &red, &green, &blue) != 3 || red < 0 || red > 255 ||
        green < 0 || green > 255 || blue < 0 || blue > 255)
        return -11;
    code = -(red + 256 * green + 65536 * blue);
    return 1;
}

int ParseSize(std::string_view value, int error, int& size)
{
    if (value.empty())
        return error;
    size = AtoiOf(value);
    return size >= 1 && size <= 10 ? 1 : error;
}

int ParseSetKeyword(std::string_view text, ImportOption& option)
{
    struct Keyword {
        const char* name;
        int error;
    };
    static const Keyword keywords[] = {
        {".point.style", -4}, {".point.color", -8}, {".point.size", -7},      {".line.size", -6},
        {".line.style", -5},  {".line.color", -9},  {".errorbar.display", -10}, {".info", 0},
    };
    for (const Keyword& keyword : keywords) {
        if (!StartsWithNoCase(text, keyword.name))
            continue;
        const std::string_view name = keyword.name;
        const std::string_view value = SkipBlanks(text.substr(name.size()));
        if (name == ".info") {
            option.m_infoText = std::string(value);
            option.m_infoGiven = 1;
            return 1;
        }
        if (value.empty())
            return keyword.error;
        if (name == ".point.style") {
            option.m_pointStyle =
                MatchWord(value, {{"circle", 0}, {"square", 1}, {"triangle", 2}, {"dot", 3},
                                  {"histogramx", 4}, {"histogramy", 5}, {"vector", 6}, {"none", 7}});
            return option.m_pointStyle >= 0 ? 1 : -4;
        }
        if (name == ".point.color")
            return ParseColor(value, -8, option.m_pointColor);
        if (name == ".point.size")
            return ParseSize(value, -7, option.m_pointSize);
        if (name == ".line.size")
            return ParseSize(value, -6, option.m_lineSize);
        if (name == ".line.style") {
            // An unknown style word is passed over without a message.
            option.m_lineStyle = MatchWord(value, {{"solid", 0}, {"dotted", 1}, {"dashed", 2},
                                                   {"dashdotdot", 4}, {"dashdot", 3}, {"none", 5}});
            return 1;
        }
        if (name == ".line.color")
            return ParseColor(value, -9, option.m_lineColor);
        option.m_errorBarDisplay = MatchWord(
            value, {{"top", 0}, {"left", 0}, {"bottom", 1}, {"right", 1}, {"none", 3}});
        return option.m_errorBarDisplay >= 0 ? 1 : -10;
    }
    return -2;
}

int ParseGraphOption(std::string_view text, ImportOption& option)
{
    if (text.empty())
        return -2;
    std::string* target = nullptr;
    std::size_t skip = 0;
    if (StartsWithNoCase(text, "title")) {
        target = &option.m_graphTitle;
        skip = 5;
    } else if (StartsWithNoCase(text, "xaxis.")) {
        if (!StartsWithNoCase(text.substr(6), "title"))
            return -13;
        target = &option.m_xAxisTitle;
        skip = 11;
    } else if (StartsWithNoCase(text, "yaxis.")) {
        if (!StartsWithNoCase(text.substr(6), "title"))
            return -14;
        target = &option.m_yAxisTitle;
        skip = 11;
    } else {
        return -12;
    }
    std::string_view rest = text.substr(skip);
    std::size_t i = 0;
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
        ++i;
    *target = std::string(rest.substr(i));
    return 1;
}

} // namespace

int ParseImportOption(std::string_view text, ImportOption& option)
{
    const std::size_t at = text.find('@');
    if (at == std::string_view::npos)
        return 0;
    const std::string_view options = text.substr(at);
    const std::size_t set = FindNoCase(options, "set[");
    if (set != std::string_view::npos) {
        const std::string_view rest = options.substr(set + 4);
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos)
            return -2;
        if (close == 0)
            return -3;
        const int index = AtoiOf(rest.substr(0, close));
        if (index < 0)
            return -3;
        option.m_setIndex = index;
        return ParseSetKeyword(rest.substr(close + 1), option);
    }
    const std::size_t graph = FindNoCase(options, "graph.");
    if (graph == std::string_view::npos)
        return -2;
    return ParseGraphOption(options.substr(graph + 6), option);
}

const char* OptionMessage(int result)
{
    switch (result) {
    case -2: return "Malformed option in import file!";
    case -3: return "Error reading set index from import file!";
    case -4: return "Bad point style in import file!";
    case -5: return "Bad line style in import file!";
    case -6: return "Bad line size in import file!";
    case -7: return "Bad point size in import file!";
    case -8: return "Bad point color in import file!";
    case -9: return "Bad line color in import file!";
    case -10: return "Bad error bar option in import file!";
    case -11: return "Bad custom color in import file!";
    case -12: return "Bad graph option in import file!";
    case -13: return "Bad xaxis title in import file!";
    case -14: return "Bad yaxis title in import file!";
    default: return nullptr;
    }
}
