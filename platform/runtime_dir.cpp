#include "platform/runtime_dir.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

void EnsureRuntimeDirectory()
{
    if (const char* existing = std::getenv("XDG_RUNTIME_DIR"); existing && *existing)
        return;
    const std::string path = "/tmp/runtime-corvid-" + std::to_string(::getuid());
    ::mkdir(path.c_str(), 0700);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && info.st_uid == ::getuid() &&
        (info.st_mode & 0777) == 0700)
        ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
}
