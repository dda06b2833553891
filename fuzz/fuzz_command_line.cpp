// Any bytes as a command line (arguments separated by NUL or newline), parsed
// and carried out as at start-up: flags, wildcards against a scratch folder of
// small data files, imports and log flags. It must never crash or hang, and
// every listed file must come from the arguments or the folder.
#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "io/startup_actions.h"
#include "model/messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A folder with data files whose names have the characters wildcards trip on.
const std::filesystem::path& ScratchFolder()
{
    // Never destroyed: the exit handler that removes the folder still needs it.
    static const std::filesystem::path& folder = *new std::filesystem::path([] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvid-fuzz-cmd.XXXXXX").string();
        const std::filesystem::path made = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(made / "sub" / "dir.dat");
        const char* names[] = {"a.dat", "run[1].dat", "run?.dat", "b*c.txt", "sub/x1.dat", "sub/x22.dat",
                               "noext", ".hidden", "sp ace.dat"};
        for (const char* name : names) {
            if (std::FILE* file = std::fopen((made / name).c_str(), "wb")) {
                std::fputs("1 2\n3 4\n", file);
                std::fclose(file);
            }
        }
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(ScratchFolder(), error);
        });
        return made;
    }());
    return folder;
}

// Keeps an argument inside the scratch folder: a name or path is taken
// relative to it (an absolute path loses its leading "/"), flags ("-xy",
// "/xy") stay as they are, and there is no way up. The fuzzer's own working
// folder is not changed, as it keeps its corpus there.
std::string Confined(std::string arg)
{
    for (std::size_t at; (at = arg.find("..")) != std::string::npos;)
        arg.replace(at, 2, "__");
    if (!arg.empty() && arg[0] == '-')
        return arg;
    if (!arg.empty() && arg[0] == '/') {
        if (arg.find('/', 1) == std::string::npos)
            return arg;
        arg.erase(0, 1);
    }
    return (ScratchFolder() / arg).string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ScratchFolder();
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size && args.size() < 64; ++i) {
        const char c = char(data[i]);
        if (c == '\0' || c == '\n') {
            args.push_back(Confined(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        args.push_back(Confined(current));

    awaitingFiles = false;
    SilentMessages messages;
    CTarnDoc doc;
    bool parsed = true;
    TarnCommandLineInfo info = ParseStartupCommandLine(args, messages, &parsed);
    if (info.ImportFormat() > 5 || info.ImportFormat() < -1)
        __builtin_trap();
    for (int i = 0; i < info.files.Count(); ++i) {
        const std::string& file = info.files.Get(i);
        bool fromArgument = false;
        for (const std::string& arg : args)
            fromArgument = fromArgument || arg == file;
        if (!fromArgument && !std::filesystem::is_regular_file(file))
            __builtin_trap(); // a wildcard listed something that is no file
    }
    // WAV files are not read by the text importer; keep the imports to text.
    if (info.ImportFormat() != 5)
        RunStartupImports(doc, info, messages);
    info.files.Clear();
    return 0;
}
