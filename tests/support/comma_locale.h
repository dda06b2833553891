#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

/// Switches LC_NUMERIC to a locale whose decimal point is a comma, building
/// one with localedef into a temporary folder when none is installed.
/// Returns false when no such locale can be had; callers restore "C".
inline bool UseDecimalCommaLocale()
{
    auto commaNow = [] {
        const std::lconv* conventions = std::localeconv();
        return conventions && conventions->decimal_point &&
               std::string(conventions->decimal_point) == ",";
    };
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) && commaNow())
            return true;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "corvid-locales";
    std::filesystem::create_directories(folder);
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() +
                                "' >/dev/null 2>&1";
    if (!std::filesystem::exists(folder / "de_DE.UTF-8") && std::system(command.c_str()) != 0)
        return false;
    ::setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && commaNow();
}
