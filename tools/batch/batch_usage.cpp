#include "tools/batch/batch_usage.h"

#include <cstdio>

const char* BatchUsage()
{
    return "usage: corvid-batch COMMAND [ARGUMENTS]\n"
           "\n"
           "Page commands build the page from corvid's own command line (log flags\n"
           "before the format flag, data files last):\n"
           "  render [DOCUMENT] [-logx|-logy|-logxy] [-xy|-nxy|-xydx|-xydy|-xydxdy|-wav FILE...]\n"
           "         -o IMAGE.png|.bmp|.svg|.pdf [--size WxH] [--save DOCUMENT]\n"
           "  info   [page arguments as for render] [--points]\n"
           "         render and info also take --x-axis and --y-axis KEY=VALUE,... to set\n"
           "         what the axis dialogs set: title major minor ticks labels grid color\n"
           "         (on|off for the switches), tickside tickdir labelside format precision\n"
           "         labelcolor labelheight gridtype gridsize gridcolor applyto\n"
           "  export [page arguments as for render] [-o OUT.txt] [--sets 0,2]\n"
           "\n"
           "Equation commands:\n"
           "  eval   EXPR [--simplify] [NAME=VALUE ...]\n"
           "  field  TEXT\n"
           "  deriv  EXPR VAR [--simplify] [NAME=VALUE ...]\n"
           "\n"
           "Options may stand before or after the other arguments; \"--\" ends them.\n"
           "Messages are written to standard error as \"message: TEXT\" lines.\n"
           "Exit status: 0 when everything worked, 1 when a step failed, 2 for a usage error.\n";
}

bool UsageError(const char* command, const std::string& reason, int& exitCode)
{
    std::fprintf(stderr, "corvid-batch %s: %s\n\n%s", command, reason.c_str(), BatchUsage());
    exitCode = 2;
    return false;
}
