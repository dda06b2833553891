#include "io/startup_actions.h"

#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "io/document_import.h"
#include "model/error.h"
#include "model/messages.h"

TarnCommandLineInfo ParseStartupCommandLine(const std::vector<std::string>& args,
                                            Messages& messages, bool* parsed)
{
    TarnCommandLineInfo info;
    if (parsed)
        *parsed = true;
    try {
        info.ParseCommandLine(args);
    } catch (const Error& error) {
        messages.Show(error.Text());
        if (parsed)
            *parsed = false;
    }
    return info;
}

bool RunStartupImports(CTarnDoc& doc, const TarnCommandLineInfo& info, Messages& messages)
{
    bool imported = true;
    const int format = info.ImportFormat();
    if (format >= 0) {
        std::vector<std::string> files;
        files.reserve(std::size_t(info.files.Count()));
        for (int i = 0; i < info.files.Count(); ++i)
            files.push_back(info.files.Get(i));
        imported = ImportFiles(doc, files, format, messages);
    }
    if (info.logx || info.logy)
        doc.CurrentGraph().SetLogScale(info.logx, info.logy, messages);
    return imported;
}
