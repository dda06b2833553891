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
           "         [--line-scaling N] [--font-scaling F]   (lines N times as wide, 1 to 50;\n"
           "         fonts F times as high, above 0 to 50, as the Properties command sets)\n"
           "  info   [page arguments as for render] [--points]\n"
           "         render and info also take --x-axis and --y-axis KEY=VALUE,... to set\n"
           "         what the axis dialogs set: title major minor ticks labels grid color\n"
           "         (on|off for the switches), tickside tickdir labelside format precision\n"
           "         labelcolor labelheight gridtype gridsize gridcolor applyto\n"
           "         and the annotations: --title, --xtitle, --ytitle TEXT (markup text),\n"
           "         --title-angle, --xtitle-angle, --ytitle-angle DEG (0 to 360),\n"
           "         --legend info|TEXT|TEXT... (the sets' legend entries; info: their\n"
           "         names), --legend-box FILL[,EDGE], --lines y=V[:STYLE],x=V[:STYLE],...\n"
           "         and --label X,Y,TEXT (a free label at page fractions)\n"
           "         -pipe N (a page argument) first reads the link stream on file\n"
           "         descriptor N to its end; its end message may save the document or\n"
           "         export an image, so render needs no -o or --save then\n"
           "  export [page arguments as for render] [-o OUT.txt] [--sets 0,2]\n"
           "  audio  [page arguments as for render] -o OUT.wav [--sets 0[,1]] [--rate HZ]\n"
           "         [--duration S] [--volume P]   (one set mono, two stereo; HZ 8000,\n"
           "         11025, 22050 or 44100; S 0 to 100000, the set's x span by default;\n"
           "         P 1 to 100)\n"
           "\n"
           "Analysis commands (on the current graph's sets: all, or those of --sets):\n"
           "  stats     FORMAT-FLAG FILE [--sets 0,2]\n"
           "  integrate FORMAT-FLAG FILE [--sets 0,2] [--from A --to B]\n"
           "  histogram FORMAT-FLAG FILE (--width W | --bins N) --start S --end E\n"
           "            [--normalize] [--no-align] [--sets 0,2] [RESULT]\n"
           "  diff      FORMAT-FLAG FILE [--left|--right] [--sets 0,2] [RESULT]\n"
           "  RESULT: the new sets as export text, or -o IMAGE [--size WxH] (the page\n"
           "  with them), or --save DOCUMENT\n"
           "\n"
           "Function plots and the curve fit:\n"
           "  function (--fx F | --xt X --yt Y | --rt R) [--min A] [--max B]\n"
           "           [--points N] [page arguments] [RESULT]\n"
           "           (ranges default as in the editors: the graph's x range for f(x),\n"
           "           0 to 1 for x(t), y(t), 0 to 6.28319 for r(t); 100 points)\n"
           "  fit      FORMAT-FLAG FILE --model F NAME=INIT[:MIN:MAX] ... [--set N]\n"
           "           [--max-iter N] [--tol T] [--no-weight] [--no-simplify]\n"
           "           [--save-curve] [RESULT]\n"
           "           prints the \"Curve Fit Results\" text; --save-curve then adds the\n"
           "           fitted curve as a set (RESULT); without it -o shows the fitted model\n"
           "           as the graph's overlay curve\n"
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
