#pragma once
// Reading back what a test or the program wrote: a whole file, or everything
// written so far to a temporary stream.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

/// The whole file at `path`, byte for byte; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

/// Everything written to `file` (a stream such as std::tmpfile()), read from
/// its start; the stream is left at its end.
inline std::string ReadAll(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, n);
    return text;
}
