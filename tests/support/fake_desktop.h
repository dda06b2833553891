#pragma once

#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

/// Writes an executable shell script at `path`.
inline void WriteScript(const std::string& path, const std::string& text)
{
    std::ofstream(path) << "#!/bin/sh\n" << text;
    ::chmod(path.c_str(), 0755);
}

/// A desktop of the test's own inside `dir`: a fake xdg-mime on PATH that
/// names `entry` as the default application for audio/x-wav (or, without
/// `withXdgMime`, no xdg-mime at all), and desktop files looked up under
/// dir/data/applications only. Everything is put back when it goes.
class FakeDesktop {
public:
    FakeDesktop(const ScratchDir& dir, const std::string& entry, bool withXdgMime = true)
        : m_path(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        const std::string bin = dir / "bin";
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(dir / "data/applications");
        if (withXdgMime)
            WriteScript(bin + "/xdg-mime",
                        "[ \"$1 $2 $3\" = \"query default audio/x-wav\" ] && echo '" + entry + "'\nexit 0\n");
        ::setenv("PATH", withXdgMime ? (bin + ":" + m_path).c_str() : bin.c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir / "nothing").c_str(), 1);
    }
    ~FakeDesktop()
    {
        ::setenv("PATH", m_path.c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_DATA_DIRS");
    }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

private:
    std::string m_path;
};
