#pragma once

#include "model/list.h"

#include <string>
#include <vector>

/// Set by the first format flag and never cleared while the program runs:
/// afterwards every plain argument is a data file and every flag an error.
extern bool awaitingFiles;

/// The program's command line: format flags with their data files, log flags,
/// help, the pipe number and the document to open. Both programs parse with it.
class TarnCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen };

    /// Takes one argument. A flag arrives without its leading "-" or "/" and with
    /// `isFlag` set; `isLast` is set for the last argument. Errors raise `IO_Error`
    /// (source "CommandLine") with the user's message; what was parsed stays.
    void ParseParam(const std::string& param, bool isFlag, bool isLast);

    /// Feeds every argument (without the program name) to `ParseParam` in order,
    /// deciding which are flags. The first error ends parsing and is raised.
    void ParseCommandLine(const std::vector<std::string>& args);

    /// The import format chosen by the first set format flag in the order xy,
    /// nxy, xydx, xydy, xydxdy, wav (0 to 5), or -1 when none is set.
    int ImportFormat() const;

    /// Whether an argument that begins with "/" is a flag. A "/" followed by a
    /// path (another "/" or an existing file) is a file name on Linux.
    static bool IsSlashFlag(const std::string& arg);

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;

    int xy = 0;
    int nxy = 0;
    int xydx = 0;
    int xydy = 0;
    int xydxdy = 0;
    int wav = 0;
    int help = 0;
    int logx = 0;
    int logy = 0;
    int pipe = 0;
    std::string pipeAddress;
    List<std::string> files;

private:
    void AddFiles(const std::string& pattern);
    void ClearFormatFlags();
};
