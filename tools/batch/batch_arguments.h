#pragma once

#include <map>
#include <string>
#include <vector>

/// One option of a corvid-batch command: its name as typed ("-o", "--size")
/// and whether the next argument (or the text after "=") is its value.
struct OptionSpec {
    const char* name;
    bool takesValue;
};

/// A command's arguments split into its own options and the positional rest.
struct BatchArguments {
    std::map<std::string, std::string> values; ///< option name -> value ("" for a flag)
    std::vector<std::string> positional;       ///< everything else, in order
    std::string error;                         ///< why the arguments are malformed, or empty

    bool Has(const std::string& name) const { return values.count(name) != 0; }
    /// The option's value, or `fallback` when it was not given.
    std::string Value(const std::string& name, const std::string& fallback = "") const;
};

/// Splits `args` as common command-line tools do: the command's options may
/// stand anywhere, before or after the positional arguments; "--name=value"
/// is the same as "--name value"; a later option replaces an earlier one;
/// "--" ends the options. Only a "-" or "--" followed by a letter can be an
/// option, so "-5", "--3" and "-(x)" are always positional. An argument that
/// starts with "--" and a letter and is no option of the command is an
/// error; one with a single "-" that is no option (a page flag such as "-xy",
/// or an expression such as "-x^2") is positional. "--help" and "-h" are
/// always known flags.
BatchArguments SplitArguments(const std::vector<std::string>& args,
                              const std::vector<OptionSpec>& options);

/// Reads "WIDTHxHEIGHT" with each side 1 to 20000; false when malformed.
bool ParseImageSize(const std::string& text, int& width, int& height);

/// Reads a comma-separated list of set numbers ("0,2"); false when malformed.
bool ParseSetList(const std::string& text, std::vector<int>& sets);
