#include "tools/batch/pipe_command.h"

#include "io/pipe_finish.h"
#include "platform/qt_pipe_endings.h"

#include <algorithm>

bool ReadBatchPipe(CTarnDoc& doc, Messages& messages)
{
    QtPipeEndings endings;
    return ReadPipeInThisThread(doc, messages, endings);
}

bool NamesPipe(const std::vector<std::string>& pageArgs)
{
    return std::any_of(pageArgs.begin(), pageArgs.end(),
                       [](const std::string& arg) { return arg == "-pipe" || arg == "/pipe"; });
}
