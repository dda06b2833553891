#pragma once

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

/// Switches LC_NUMERIC to a locale whose decimal point is a comma, building
/// one with localedef into a temporary folder when none is installed.
/// Returns false when no such locale can be had; callers restore "C".
///
/// Test programs run in parallel, so the locale is built in a folder of its
/// own and renamed into place: a reader sees either no locale or a whole one.
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
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::temp_directory_path() / "corvid-locales";
    const fs::path target = folder / "de_DE.UTF-8";
    fs::create_directories(folder, error);
    if (!fs::exists(target / "LC_NUMERIC")) {
        std::string scratch = (folder / "build.XXXXXX").string();
        if (!::mkdtemp(scratch.data()))
            return false;
        const fs::path built = fs::path(scratch) / "de_DE.UTF-8";
        const std::string command = "localedef -i de_DE -f UTF-8 '" + built.string() + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        // localedef reports warnings with status 1 yet writes a usable locale.
        if ((status == 0 || fs::exists(built / "LC_NUMERIC")) && std::rename(built.c_str(), target.c_str()) != 0 &&
            errno != EEXIST && errno != ENOTEMPTY) {
            fs::remove_all(scratch, error);
            return false;
        }
        fs::remove_all(scratch, error);
        if (!fs::exists(target / "LC_NUMERIC"))
            return false;
    }
    ::setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && commaNow();
}
