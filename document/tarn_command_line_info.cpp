#include "document/tarn_command_line_info.h"

#include "model/error.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

bool awaitingFiles = false;

static constexpr const char* kSource = "CommandLine";
static constexpr const char* kNoFileName = "A filename was not found on the command line";

// Matches `name` against `pattern`, in which only "*" (any run of characters)
// and "?" (any one character) are special, as in the file search of the
// platform the command line comes from; brackets and backslashes are plain
// characters. Greedy with one backtracking point, so the cost stays at most
// the product of the two lengths.
static bool WildcardMatch(const std::string& pattern, const std::string& name)
{
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

void TarnCommandLineInfo::ClearFormatFlags()
{
    xy = nxy = xydx = xydy = xydxdy = wav = 0;
}

void TarnCommandLineInfo::ParseParam(const std::string& param, bool isFlag, bool isLast)
{
    if (isFlag) {
        if (awaitingFiles) {
            ClearFormatFlags();
            throw IO_Error(kNoFileName, kSource, __LINE__);
        }
        int* formatFlags[] = {&xy, &nxy, &xydx, &xydy, &xydxdy, &wav};
        const char* formatNames[] = {"xy", "nxy", "xydx", "xydy", "xydxdy", "wav"};
        for (int i = 0; i < 6; ++i) {
            if (param != formatNames[i])
                continue;
            if (isLast) {
                *formatFlags[i] = 0;
                throw IO_Error(kNoFileName, kSource, __LINE__);
            }
            *formatFlags[i] = 1;
            awaitingFiles = true;
            return;
        }
        if (param == "pipe") {
            if (isLast) {
                pipe = 0;
                throw IO_Error("A pipe address was not found on the command line", kSource,
                               __LINE__);
            }
            pipe = 1;
            return;
        }
        if (param == "?" || param == "help") {
            help = 1;
            return;
        }
        if (param == "logx") {
            logx = 1;
            return;
        }
        if (param == "logy") {
            logy = 1;
            return;
        }
        if (param == "logxy") {
            logx = logy = 1;
            return;
        }
        throw IO_Error("A unknown flag was found on the command line", kSource, __LINE__);
    }

    if (awaitingFiles) {
        AddFiles(param);
        return;
    }
    if (pipe) {
        pipeAddress = param;
        // The pipe address clears every flag before it, log flags included.
        ClearFormatFlags();
        help = logx = logy = 0;
        return;
    }
    m_strFileName = param;
    m_nShellCommand = FileOpen;
}

void TarnCommandLineInfo::AddFiles(const std::string& pattern)
{
    const std::size_t star = pattern.find('*');
    if (star == std::string::npos) {
        files.Append(pattern);
        return;
    }
    // The directory part runs up to the last separator before the first "*";
    // "\" counts as a separator too and is written as "/" in the names.
    const std::size_t separator = pattern.find_last_of("/\\", star);
    std::string directory;
    std::string namePattern = pattern;
    if (separator != std::string::npos) {
        directory = pattern.substr(0, separator + 1);
        std::replace(directory.begin(), directory.end(), '\\', '/');
        namePattern = pattern.substr(separator + 1);
    }

    std::vector<std::string> matches;
    if (DIR* dir = opendir(directory.empty() ? "." : directory.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            if (!WildcardMatch(namePattern, name))
                continue;
            // Only files can be imported; directories that match are passed over.
            struct stat info {};
            const std::string path = directory + name;
            if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
            matches.push_back(name);
        }
        closedir(dir);
    }
    if (matches.empty())
        throw IO_Error("The wildcard failed to match a file name", kSource, __LINE__);
    // Directory order is arbitrary on Linux; sorting makes imports repeatable.
    std::sort(matches.begin(), matches.end());
    for (const std::string& name : matches)
        files.Append(directory + name);
}

bool TarnCommandLineInfo::IsSlashFlag(const std::string& arg)
{
    if (arg.empty() || arg[0] != '/')
        return false;
    if (arg.find('/', 1) != std::string::npos)
        return false;
    struct stat info {};
    return stat(arg.c_str(), &info) != 0;
}

void TarnCommandLineInfo::ParseCommandLine(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isLast = i + 1 == args.size();
        const bool isFlag = (!arg.empty() && arg[0] == '-') || IsSlashFlag(arg);
        ParseParam(isFlag ? arg.substr(1) : arg, isFlag, isLast);
    }
}

int TarnCommandLineInfo::ImportFormat() const
{
    const int flags[] = {xy, nxy, xydx, xydy, xydxdy, wav};
    for (int i = 0; i < 6; ++i)
        if (flags[i])
            return i;
    return -1;
}
