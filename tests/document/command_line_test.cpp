#include "document/help_texts.h"
#include "document/tarn_command_line_info.h"
#include "model/error.h"

#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Parsed {
    TarnCommandLineInfo info;
    std::string error; // message of the error that ended parsing, if any
};

Parsed Parse(const std::vector<std::string>& args)
{
    awaitingFiles = false; // process-wide; each case starts a fresh program
    Parsed parsed;
    try {
        parsed.info.ParseCommandLine(args);
    } catch (const IO_Error& error) {
        parsed.error = error.Text();
        EXPECT_STREQ(error.file, "CommandLine");
    }
    return parsed;
}

std::vector<std::string> Files(TarnCommandLineInfo& info)
{
    std::vector<std::string> files;
    for (int i = 0; i < info.files.Count(); ++i)
        files.push_back(info.files.Get(i));
    return files;
}

const std::string kNoFile = "A filename was not found on the command line";
const std::string kNoPipe = "A pipe address was not found on the command line";
const std::string kUnknown = "A unknown flag was found on the command line";
const std::string kNoMatch = "The wildcard failed to match a file name";

} // namespace

TEST(CommandLine, FlagsFilesAndTheirErrors)
{
    struct Row {
        std::vector<std::string> args;
        std::string error;
        int format;                      // ImportFormat() after parsing
        std::vector<std::string> files;  // data files kept
        int logx, logy, help, pipe;
    };
    const Row rows[] = {
        {{"-xy", "a.dat", "b.dat"}, "", 0, {"a.dat", "b.dat"}, 0, 0, 0, 0},
        {{"/xy", "a.dat"}, "", 0, {"a.dat"}, 0, 0, 0, 0},
        {{"-logy", "-xy", "a.dat"}, "", 0, {"a.dat"}, 0, 1, 0, 0},
        {{"-xy", "a.dat", "-logy"}, kNoFile, -1, {"a.dat"}, 0, 0, 0, 0},
        {{"-xy", "-nxy", "a.dat"}, kNoFile, -1, {}, 0, 0, 0, 0},
        {{"-nxy", "a.dat", "-xy", "b.dat"}, kNoFile, -1, {"a.dat"}, 0, 0, 0, 0},
        {{"-xy"}, kNoFile, -1, {}, 0, 0, 0, 0},
        {{"-logxy", "-wav"}, kNoFile, -1, {}, 1, 1, 0, 0},
        {{"-xydxdy", "x"}, "", 4, {"x"}, 0, 0, 0, 0},
        {{"-xydx", "x"}, "", 2, {"x"}, 0, 0, 0, 0},
        {{"-xydy", "x"}, "", 3, {"x"}, 0, 0, 0, 0},
        {{"-wav", "x.wav"}, "", 5, {"x.wav"}, 0, 0, 0, 0},
        {{"-XY", "a.dat"}, kUnknown, -1, {}, 0, 0, 0, 0},
        {{"-p", "file"}, kUnknown, -1, {}, 0, 0, 0, 0},
        {{"-logx", "-print", "-logy"}, kUnknown, -1, {}, 1, 0, 0, 0},
        {{"-pipe"}, kNoPipe, -1, {}, 0, 0, 0, 0},
        {{"-pipe", "7"}, "", -1, {}, 0, 0, 0, 1},
        {{"-logx", "-pipe", "7"}, "", -1, {}, 0, 0, 0, 1},
        {{"-help"}, "", -1, {}, 0, 0, 1, 0},
        {{"-?", "a.dat"}, "", -1, {}, 0, 0, 1, 0},
        {{"-logy"}, "", -1, {}, 0, 1, 0, 0},
    };
    for (const Row& row : rows) {
        std::string line;
        for (const std::string& arg : row.args)
            line += arg + " ";
        SCOPED_TRACE(line);
        Parsed parsed = Parse(row.args);
        EXPECT_EQ(parsed.error, row.error);
        EXPECT_EQ(parsed.info.ImportFormat(), row.format);
        EXPECT_EQ(Files(parsed.info), row.files);
        EXPECT_EQ(parsed.info.logx, row.logx);
        EXPECT_EQ(parsed.info.logy, row.logy);
        EXPECT_EQ(parsed.info.help, row.help);
        EXPECT_EQ(parsed.info.pipe, row.pipe);
    }
}

