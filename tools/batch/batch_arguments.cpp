#include "tools/batch/batch_arguments.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <climits>

std::string BatchArguments::Value(const std::string& name, const std::string& fallback) const
{
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
}

static const OptionSpec* FindOption(const std::vector<OptionSpec>& options, const std::string& name)
{
    static const OptionSpec help[] = {{"--help", false}, {"-h", false}};
    for (const OptionSpec& option : help)
        if (name == option.name)
            return &option;
    for (const OptionSpec& option : options)
        if (name == option.name)
            return &option;
    return nullptr;
}

BatchArguments SplitArguments(const std::vector<std::string>& args,
                              const std::vector<OptionSpec>& options)
{
    BatchArguments result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Options are words: "-o", "--size". "-5", "--3" and "-(x)" are values.
        const bool optionLike = arg.size() >= 2 && arg[0] == '-' &&
                                (std::isalpha(static_cast<unsigned char>(arg[1])) ||
                                 (arg[1] == '-' && (arg.size() == 2 || std::isalpha(static_cast<unsigned char>(arg[2])))));
        if (optionsEnded || !optionLike) {
            result.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::string inlineValue;
        bool hasInlineValue = false;
        const std::size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
            hasInlineValue = true;
        }
        const OptionSpec* option = FindOption(options, name);
        if (!option) {
            if (arg.compare(0, 2, "--") == 0) {
                result.error = "unknown option '" + name + "'";
                return result;
            }
            result.positional.push_back(arg);
            continue;
        }
        if (!option->takesValue) {
            if (hasInlineValue) {
                result.error = "option '" + name + "' takes no value";
                return result;
            }
            result.values[name] = "";
            continue;
        }
        if (!hasInlineValue) {
            if (i + 1 >= args.size()) {
                result.error = "option '" + name + "' needs a value";
                return result;
            }
            inlineValue = args[++i];
        }
        result.values[name] = inlineValue;
    }
    return result;
}

bool ParseImageSize(const std::string& text, int& width, int& height)
{
    int w = 0, h = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &end) != 2 || w < 1 || h < 1 || w > 20000 ||
        h > 20000)
        return false;
    width = w;
    height = h;
    return true;
}

bool ParseSetList(const std::string& text, std::vector<int>& sets)
{
    sets.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.empty() || item.find_first_not_of("0123456789") != std::string::npos || item.size() > 9)
            return false;
        sets.push_back(std::atoi(item.c_str()));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return !sets.empty();
}
