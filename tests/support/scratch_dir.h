#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

/// A directory of its own under the temporary folder, removed with everything
/// in it when the object goes; tests running in parallel never share one.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& stem = "corvid-test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (stem + ".XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    /// The path of `name` inside the directory.
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

    /// Writes `text` as the file `name` (binary, as given); returns its path.
    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::string path = *this / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

private:
    std::filesystem::path m_path;
};