TEST(CommandLine, DocumentNameAndPipeAddress)
{
    Parsed open = Parse({"-?", "a.dat"});
    EXPECT_EQ(open.info.m_nShellCommand, TarnCommandLineInfo::FileOpen);
    EXPECT_EQ(open.info.m_strFileName, "a.dat");

    Parsed later = Parse({"first.cvd", "second.cvd"});
    EXPECT_EQ(later.info.m_strFileName, "second.cvd") << "a later name replaces an earlier one";

    Parsed none = Parse({});
    EXPECT_EQ(none.info.m_nShellCommand, TarnCommandLineInfo::FileNew);

    Parsed pipe = Parse({"-logx", "-logy", "-help", "-pipe", "7"});
    EXPECT_EQ(pipe.info.pipeAddress, "7");
    EXPECT_EQ(pipe.info.pipe, 1);
    EXPECT_EQ(pipe.info.logx + pipe.info.logy + pipe.info.help, 0)
        << "flags before the pipe address are cleared";
    EXPECT_EQ(pipe.info.m_nShellCommand, TarnCommandLineInfo::FileNew);
}

TEST(CommandLine, AwaitingFilesLastsForTheWholeProcess)
{
    awaitingFiles = false;
    TarnCommandLineInfo first;
    first.ParseParam("xy", true, false);
    EXPECT_TRUE(awaitingFiles);
    TarnCommandLineInfo second;
    EXPECT_THROW(second.ParseParam("logx", true, false), IO_Error);
    second.ParseParam("plain.dat", false, true);
    EXPECT_EQ(second.files.Count(), 1) << "a plain argument is a data file from now on";
    EXPECT_TRUE(second.m_strFileName.empty());
    awaitingFiles = false;
}

TEST(CommandLine, SlashStartsAFlagOnlyWhereNoPathIsMeant)
{
    const ScratchDir scratch("corvid-slash");
    const fs::path directory = scratch.Path();
    const std::string absolute = (directory / "a.dat").string();
    std::ofstream(absolute) << "1 2\n";

    EXPECT_TRUE(TarnCommandLineInfo::IsSlashFlag("/xy"));
    EXPECT_TRUE(TarnCommandLineInfo::IsSlashFlag("/?"));
    EXPECT_FALSE(TarnCommandLineInfo::IsSlashFlag(absolute));
    EXPECT_FALSE(TarnCommandLineInfo::IsSlashFlag("/tmp"));
    EXPECT_FALSE(TarnCommandLineInfo::IsSlashFlag("-xy"));

    Parsed parsed = Parse({"-xy", absolute});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(Files(parsed.info), std::vector<std::string>{absolute});
}

TEST(CommandLine, WildcardsExpandInTheirDirectory)
{
    const ScratchDir scratch("corvid-wildcard");
    const fs::path base = scratch.Path();
    fs::create_directories(base / "sub" / "run4.txt"); // a directory that matches
    for (const char* name : {"run2.txt", "run1.txt", "run3.txt", "other.dat"})
        std::ofstream(base / "sub" / name) << "1 2\n";
    const std::string sub = (base / "sub").string();

    Parsed parsed = Parse({"-xy", sub + "/run*.txt"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(Files(parsed.info), (std::vector<std::string>{sub + "/run1.txt", sub + "/run2.txt",
                                                             sub + "/run3.txt"}));

    Parsed backslash = Parse({"-nxy", sub + "\\*.dat", "plain"});
    EXPECT_EQ(backslash.error, "");
    EXPECT_EQ(Files(backslash.info), (std::vector<std::string>{sub + "/other.dat", "plain"}));

    Parsed kept = Parse({"-xy", "first.dat", sub + "/*.none", "third.dat"});
    EXPECT_EQ(kept.error, kNoMatch);
    EXPECT_EQ(Files(kept.info), std::vector<std::string>{"first.dat"});
    EXPECT_EQ(kept.info.ImportFormat(), 0) << "the format flag stays; listed files still import";

    const fs::path current = fs::current_path();
    fs::current_path(base / "sub");
    Parsed relative = Parse({"-xy", "*.dat"});
    fs::current_path(current);
    EXPECT_EQ(Files(relative.info), std::vector<std::string>{"other.dat"});
}

TEST(CommandLine, OnlyStarAndQuestionMarkAreSpecialInWildcards)
{
    const ScratchDir scratch("corvid-wildcard");
    for (const char* name : {"run[1].dat", "run1.dat", "run12.dat", "run!x.dat", "a.b"})
        scratch.Write(name, "1 2\n");
    const std::string dir = scratch.Path().string() + "/";
    struct Row {
        std::string pattern;
        std::vector<std::string> files;
    };
    const Row rows[] = {
        {"run[1]*", {dir + "run[1].dat"}},
        {"run?.dat*", {dir + "run1.dat"}},
        {"run??.dat*", {dir + "run!x.dat", dir + "run12.dat"}},
        {"run*[!x]*", {}},
        {"*.b", {dir + "a.b"}},
        {"*.*", {dir + "a.b", dir + "run!x.dat", dir + "run1.dat", dir + "run12.dat", dir + "run[1].dat"}},
        {"run*1*", {dir + "run1.dat", dir + "run12.dat", dir + "run[1].dat"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        Parsed parsed = Parse({"-xy", dir + row.pattern});
        EXPECT_EQ(parsed.error, row.files.empty() ? kNoMatch : "");
        EXPECT_EQ(Files(parsed.info), row.files);
    }
}

static std::string HelpLine(const std::string& before, int tabs, const std::string& after)
{
    return before + std::string(tabs, '\t') + after + "\r\n";
}

TEST(HelpTexts, CommandLineHelpByteForByte)
{
    std::string expected = "The following options can be specified on the \r\n"
                           "command line. [filename] can contain wildcard characters.\r\n\r\n";
    expected += HelpLine("corvid [filename]", 2, "Open filename");
    expected += HelpLine("corvid -nxy [filename]", 1, "Import nxy data from filename");
    expected += HelpLine("corvid -xy [filename]", 2, "Import xy data from filename");
    expected += HelpLine("corvid -xydx [filename]", 1, "Import xydx data from filename");
    expected += HelpLine("corvid -xydy [filename]", 1, "Import xydy data from filename");
    expected += HelpLine("corvid -xydxdy [filename]", 1, "Import xydxdy data from filename");
    expected += HelpLine("corvid -wav [filename]", 1, "Import audio data from filename");
    expected += HelpLine(".... -logx  ....", 2, "Use a log scale for the x axis");
    expected += HelpLine(".... -logy  ....", 2, "Use a log scale for the y axis");
    expected += HelpLine(".... -logxy ....", 2, "Use a log scale for the x and y axes");
    expected += HelpLine("corvid -help", 2, "List the allowed command line options");
    expected += HelpLine("corvid -?", 3, "List the allowed command line options");
    EXPECT_EQ(kCommandLineHelpText, expected);
    EXPECT_STREQ(kCommandLineHelpCaption, "Command Line Options");
}

TEST(HelpTexts, ImportHelpHasItsFortyOneLines)
{
    const std::string text = kImportHelpText;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line ends in CR LF too";
    ASSERT_EQ(lines.size(), 41u);
    EXPECT_EQ(lines[3], std::string(46, '_'));
    EXPECT_EQ(lines[34], std::string(46, '_'));
    EXPECT_EQ(lines[23], "#@set[i].line.color custom  R G B");
    EXPECT_EQ(lines[24], "\tWhere R, G abd B are integers and ");
    EXPECT_EQ(lines[31], "\t{top, left, bottom, right, none}");
    EXPECT_EQ(lines[40], "\tWhere TEXT is the Y axis title to use");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "no bare line feeds";
    EXPECT_STREQ(kImportHelpCaption, "Import file options");
}
